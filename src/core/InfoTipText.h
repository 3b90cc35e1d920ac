// The info tip of a row of the left list, composed from the facts of its file.
#pragma once

#include <string>
#include <string_view>

#include "core/FileVersionInfo.h"

namespace fm {

// "Location: " and the path, then one line for each fact that is there, in a fixed
// order, and the size unless the row's Size column is empty, "LINK" or "DIR". Lines are
// separated by CR LF.
std::wstring InfoTipText(const TFileVersionInfo& info, std::wstring_view sizeColumn);

}  // namespace fm
