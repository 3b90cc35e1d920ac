#include "core/StartDrive.h"

namespace fm {

namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

std::wstring DriveOfPath(std::wstring_view path) {
  for (std::wstring_view prefix : {std::wstring_view(L"\\\\?\\"), std::wstring_view(L"\\\\.\\")}) {
    if (path.substr(0, prefix.size()) == prefix) {
      path.remove_prefix(prefix.size());
      break;
    }
  }
  if (path.size() < 2 || !IsAsciiLetter(path[0]) || path[1] != L':') return {};
  return std::wstring(path.substr(0, 2));
}

}  // namespace fm
