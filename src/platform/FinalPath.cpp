#include "platform/FinalPath.h"

#include <windows.h>

#include "core/PathText.h"
#include "platform/Handles.h"

namespace fm {

namespace {

constexpr DWORD kFinalPathBuffer = 512;

// The final path of an open file or folder; empty when the system cannot give it.
std::wstring FinalPathOf(HANDLE file) {
  std::wstring buffer(kFinalPathBuffer, L'\0');
  // Too small a buffer is answered with the size needed; ask once more with that.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length =
        GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(static_cast<size_t>(length) + 1, L'\0');
  }
  return {};
}

}  // namespace

FinalPath GetFinalPath(const std::wstring& path) {
  const UniqueHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return {path, std::nullopt, {}};
  const std::wstring final = CleanFinalPath(FinalPathOf(file.Get()));
  if (final.size() < 2) return {path, std::nullopt, {}};
  // The one attribute query of the final path tells both that it exists and what it is.
  const PathKind kind = KindOfPath(final);
  if (kind != PathKind::None) return {final, kind, {}};
  return {path, std::nullopt, final};
}

}  // namespace fm
