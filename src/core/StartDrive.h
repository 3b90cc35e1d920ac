// The drive a program was started from, read from its path.
#pragma once

#include <string>
#include <string_view>

namespace fm {

// The drive ("C:", in the path's own case) that path lies on, looking past the "\\?\" and
// "\\.\" prefixes; empty for a path on a share ("\\server\share", "\\?\UNC\…") or one
// without a drive letter.
std::wstring DriveOfPath(std::wstring_view path);

}  // namespace fm
