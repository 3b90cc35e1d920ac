#include <windows.h>

#include "core/PathText.h"
#include "platform/PathKind.h"
#include "platform/Shell.h"

namespace fm {

bool FileExists(const std::wstring& path) { return KindOfPath(path) == PathKind::File; }

bool DirectoryExists(const std::wstring& path) { return KindOfPath(path) == PathKind::Folder; }

std::optional<std::uint64_t> PlainFileSize(const std::wstring& path) {
  if (path.empty()) return std::nullopt;
  const std::wstring asked = EndingIsStripped(path) && IsDriveLetterPath(path) ? L"\\\\?\\" + path : path;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(asked.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
    return std::nullopt;
  }
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace fm
