#include "platform/PathKind.h"

#include <windows.h>

#include "platform/Handles.h"

namespace fm {

PathKind KindOfPath(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::None;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // The attributes above are the link's own; opening the path follows it to the target,
    // and fails when the target is missing.
    const UniqueHandle file(
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.Get(), &info)) return PathKind::None;
    attributes = info.dwFileAttributes;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

}  // namespace fm
