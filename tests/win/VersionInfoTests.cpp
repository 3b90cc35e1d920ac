// The version reader on fixture binaries the build makes with chosen version resources.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "FileInfoFixtures.h"
#include "MainWindowFixture.h"
#include "helpers/VersionInfo.h"

namespace {

using myHelper::ReadFileVersionInfo;
using myHelper::TFileVersionInfo;

TFileVersionInfo Read(const std::wstring& path) {
  TFileVersionInfo info;
  ReadFileVersionInfo(info, path);
  return info;
}

TEST(VersionInfo, AFullResourceFillsEveryStringFlagAndNumber) {
  const std::wstring path = fm::test::FixturePath(L"full.exe");
  const TFileVersionInfo info = Read(path);
  EXPECT_TRUE(info.HasVersionInfo);
  EXPECT_EQ(info.FileName, path);
  EXPECT_FALSE(info.FileType.empty());
  EXPECT_EQ(info.CompanyName, L"Fixture Company");
  EXPECT_EQ(info.FileDescription, L"Fixture with every string");
  EXPECT_EQ(info.FileVersion, L"1.2.3.4");
  EXPECT_EQ(info.InternalName, L"full");
  // The resource spells the keys in other letter cases; lookups ignore case.
  EXPECT_EQ(info.LegalCopyRight, L"Copyright (C) Fixture");
  EXPECT_EQ(info.LegalTradeMarks, L"Fixture (TM)");
  EXPECT_EQ(info.OriginalFileName, L"full.exe");
  EXPECT_EQ(info.ProductName, L"Fixture Product");
  EXPECT_EQ(info.ProductVersion, L"5.6.7.8");
  EXPECT_EQ(info.Comments, L"No comment");
  EXPECT_EQ(info.SpecialBuildStr, L"Special one");
  EXPECT_EQ(info.PrivateBuildStr, L"Private one");
  EXPECT_EQ(info.FileFunction, L"Application");
  // Flags 0x2B: debug, pre-release, private and special build.
  EXPECT_TRUE(info.DebugBuild);
  EXPECT_TRUE(info.PreRelease);
  EXPECT_TRUE(info.PrivateBuild);
  EXPECT_TRUE(info.SpecialBuild);
  EXPECT_FALSE(info.Patched);
  EXPECT_FALSE(info.InfoInferred);
  EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(info.dwStrucVersion, 0x00010000u);
  EXPECT_EQ(info.dwFileVersionMS, 0x00010002u);
  EXPECT_EQ(info.dwFileVersionLS, 0x00030004u);
  EXPECT_EQ(info.dwProductVersionMS, 0x00050006u);
  EXPECT_EQ(info.dwProductVersionLS, 0x00070008u);
  EXPECT_EQ(info.dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(info.dwFileFlags, 0x2Bu);
  EXPECT_EQ(info.dwFileOS, 0x40004u);
  EXPECT_EQ(info.dwFileType, 1u);
  EXPECT_EQ(info.dwFileSubtype, 0u);
}

TEST(VersionInfo, StringsComeFromTheFirstTranslationOnlyAndKindAndFlagsFromTheFixedInfo) {
  struct Case {
    const wchar_t* file;
    const wchar_t* productName;
    const wchar_t* fileVersion;
    const wchar_t* fileFunction;
    bool debugBuild;
    bool patched;
    std::uint32_t fileVersionMS;
  };
  const Case cases[] = {
      {L"ansi.exe", L"Western Product", L"3.0 ansi", L"Application", false, false, 0x00030000},
      {L"german.exe", L"Prüfprogramm", L"4.0 Deutsch", L"Application", false, false, 0x00040000},
      // Without a translation table no string is found; the rest is read all the same.
      {L"notrans.exe", L"", L"", L"DLL", false, true, 0x00050001},
      // Every flag set, only the debug flag valid.
      {L"maskflags.exe", L"", L"6.0", L"DLL", true, false, 0x00060000},
      {L"driver.dll", L"", L"", L"InstallableDriver", false, false, 0x00070000},
      {L"vxd.dll", L"", L"", L"Virtual Defice Identifier = 000012AB", false, false, 0x00080000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
    const TFileVersionInfo info = Read(fm::test::FixturePath(c.file));
    EXPECT_TRUE(info.HasVersionInfo);
    EXPECT_EQ(info.ProductName, c.productName);
    EXPECT_EQ(info.FileVersion, c.fileVersion);
    EXPECT_EQ(info.FileFunction, c.fileFunction);
    EXPECT_EQ(info.DebugBuild, c.debugBuild);
    EXPECT_EQ(info.Patched, c.patched);
    EXPECT_FALSE(info.PreRelease);
    EXPECT_FALSE(info.SpecialBuild);
    EXPECT_FALSE(info.PrivateBuild);
    EXPECT_FALSE(info.InfoInferred);
    EXPECT_EQ(info.dwFileVersionMS, c.fileVersionMS);
  }
}

TEST(VersionInfo, FilesAndFoldersWithoutAResourceKeepNothingOfAnEarlierRead) {
  fm::test::TestFolder folder(L"version-none");
  const std::wstring text = folder.File(L"plain.txt", "hello");
  struct Case {
    std::wstring path;
    bool hasType;
  };
  const Case cases[] = {{text, true}, {folder.Path(), true}, {folder / L"missing.exe", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    TFileVersionInfo info;
    ReadFileVersionInfo(info, fm::test::FixturePath(L"full.exe"));
    ASSERT_TRUE(info.HasVersionInfo);
    ReadFileVersionInfo(info, c.path);
    EXPECT_FALSE(info.HasVersionInfo);
    EXPECT_EQ(info.FileName, c.path);
    EXPECT_EQ(!info.FileType.empty(), c.hasType) << testing::PrintToString(info.FileType);
    EXPECT_EQ(info.CompanyName, L"");
    EXPECT_EQ(info.PrivateBuildStr, L"");
    EXPECT_EQ(info.FileFunction, L"");
    EXPECT_FALSE(info.DebugBuild);
    EXPECT_EQ(info.dwSignature, 0u);
    EXPECT_EQ(info.dwFileFlags, 0u);
  }
}

}  // namespace
