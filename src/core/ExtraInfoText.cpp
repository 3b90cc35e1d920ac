#include "core/ExtraInfoText.h"

#include <climits>

#include "core/CaseFold.h"
#include "core/PathText.h"

namespace fm {

void AppendLine(std::wstring& text, std::wstring_view line) {
  if (!text.empty()) text += L"\r\n";
  text += line;
}

std::wstring DesktopIniLine(std::wstring_view iniFileName, std::wstring_view key,
                            std::wstring_view value) {
  std::wstring line = L"InfoTip: (";
  line += iniFileName;
  line += L") (";
  line += key;
  line += L") ";
  line += value;
  return line;
}

std::wstring RegistryLine(std::wstring_view valueName, std::wstring_view value) {
  std::wstring line = L"InfoTip: (Registry) (";
  line += valueName.empty() ? std::wstring_view(L"Default") : valueName;
  line += L") ";
  line += value;
  return line;
}

std::wstring FontLine(std::wstring_view fontName) {
  return L"Font: (Registry) " + std::wstring(fontName);
}

std::wstring LibraryStringText(std::wstring_view libraryPath, std::wstring_view text) {
  return L"(Library: " + FileNamePart(libraryPath) + L") " + std::wstring(text);
}

std::wstring DesktopIniPathIn(std::wstring_view folder) {
  std::wstring path(folder);
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path + L"desktop.ini";
}

bool LiesInFolder(std::wstring_view path, std::wstring_view folder) {
  return EqualsAsciiNoCase(FolderPart(path), folder);
}

std::wstring_view TrimBlanksAndControls(std::wstring_view text) {
  const auto isTrimmed = [](wchar_t c) { return c <= L' '; };
  while (!text.empty() && isTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && isTrimmed(text.back())) text.remove_suffix(1);
  return text;
}

std::wstring_view WithoutSplitPair(std::wstring_view text) {
  if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.remove_suffix(1);
  return text;
}

bool IsLibraryReference(std::wstring_view value) { return value.starts_with(L'@'); }

std::wstring_view WithoutReferenceMark(std::wstring_view text) {
  if (IsLibraryReference(text)) text.remove_prefix(1);
  return text;
}

namespace {

bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::optional<std::wstring> LibraryPathIn(std::wstring_view file, std::wstring_view folder) {
  if (file.empty() || !IsDriveLetterPath(folder)) return std::nullopt;
  if (IsDriveLetterPath(file)) return std::wstring(file);
  // Another machine, a device, or the current folder of a drive: never looked at.
  if (file.size() >= 2 && IsSlash(file[0]) && IsSlash(file[1])) return std::nullopt;
  if (file.size() >= 2 && file[1] == L':') return std::nullopt;
  if (IsSlash(file[0])) return std::wstring(folder.substr(0, 2)) + L'\\' + std::wstring(file.substr(1));
  std::wstring path(folder);
  if (!IsSlash(path.back())) path += L'\\';
  return path + std::wstring(file);
}

namespace {

// A decimal integer with an optional sign, as a whole; -1 when it is none or too large.
int AbsoluteInteger(std::wstring_view text) {
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) text.remove_prefix(1);
  if (text.empty()) return -1;
  long long value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return -1;
    value = value * 10 + (c - L'0');
    if (value > INT_MAX) return -1;
  }
  return static_cast<int>(value);
}

}  // namespace

LibraryReference SplitLibraryReference(std::wstring_view text) {
  LibraryReference reference;
  const std::size_t comma = text.find(L',');
  if (comma == std::wstring_view::npos) {
    reference.file = text;
    return reference;
  }
  std::wstring file(text);
  if (file.size() > comma + 5 && file[comma + 4] == L',') file[comma] = L'.';
  const std::size_t split = file.find(L',');
  std::wstring number = file.substr(split + 1);
  file.resize(split);
  const std::size_t minus = number.find(L'-');
  if (minus != std::wstring::npos) number.erase(0, minus + 1);
  reference.file = std::move(file);
  reference.id = AbsoluteInteger(number);
  reference.number = std::move(number);
  return reference;
}

std::wstring ReferenceText(std::wstring_view file, std::wstring_view number) {
  if (file.empty()) return {};
  std::wstring text(file);
  if (!number.empty()) {
    text += L',';
    text += number;
  }
  return text;
}

}  // namespace fm
