#include "platform/PathKind.h"
#include "platform/Shell.h"

namespace fm {

bool FileExists(const std::wstring& path) { return KindOfPath(path) == PathKind::File; }

bool DirectoryExists(const std::wstring& path) { return KindOfPath(path) == PathKind::Folder; }

}  // namespace fm
