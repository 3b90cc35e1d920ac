// The info tip of a row of the left list, composed from the facts of its file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/FileVersionInfo.h"

namespace fm {

// What a tip holds at most, so that no file can make one that the screen cannot show or
// that takes long to draw.
inline constexpr std::size_t kTipMaxLines = 40;
inline constexpr std::size_t kTipMaxLineLength = 256;
inline constexpr std::size_t kTipMaxLength = 4096;

// "Location: " and the path, then one line for each fact that is there, in a fixed
// order, and the size unless the row's Size column is empty, "LINK" or "DIR". Lines are
// separated by CR LF; the whole is bounded as BoundedTip bounds it.
std::wstring InfoTipText(const TFileVersionInfo& info, std::wstring_view sizeColumn);

// The first kTipMaxLines lines of text (a CR, an LF or both end a line), joined by CR LF,
// as many as fit in kTipMaxLength characters. A line longer than kTipMaxLineLength, or
// than the room left, is cut and ends in "…".
std::wstring BoundedTip(std::wstring_view text);

}  // namespace fm
