// The name "Keep both" gives a copy whose name is taken in the target folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fm {

// "name (2).ext" with the first number whose name `taken` does not report. The number goes
// before a file's extension and after a folder's whole name; a dot file (".profile") has
// no extension. A name that already ends in " (N)" counts on from N + 1 instead of growing
// a second number ("a (3).txt" gives "a (4).txt").
std::wstring KeepBothName(std::wstring_view name, bool isFolder,
                          const std::function<bool(std::wstring_view)>& taken);

}  // namespace fm
