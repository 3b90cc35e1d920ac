#include "core/PathText.h"

#include <cstdint>

namespace fm {

namespace {

// Through an unsigned value: wchar_t is signed on some systems, unsigned on others.
bool IsBlankOrControl(wchar_t c) { return static_cast<std::uint32_t>(c) <= 0x20u; }

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool IsDriveLetterPath(std::wstring_view path) { return path.find(L":\\") == 1; }

bool IsDriveRoot(std::wstring_view path) {
  return path.size() == 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
         path.substr(1) == L":\\";
}

bool EndingIsStripped(std::wstring_view path) {
  return !path.empty() && (path.back() == L'.' || path.back() == L' ');
}

std::wstring CleanFinalPath(std::wstring_view finalPath) {
  std::wstring_view text = finalPath.substr(0, finalPath.find(L'\0'));
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);

  std::wstring path(text);
  if (StartsWith(path, L"\\\\?\\UNC\\")) path.replace(0, 8, L"\\\\");
  if (StartsWith(path, L"\\\\?\\")) path.erase(0, 4);
  return path;
}

std::wstring CompleteTypedPath(std::wstring_view typed) {
  std::wstring path(typed);
  if (path.size() == 1) path += L':';
  if (!path.empty() && path.back() == L':') path += L'\\';
  return path;
}

std::wstring NameInFolder(std::wstring_view path, std::wstring_view folder) {
  if (folder.empty() || !StartsWith(path, folder)) return {};
  std::wstring_view name = path.substr(folder.size());
  if (folder.back() != L'\\') {
    if (name.empty() || name.front() != L'\\') return {};
    name.remove_prefix(1);
  }
  if (name.find(L'\\') != std::wstring_view::npos) return {};
  return std::wstring(name);
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path.append(name);
}

std::wstring FileNamePart(std::wstring_view path) {
  const auto separator = path.find_last_of(L"\\:");
  return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

std::wstring PathPart(std::wstring_view path) {
  const auto separator = path.find_last_of(L"\\:");
  return std::wstring(separator == std::wstring_view::npos ? std::wstring_view() : path.substr(0, separator + 1));
}

std::wstring LastPathPart(std::wstring_view path) {
  const auto backslash = path.rfind(L'\\');
  if (backslash == std::wstring_view::npos || backslash + 1 == path.size()) {
    return std::wstring(path);
  }
  return std::wstring(path.substr(backslash + 1));
}

std::wstring FolderPart(std::wstring_view path) {
  const auto backslash = path.rfind(L'\\');
  if (backslash == std::wstring_view::npos) return {};
  const bool afterDriveColon = backslash > 0 && path[backslash - 1] == L':';
  return std::wstring(path.substr(0, afterDriveColon ? backslash + 1 : backslash));
}

}  // namespace fm
