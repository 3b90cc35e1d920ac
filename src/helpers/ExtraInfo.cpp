#include "helpers/ExtraInfo.h"

#include <windows.h>

#include <shlobj.h>

#include <string_view>
#include <vector>

#include "core/CaseFold.h"
#include "core/ExtraInfoText.h"
#include "core/PathText.h"
#include "platform/Handles.h"
#include "platform/PathKind.h"

namespace myHelper {

namespace {

constexpr wchar_t kFontsKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
// The buffer a library string is read into.
constexpr int kStringBuffer = 1024;

// The zero-separated list that a private-profile call writes (section or key names),
// asked for again with more room while it does not fit.
template <typename Read>
std::vector<std::wstring> ProfileNames(Read read) {
  for (DWORD size = 4096;; size *= 2) {
    std::vector<wchar_t> buffer(size);
    const DWORD written = read(buffer.data(), size);
    if (written + 2 >= size && size < (1u << 24)) continue;
    std::vector<std::wstring> names;
    for (const wchar_t* name = buffer.data(); *name != L'\0' && name < buffer.data() + written;) {
      names.emplace_back(name);
      name += names.back().size() + 1;
    }
    return names;
  }
}

std::wstring ProfileValue(const std::wstring& section, const std::wstring& key,
                          const std::wstring& iniPath) {
  for (DWORD size = 1024;; size *= 2) {
    std::wstring buffer(size, L'\0');
    const DWORD written = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                   size, iniPath.c_str());
    if (written + 1 >= size && size < (1u << 24)) continue;
    buffer.resize(written);
    return buffer;
  }
}

// A registry value as text; nothing for a value of another type or one that cannot be
// read.
bool ReadRegistryText(HKEY key, const std::wstring& name, std::wstring& text) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
  DWORD read = bytes;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &read) != ERROR_SUCCESS) {
    return false;
  }
  // A text may lack its terminating zero or end in half a character; neither is shown.
  data[read / sizeof(wchar_t)] = L'\0';
  text.assign(data.data());
  return true;
}

// The names of a key's values, in the order the registry lists them.
std::vector<std::wstring> RegistryValueNames(HKEY key) {
  DWORD longest = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return {};
  }
  std::vector<std::wstring> names;
  std::vector<wchar_t> name(longest + 2);
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(name.size());
    const LSTATUS status =
        RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    // A name added since the key was measured is asked for again with more room.
    if (status == ERROR_MORE_DATA) {
      name.resize(name.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    names.emplace_back(name.data(), length);
    ++index;
  }
  return names;
}

fm::UniqueHKey OpenKeyForReading(HKEY root, const std::wstring& path) {
  fm::UniqueHKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return {};
  return key;
}

std::wstring FullPathName(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return {};
  full.resize(length);
  return full;
}

// A string of a library that is read as resources only: merely looking at a folder must
// never run code that a downloaded desktop.ini names.
bool LoadLibraryString(const std::wstring& library, int id, std::wstring& text) {
  fm::UniqueHModule module(LoadLibraryExW(
      library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module || id == -1) return false;
  wchar_t buffer[kStringBuffer];
  const int length = LoadStringW(module.Get(), static_cast<UINT>(id), buffer, kStringBuffer);
  if (length <= 0) return false;
  text = fm::WithoutSplitPair(std::wstring_view(buffer, static_cast<std::size_t>(length)));
  return true;
}

std::wstring FontsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

}  // namespace

std::wstring ExpandEnvText(const std::wstring& Text) {
  std::wstring buffer(1024, L'\0');
  DWORD needed =
      ExpandEnvironmentStringsW(Text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  // A longer result is asked for again with the size the system names.
  while (needed > buffer.size()) {
    buffer.assign(needed, L'\0');
    needed =
        ExpandEnvironmentStringsW(Text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (needed == 0) return Text;
  buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
  return fm::TrimBlanksAndControls(buffer);
}

std::wstring ResolveIndirectString(const std::wstring& Text) {
  std::wstring result = Text;
  std::wstring text(fm::AfterFirstAt(Text));
  if (text.find(L'%') != std::wstring::npos) text = ExpandEnvText(text);
  fm::LibraryReference reference = fm::SplitLibraryReference(text);
  const std::wstring full = FullPathName(reference.file);
  if (!full.empty() && fm::KindOfPath(full) != fm::PathKind::None) reference.file = full;
  if (!reference.file.empty()) result = fm::ReferenceText(reference.file, reference.number);
  if (!reference.file.empty() && !reference.number.empty()) {
    std::wstring string;
    if (LoadLibraryString(reference.file, reference.id, string)) {
      result = fm::LibraryStringText(reference.file, string);
    }
  }
  return result;
}

std::wstring DesktopIniInfoTips(const std::wstring& IniPath) {
  std::wstring result;
  std::wstring classKey = L"CLSID";
  const std::wstring iniName = fm::FileNamePart(IniPath);
  const auto sections = ProfileNames([&](wchar_t* buffer, DWORD size) {
    return GetPrivateProfileSectionNamesW(buffer, size, IniPath.c_str());
  });
  for (const std::wstring& section : sections) {
    const auto keys = ProfileNames([&](wchar_t* buffer, DWORD size) {
      return GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer, size, IniPath.c_str());
    });
    for (const std::wstring& key : keys) {
      std::wstring value = ProfileValue(section, key, IniPath);
      // The class is looked up after the file's own lines; its key gives no line.
      if (key == L"CLSID" && !value.empty()) {
        classKey += L"\\" + value;
        value.clear();
      }
      if (value.find(L'%') != std::wstring::npos) value = ExpandEnvText(value);
      if (value.find(L'@') != std::wstring::npos) value = ResolveIndirectString(value);
      if (!value.empty()) fm::AppendLine(result, fm::DesktopIniLine(iniName, key, value));
    }
  }
  if (classKey == L"CLSID") return result;

  const fm::UniqueHKey key = OpenKeyForReading(HKEY_CLASSES_ROOT, classKey);
  if (!key) return result;
  for (const std::wstring& name : RegistryValueNames(key.Get())) {
    std::wstring value;
    if (!ReadRegistryText(key.Get(), name, value)) continue;
    if (value.find(L'@') != std::wstring::npos) value = ResolveIndirectString(value);
    if (value.find(L'%') != std::wstring::npos) value = ExpandEnvText(value);
    if (!value.empty()) fm::AppendLine(result, fm::RegistryLine(name, value));
  }
  return result;
}

std::wstring FontRegistryName(const std::wstring& Path) {
  const std::wstring name = fm::FileNamePart(Path);
  if (name.empty()) return {};
  const fm::UniqueHKey key = OpenKeyForReading(HKEY_LOCAL_MACHINE, kFontsKey);
  if (!key) return {};
  for (const std::wstring& fontName : RegistryValueNames(key.Get())) {
    std::wstring file;
    if (ReadRegistryText(key.Get(), fontName, file) && fm::EqualsAsciiNoCase(file, name)) {
      return fm::FontLine(fontName);
    }
  }
  return {};
}

std::wstring FileExtraInfo(const std::wstring& Path) {
  std::wstring result;
  if (Path.empty()) return result;
  // A folder shows its own desktop.ini, a file that of the folder it lies in.
  std::wstring folder;
  if (fm::KindOfPath(Path) == fm::PathKind::Folder) {
    folder = Path;
  } else {
    const std::wstring parent = fm::FolderPart(Path);
    if (!parent.empty() && fm::KindOfPath(parent) == fm::PathKind::Folder) folder = parent;
  }
  if (!folder.empty()) {
    const std::wstring ini = fm::DesktopIniPathIn(folder);
    if (fm::KindOfPath(ini) == fm::PathKind::File) {
      const std::wstring lines = DesktopIniInfoTips(ini);
      if (!lines.empty()) fm::AppendLine(result, lines);
    }
  }
  const std::wstring fonts = FontsFolder();
  if (!fonts.empty() && fm::LiesInFolder(Path, fonts)) {
    const std::wstring font = FontRegistryName(Path);
    if (!font.empty()) fm::AppendLine(result, font);
  }
  return result;
}

}  // namespace myHelper
