#include "helpers/ExtraInfo.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/CaseFold.h"
#include "core/ExtraInfoText.h"
#include "core/InfoTipText.h"
#include "core/IniText.h"
#include "core/PathText.h"
#include "platform/Handles.h"
#include "platform/PathKind.h"

namespace myHelper {

namespace {

constexpr wchar_t kFontsKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
// The buffer a library string is read into.
constexpr int kStringBuffer = 1024;

// The first bytes of a file, up to the read limit, and whether the file goes on beyond it.
bool ReadIniBytes(const std::wstring& path, std::string& bytes, bool& cutShort) {
  const fm::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  // One byte past the limit tells whether the file was cut.
  bytes.assign(fm::kIniReadLimit + 1, '\0');
  DWORD total = 0;
  while (total < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &read,
                  nullptr)) {
      return false;
    }
    if (read == 0) break;
    total += read;
  }
  cutShort = total > fm::kIniReadLimit;
  bytes.resize(std::min<std::size_t>(total, fm::kIniReadLimit));
  return true;
}

// The text of an INI file, up to the read limit: bytes with a byte-order mark in its
// encoding, others in the system's code page, as the profile functions read them.
bool ReadIniText(const std::wstring& path, std::wstring& text, bool& cutShort) {
  std::string bytes;
  if (!ReadIniBytes(path, bytes, cutShort)) return false;
  if (std::optional<std::wstring> marked = fm::TextOfMarkedBytes(bytes)) {
    text = std::move(*marked);
    return true;
  }
  const int size =
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  text.assign(static_cast<std::size_t>(std::max(size, 0)), L'\0');
  if (size > 0) {
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  }
  return true;
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

ReferencedPathWatcher& Watcher() {
  static ReferencedPathWatcher watcher;
  return watcher;
}

void Watch(const std::wstring& path) {
  if (Watcher()) Watcher()(path);
}

// The full path of a reference's library when it lies on a drive of this machine, with a
// relative name taken under folder; nothing otherwise. Only such a path is ever looked at:
// a name on another machine would send the user's name and credentials there, and a
// device or pipe could hold the window until it answers.
std::optional<std::wstring> LocalLibraryPath(const std::wstring& file, const std::wstring& folder) {
  const std::optional<std::wstring> candidate = fm::LibraryPathIn(file, folder);
  if (!candidate) return std::nullopt;
  // Making a path full touches no disk; it turns a device name such as COM1 into \\.\COM1.
  const std::wstring full = FullPathName(*candidate);
  if (!fm::IsDriveLetterPath(full)) return std::nullopt;
  switch (GetDriveTypeW(full.substr(0, 3).c_str())) {
    case DRIVE_FIXED:
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
      return full;
    default:
      return std::nullopt;
  }
}

// A string of a library that is read as resources only: merely looking at a folder must
// never run code that a downloaded desktop.ini names.
bool LoadLibraryString(const std::wstring& library, int id, std::wstring& text) {
  Watch(library);
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

// Where the libraries that class keys name by their bare names lie.
std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

}  // namespace

void WatchReferencedPaths(ReferencedPathWatcher watcher) { Watcher() = std::move(watcher); }

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
  return std::wstring(fm::TrimBlanksAndControls(buffer));
}

std::wstring ResolveIndirectString(const std::wstring& Text, const std::wstring& Folder) {
  std::wstring result = Text;
  std::wstring text(fm::WithoutReferenceMark(Text));
  if (text.find(L'%') != std::wstring::npos) text = ExpandEnvText(text);
  fm::LibraryReference reference = fm::SplitLibraryReference(text);
  const std::optional<std::wstring> library = LocalLibraryPath(reference.file, Folder);
  if (library) {
    Watch(*library);
    if (fm::KindOfPath(*library) != fm::PathKind::None) reference.file = *library;
  }
  if (!reference.file.empty()) result = fm::ReferenceText(reference.file, reference.number);
  if (library && !reference.number.empty()) {
    std::wstring string;
    if (LoadLibraryString(*library, reference.id, string)) {
      result = fm::LibraryStringText(*library, string);
    }
  }
  return result;
}

std::wstring DesktopIniInfoTips(const std::wstring& IniPath) {
  std::wstring result;
  std::size_t lines = 0;
  std::wstring classKey = L"CLSID";
  const std::wstring iniName = fm::FileNamePart(IniPath);
  const std::wstring folder = fm::FolderPart(IniPath);
  std::wstring text;
  bool cutShort = false;
  std::vector<fm::IniEntry> entries;
  if (ReadIniText(IniPath, text, cutShort)) entries = fm::ParseIni(text, cutShort);
  for (const fm::IniEntry& entry : entries) {
    // The class is looked up after the file's own lines; its key gives no line.
    if (entry.key == L"CLSID" && !entry.value.empty()) {
      classKey += L'\\';
      classKey += entry.value;
      continue;
    }
    // Lines beyond what a tip shows are not worked out: their references are not looked at.
    if (entry.value.empty() || lines >= fm::kTipMaxLines) continue;
    std::wstring value(entry.value);
    if (value.find(L'%') != std::wstring::npos) value = ExpandEnvText(value);
    if (fm::IsLibraryReference(value)) value = ResolveIndirectString(value, folder);
    if (value.empty()) continue;
    fm::AppendLine(result, fm::DesktopIniLine(iniName, entry.key, value));
    ++lines;
  }
  if (classKey == L"CLSID") return result;

  const fm::UniqueHKey key = OpenKeyForReading(HKEY_CLASSES_ROOT, classKey);
  if (!key) return result;
  for (const std::wstring& name : RegistryValueNames(key.Get())) {
    std::wstring value;
    if (!ReadRegistryText(key.Get(), name, value)) continue;
    if (fm::IsLibraryReference(value)) value = ResolveIndirectString(value, SystemFolder());
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
