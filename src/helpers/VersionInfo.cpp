#include "helpers/VersionInfo.h"

#include <shellapi.h>

#include <vector>

#include "core/VersionText.h"
#include "helpers/ExtraInfo.h"

namespace myHelper {

std::wstring QueryVersionString(const void* VersionData, const std::wstring& Key) {
  void* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(VersionData, L"\\VarFileInfo\\Translation", &translation, &length) ||
      translation == nullptr || length < sizeof(DWORD)) {
    return {};
  }
  // Only the first language and code page the resource lists; no other is tried.
  const DWORD first = *static_cast<const DWORD*>(translation);
  void* value = nullptr;
  length = 0;
  const std::wstring path = fm::VersionStringPath(first, Key);
  if (!VerQueryValueW(VersionData, path.c_str(), &value, &length) || value == nullptr) return {};
  // The length counts characters, the terminating zero mostly included; stop at the
  // first zero either way.
  const auto* text = static_cast<const wchar_t*>(value);
  std::size_t size = 0;
  while (size < length && text[size] != L'\0') ++size;
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
  Info.HasVersionInfo = true;
  std::vector<BYTE> data(size);
  // The data is read once and every string is looked up in it.
  if (!GetFileVersionInfoW(FileName.c_str(), handle, size, data.data())) return;

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
  for (const Field& field : kStrings) Info.*field.text = QueryVersionString(data.data(), field.key);

  void* root = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", &root, &length) || root == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
    return;
  }
  const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(root);
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
