// The version resource and the manifest, read back from this test executable: it links
// the same compiled resources as Foldmere.exe.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "Version.h"

namespace {

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + strlen(ascii)); }

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  return text;
}

std::wstring ModulePath(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(module, path.data(), MAX_PATH));
  return path;
}

class ExecutableVersion : public testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = ModulePath(nullptr);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u) << "no version resource, error " << GetLastError();
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data_.data()));
  }

  // The value at a sub-block path, or null.
  const void* Query(const std::wstring& block, UINT& length) {
    void* value = nullptr;
    length = 0;
    if (!VerQueryValueW(data_.data(), block.c_str(), &value, &length)) return nullptr;
    return value;
  }

  // A string of the first translation the resource lists, as a reader of it finds it.
  std::wstring String(const wchar_t* name) {
    UINT length = 0;
    const auto* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", length));
    if (!translation || length < 2 * sizeof(WORD)) return L"<no translation>";
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04X%04X\\%ls", translation[0], translation[1], name);
    const auto* text = static_cast<const wchar_t*>(Query(block, length));
    if (!text) return L"<missing>";
    // The length counts the terminator.
    return std::wstring(text, wcsnlen(text, length));
  }

  std::vector<BYTE> data_;
};

TEST_F(ExecutableVersion, TranslationIsUsEnglishInUnicode) {
  UINT length = 0;
  const auto* translation = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation", length));
  ASSERT_NE(translation, nullptr);
  ASSERT_EQ(length, 2 * sizeof(WORD));
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 0x04B0);
}

TEST_F(ExecutableVersion, StringsNameTheProductAndCarryTheBuildVersion) {
  struct Case {
    const wchar_t* name;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"ProductName", L"Foldmere x64"},
      {L"FileVersion", Widen(FOLDMERE_VERSION_TEXT)},
      {L"ProductVersion", Widen(FOLDMERE_VERSION_TEXT)},
      {L"OriginalFilename", L"Foldmere.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(String(c.name), c.expected) << c.name;
  for (const wchar_t* name : {L"LegalCopyright", L"CompanyName", L"FileDescription", L"InternalName"}) {
    const std::wstring text = String(name);
    EXPECT_FALSE(text.empty() || text.front() == L'<') << name << ": " << testing::PrintToString(text);
  }
}

TEST_F(ExecutableVersion, FixedVersionNumbersMatchTheBuildVersion) {
  UINT length = 0;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query(L"\\", length));
  ASSERT_NE(fixed, nullptr);
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD high = MAKELONG(FOLDMERE_VERSION_MINOR, FOLDMERE_VERSION_MAJOR);
  const DWORD low = MAKELONG(FOLDMERE_VERSION_TWEAK, FOLDMERE_VERSION_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  // The text and the numbers come from the one project version.
  const std::wstring numbers = std::to_wstring(FOLDMERE_VERSION_MAJOR) + L"." + std::to_wstring(FOLDMERE_VERSION_MINOR) +
                               L"." + std::to_wstring(FOLDMERE_VERSION_PATCH) + L"." +
                               std::to_wstring(FOLDMERE_VERSION_TWEAK);
  EXPECT_EQ(Widen(FOLDMERE_VERSION_TEXT), numbers);
}

TEST(ExecutableManifest, AsksForCommonControls6) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(resource, nullptr);
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, SizeofResource(nullptr, resource));
  const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
  ASSERT_NE(controls, std::string::npos);
  const size_t end = manifest.find("/>", controls);
  EXPECT_NE(manifest.substr(controls, end - controls).find("version=\"6.0.0.0\""), std::string::npos);
}

// The system read the manifest: the process's activation context is ours and sends
// comctl32.dll to the version 6 assembly, which is the one loaded.
TEST(ExecutableManifest, IsInEffectAndLoadsCommonControls6) {
  ACTCTX_SECTION_KEYED_DATA found{sizeof(found)};
  ASSERT_TRUE(FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                       ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &found))
      << "comctl32.dll is not redirected, error " << GetLastError();
  ASSERT_NE(found.hActCtx, nullptr);

  SIZE_T needed = 0;
  QueryActCtxW(0, found.hActCtx, nullptr, ActivationContextDetailedInformation, nullptr, 0, &needed);
  std::vector<BYTE> buffer(std::max<SIZE_T>(needed, sizeof(ACTIVATION_CONTEXT_DETAILED_INFORMATION)));
  ASSERT_TRUE(QueryActCtxW(0, found.hActCtx, nullptr, ActivationContextDetailedInformation, buffer.data(),
                           buffer.size(), &needed));
  const auto& context = *reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(buffer.data());
  ASSERT_NE(context.lpRootManifestPath, nullptr);
  EXPECT_EQ(Lower(context.lpRootManifestPath), Lower(ModulePath(nullptr)));

  std::vector<std::wstring> identities;
  for (DWORD index = 1; index <= context.ulAssemblyCount; ++index) {
    needed = 0;
    QueryActCtxW(0, found.hActCtx, &index, AssemblyDetailedInformationInActivationContext, nullptr, 0, &needed);
    std::vector<BYTE> assembly(std::max<SIZE_T>(needed, sizeof(ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION)));
    if (!QueryActCtxW(0, found.hActCtx, &index, AssemblyDetailedInformationInActivationContext, assembly.data(),
                      assembly.size(), &needed)) {
      continue;
    }
    const auto& info = *reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(assembly.data());
    if (info.lpAssemblyEncodedAssemblyIdentity) identities.push_back(info.lpAssemblyEncodedAssemblyIdentity);
  }
  ReleaseActCtx(found.hActCtx);
  const auto controls = std::find_if(identities.begin(), identities.end(), [](const std::wstring& identity) {
    return identity.starts_with(L"Microsoft.Windows.Common-Controls,");
  });
  ASSERT_NE(controls, identities.end()) << testing::PrintToString(identities);
  EXPECT_NE(controls->find(L"version=\"6."), std::wstring::npos) << testing::PrintToString(*controls);

  HMODULE loaded = GetModuleHandleW(L"comctl32.dll");
  ASSERT_NE(loaded, nullptr);
  EXPECT_NE(Lower(ModulePath(loaded)).find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."),
            std::wstring::npos)
      << testing::PrintToString(ModulePath(loaded));
}

}  // namespace
