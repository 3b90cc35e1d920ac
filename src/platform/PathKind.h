// What a path names, following links, from one attribute query: the answer to both
// FileExists and DirectoryExists at the price of one of them.
#pragma once

#include <string>

namespace fm {

enum class PathKind { None, File, Folder };

// None when nothing is there, also for a link whose target is missing.
PathKind KindOfPath(const std::wstring& path);

}  // namespace fm
