// What the system shows about one file or folder: the shell's type name, the extra
// description lines, and the contents of its version resource.
#pragma once

#include <cstdint>
#include <string>

namespace fm {

// A plain value; ReadFileVersionInfo writes every field.
struct TFileVersionInfo {
  bool HasVersionInfo = false;
  std::wstring Extra;
  std::wstring FileName;
  std::wstring FileType;
  std::wstring CompanyName;
  std::wstring FileDescription;
  std::wstring FileVersion;
  std::wstring InternalName;
  std::wstring LegalCopyRight;
  std::wstring LegalTradeMarks;
  std::wstring OriginalFileName;
  std::wstring ProductName;
  std::wstring ProductVersion;
  std::wstring Comments;
  std::wstring SpecialBuildStr;
  std::wstring PrivateBuildStr;
  std::wstring FileFunction;
  bool DebugBuild = false;
  bool PreRelease = false;
  bool SpecialBuild = false;
  bool PrivateBuild = false;
  bool Patched = false;
  bool InfoInferred = false;
  // The fixed file information, field for field in its own order.
  std::uint32_t dwSignature = 0;
  std::uint32_t dwStrucVersion = 0;
  std::uint32_t dwFileVersionMS = 0;
  std::uint32_t dwFileVersionLS = 0;
  std::uint32_t dwProductVersionMS = 0;
  std::uint32_t dwProductVersionLS = 0;
  std::uint32_t dwFileFlagsMask = 0;
  std::uint32_t dwFileFlags = 0;
  std::uint32_t dwFileOS = 0;
  std::uint32_t dwFileType = 0;
  std::uint32_t dwFileSubtype = 0;
  std::uint32_t dwFileDateMS = 0;
  std::uint32_t dwFileDateLS = 0;
};

}  // namespace fm
