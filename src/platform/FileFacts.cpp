#include <optional>

#include "platform/Handles.h"
#include "platform/Shell.h"

namespace fm {

namespace {

// The attributes of what path names, through any links; none when nothing is there.
std::optional<DWORD> FollowedAttributes(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return attributes;
  // The attributes above are the link's own; opening the path follows it to the target,
  // and fails when the target is missing.
  const UniqueHandle file(CreateFileW(path.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return info.dwFileAttributes;
}

}  // namespace

bool FileExists(const std::wstring& path) {
  const auto attributes = FollowedAttributes(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::wstring& path) {
  const auto attributes = FollowedAttributes(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace fm
