#include "helpers/VersionInfo.h"

#include <shellapi.h>

#include <cstring>
#include <functional>
#include <vector>

#include "core/VersionText.h"
#include "helpers/ExtraInfo.h"

namespace myHelper {

namespace {

// The bytes from where a value was found to the end of the buffer: the lengths inside the
// data are the file's word, and a hostile file can make them point anywhere.
std::size_t BytesWithin(std::span<const BYTE> buffer, const void* value) {
  const auto* at = static_cast<const BYTE*>(value);
  const BYTE* begin = buffer.data();
  const BYTE* end = begin + buffer.size();
  if (at == nullptr || std::less<>()(at, begin) || !std::less<>()(at, end)) return 0;
  return static_cast<std::size_t>(end - at);
}

}  // namespace

std::wstring QueryVersionString(std::span<const BYTE> VersionData, const std::wstring& Key) {
  void* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(VersionData.data(), L"\\VarFileInfo\\Translation", &translation, &length) ||
      length < sizeof(DWORD) || BytesWithin(VersionData, translation) < sizeof(DWORD)) {
    return {};
  }
  // Only the first language and code page the resource lists; no other is tried.
  DWORD first = 0;
  std::memcpy(&first, translation, sizeof(first));
  void* value = nullptr;
  length = 0;
  const std::wstring path = fm::VersionStringPath(first, Key);
  if (!VerQueryValueW(VersionData.data(), path.c_str(), &value, &length)) return {};
  // The length counts characters, the terminating zero mostly included; stop at the
  // first zero either way, and at the buffer's end.
  const std::size_t within = BytesWithin(VersionData, value) / sizeof(wchar_t);
  const auto* text = static_cast<const wchar_t*>(value);
  std::size_t size = 0;
  while (size < length && size < within && text[size] != L'\0') ++size;
  return std::wstring(text, size);
}

std::wstring FileFunctionText(const VS_FIXEDFILEINFO& Info) {
  return fm::FileFunctionText(Info.dwFileType, Info.dwFileSubtype);
}

bool HasFileFlag(const VS_FIXEDFILEINFO& Info, DWORD Flag) {
  return fm::HasFileFlag(Info.dwFileFlagsMask, Info.dwFileFlags, Flag);
}

void ReadFileVersionInfo(TFileVersionInfo& Info, const std::wstring& FileName) {
  Info = TFileVersionInfo{};
  Info.FileName = FileName;
  Info.Extra = FileExtraInfo(FileName);

  SHFILEINFOW shellInfo{};
  if (SHGetFileInfoW(FileName.c_str(), 0, &shellInfo, sizeof(shellInfo), SHGFI_TYPENAME) != 0) {
    Info.FileType = shellInfo.szTypeName;
  }

  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(FileName.c_str(), &handle);
  if (size == 0) return;
  std::vector<BYTE> data(size);
  // The data is read once and every string is looked up in it.
  if (!GetFileVersionInfoW(FileName.c_str(), handle, size, data.data())) return;
  Info.HasVersionInfo = true;

  struct Field {
    const wchar_t* key;
    std::wstring TFileVersionInfo::*text;
  };
  static constexpr Field kStrings[] = {
      {L"CompanyName", &TFileVersionInfo::CompanyName},
      {L"FileDescription", &TFileVersionInfo::FileDescription},
      {L"FileVersion", &TFileVersionInfo::FileVersion},
      {L"InternalName", &TFileVersionInfo::InternalName},
      {L"LegalCopyRight", &TFileVersionInfo::LegalCopyRight},
      {L"LegalTradeMarks", &TFileVersionInfo::LegalTradeMarks},
      {L"OriginalFileName", &TFileVersionInfo::OriginalFileName},
      {L"ProductName", &TFileVersionInfo::ProductName},
      {L"ProductVersion", &TFileVersionInfo::ProductVersion},
      {L"Comments", &TFileVersionInfo::Comments},
      {L"SpecialBuild", &TFileVersionInfo::SpecialBuildStr},
      {L"PrivateBuild", &TFileVersionInfo::PrivateBuildStr},
  };
  for (const Field& field : kStrings) Info.*field.text = QueryVersionString(data, field.key);

  void* root = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", &root, &length) || length < sizeof(VS_FIXEDFILEINFO) ||
      BytesWithin(data, root) < sizeof(VS_FIXEDFILEINFO)) {
    return;
  }
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, root, sizeof(fixed));
  Info.DebugBuild = HasFileFlag(fixed, VS_FF_DEBUG);
  Info.PreRelease = HasFileFlag(fixed, VS_FF_PRERELEASE);
  Info.PrivateBuild = HasFileFlag(fixed, VS_FF_PRIVATEBUILD);
  Info.SpecialBuild = HasFileFlag(fixed, VS_FF_SPECIALBUILD);
  Info.Patched = HasFileFlag(fixed, VS_FF_PATCHED);
  Info.InfoInferred = HasFileFlag(fixed, VS_FF_INFOINFERRED);
  Info.FileFunction = FileFunctionText(fixed);
  Info.dwSignature = fixed.dwSignature;
  Info.dwStrucVersion = fixed.dwStrucVersion;
  Info.dwFileVersionMS = fixed.dwFileVersionMS;
  Info.dwFileVersionLS = fixed.dwFileVersionLS;
  Info.dwProductVersionMS = fixed.dwProductVersionMS;
  Info.dwProductVersionLS = fixed.dwProductVersionLS;
  Info.dwFileFlagsMask = fixed.dwFileFlagsMask;
  Info.dwFileFlags = fixed.dwFileFlags;
  Info.dwFileOS = fixed.dwFileOS;
  Info.dwFileType = fixed.dwFileType;
  Info.dwFileSubtype = fixed.dwFileSubtype;
  Info.dwFileDateMS = fixed.dwFileDateMS;
  Info.dwFileDateLS = fixed.dwFileDateLS;
}

}  // namespace myHelper
