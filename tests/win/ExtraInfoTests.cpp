// Extra description lines from real desktop.ini files, class keys and the font list in
// the test's private prefix, with libraries the build makes.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FileInfoFixtures.h"
#include "MainWindowFixture.h"
#include "core/PathText.h"
#include "helpers/ExtraInfo.h"

namespace {

using myHelper::DesktopIniInfoTips;
using myHelper::ExpandEnvText;
using myHelper::FileExtraInfo;
using myHelper::ResolveIndirectString;

std::wstring Env(const wchar_t* name) {
  wchar_t value[1024] = {};
  GetEnvironmentVariableW(name, value, 1024);
  return value;
}

// A desktop.ini in folder with the given ASCII text.
void WriteIni(const std::wstring& folder, const std::string& text) {
  std::ofstream(std::filesystem::path(folder + L"\\desktop.ini"), std::ios::binary) << text;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow += static_cast<char>(c);
  return narrow;
}

// A key of the test's own under HKEY_LOCAL_MACHINE, deleted with its subkeys afterwards.
// Wine's HKEY_CLASSES_ROOT shows HKLM\Software\Classes only.
class TestKey {
 public:
  explicit TestKey(std::wstring path) : path_(std::move(path)) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key_, nullptr);
  }
  ~TestKey() {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
  }
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;

  void Text(const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  void Number(const wchar_t* name, DWORD value) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                             sizeof(value)),
              ERROR_SUCCESS);
  }

 private:
  std::wstring path_;
  HKEY key_ = nullptr;
};

constexpr wchar_t kClassA[] = L"{F01D0E2E-0000-4000-8000-00000000000A}";
constexpr wchar_t kClassB[] = L"{F01D0E2E-0000-4000-8000-00000000000B}";

TEST(ExtraInfo, DesktopIniValuesAreExpandedAndResolvedThenTheClassKeyFollows) {
  fm::test::TestFolder folder(L"extra-ini");
  SetEnvironmentVariableW(L"FOLDMERE_FIXTURES",
                          fm::FolderPart(fm::test::FixturePath(L"strings.dll")).c_str());
  TestKey key(std::wstring(L"Software\\Classes\\CLSID\\") + kClassA);
  key.Text(nullptr, L"Fixture Class");
  key.Text(L"InfoTip", L"@%FOLDMERE_FIXTURES%\\strings.dll,-7");
  key.Text(L"Path", L"%SystemRoot%\\fixture", REG_EXPAND_SZ);
  key.Number(L"Size", 5);
  WriteIni(folder.Path(),
           std::string("[.ShellClassInfo]\r\n") +
               "LocalizedResourceName=@%FOLDMERE_FIXTURES%\\strings.dll,-21798\r\n" +
               "IconResource=%SystemRoot%\\system32\\imageres.dll,-183\r\n" +
               "CLSID=" + Narrow(kClassA) + "\r\n" + "Empty=\r\n" +
               // INI keys ignore case within a section: the other spelling stands alone.
               "[Other]\r\nclsid={lower}\r\n");
  const std::wstring root = Env(L"SystemRoot");
  EXPECT_EQ(FileExtraInfo(folder.Path()),
            L"InfoTip: (desktop.ini) (LocalizedResourceName) (Library: strings.dll) Fixture "
            L"Localized Name\r\n"
            L"InfoTip: (desktop.ini) (IconResource) " +
                root +
                L"\\system32\\imageres.dll,-183\r\n"
                L"InfoTip: (desktop.ini) (clsid) {lower}\r\n"
                L"InfoTip: (Registry) (Default) Fixture Class\r\n"
                L"InfoTip: (Registry) (InfoTip) (Library: strings.dll) Fixture Documents\r\n"
                L"InfoTip: (Registry) (Path) " +
                root + L"\\fixture");
}

TEST(ExtraInfo, ADesktopIniIsReadInTheEncodingItsMarkNames) {
  fm::test::TestFolder folder(L"extra-encodings");
  const std::wstring expected = L"InfoTip: (desktop.ini) (Name) Gr\u00fc\u00dfe \u20ac";
  std::string utf16 = "\xFF\xFE";
  for (const wchar_t c : std::wstring(L"[s]\r\nName=Gr\u00fc\u00dfe \u20ac\r\n")) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  const struct {
    const wchar_t* name;
    std::string bytes;
  } cases[] = {
      {L"utf16", utf16},
      {L"utf8", "\xEF\xBB\xBF[s]\r\nName=Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\r\n"},
  };
  for (const auto& c : cases) {
    WriteIni(folder.Folder(c.name), c.bytes);
    EXPECT_EQ(FileExtraInfo(folder / c.name), expected) << Narrow(c.name);
  }
}

TEST(ExtraInfo, ClassKeysOfSeveralSectionsNameANestedKey) {
  fm::test::TestFolder folder(L"extra-nested");
  TestKey outer(std::wstring(L"Software\\Classes\\CLSID\\") + kClassA);
  outer.Text(nullptr, L"Outer");
  TestKey inner(std::wstring(L"Software\\Classes\\CLSID\\") + kClassA + L"\\" + kClassB);
  inner.Text(nullptr, L"Inner");
  WriteIni(folder.Path(), "[.ShellClassInfo]\r\nCLSID=" + Narrow(kClassA) +
                              "\r\n[Other]\r\nCLSID=" + Narrow(kClassB) + "\r\nName=x\r\n");
  EXPECT_EQ(DesktopIniInfoTips(folder / L"desktop.ini"),
            L"InfoTip: (desktop.ini) (Name) x\r\nInfoTip: (Registry) (Default) Inner");
}

TEST(ExtraInfo, AFolderShowsItsOwnDesktopIniAndAFileThatOfItsFolder) {
  fm::test::TestFolder folder(L"extra-own");
  WriteIni(folder.Path(), "[a]\r\nWhere=outer\r\n");
  const std::wstring sub = folder.Folder(L"sub");
  WriteIni(sub, "[a]\r\nWhere=inner\r\n");
  const std::wstring bare = folder.Folder(L"bare");
  const struct {
    std::wstring path;
    const wchar_t* extra;
  } cases[] = {
      {folder.Path(), L"InfoTip: (desktop.ini) (Where) outer"},
      {folder.File(L"a.txt"), L"InfoTip: (desktop.ini) (Where) outer"},
      {sub, L"InfoTip: (desktop.ini) (Where) inner"},
      {sub + L"\\b.txt", L"InfoTip: (desktop.ini) (Where) inner"},
      {bare, L""},
      {bare + L"\\gone.txt", L""},
      {L"", L""},
  };
  std::ofstream(std::filesystem::path(sub + L"\\b.txt")) << "b";
  for (const auto& c : cases)
    EXPECT_EQ(FileExtraInfo(c.path), c.extra) << testing::PrintToString(c.path);
}

TEST(ExtraInfo, ReferencesAreResolvedToLibraryStringsOrLeftAsFileAndNumber) {
  const std::wstring strings = fm::test::FixturePath(L"strings.dll");
  const std::wstring folder = fm::FolderPart(strings);
  const struct {
    std::wstring text;
    std::wstring resolved;
  } cases[] = {
      {L"@" + strings + L",-7", L"(Library: strings.dll) Fixture Documents"},
      // Relative to the folder given; the comma before "dll" is read as its dot.
      {L"strings,dll,-183", L"(Library: strings.dll) Fixture Icon"},
      {L"@strings.dll,7", L"(Library: strings.dll) Fixture Documents"},
      {L"@strings.dll,-9999", strings + L",9999"},
      {L"@strings.dll,abc", strings + L",abc"},
      {L"@strings.dll", strings},
      {L"@nosuch.dll", L"nosuch.dll"},
      {L"@nosuch.dll,-7", L"nosuch.dll,7"},
      {L"plain text", L"plain text"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResolveIndirectString(c.text, folder), c.resolved) << testing::PrintToString(c.text);
}

// The current folder for a scope, given back afterwards.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::wstring& folder) {
    GetCurrentDirectoryW(MAX_PATH, before_);
    SetCurrentDirectoryW(folder.c_str());
  }
  ~CurrentFolder() { SetCurrentDirectoryW(before_); }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  wchar_t before_[MAX_PATH] = {};
};

// Collects every path a reference makes the program look at, for a scope.
class ReferencedPaths {
 public:
  ReferencedPaths() {
    myHelper::WatchReferencedPaths([this](const std::wstring& path) { paths_.push_back(path); });
  }
  ~ReferencedPaths() { myHelper::WatchReferencedPaths({}); }
  ReferencedPaths(const ReferencedPaths&) = delete;
  ReferencedPaths& operator=(const ReferencedPaths&) = delete;
  const std::vector<std::wstring>& Paths() const { return paths_; }

 private:
  std::vector<std::wstring> paths_;
};

TEST(ExtraInfo, ADesktopIniReachesNoPlaceBeyondThisMachinesDrives) {
  fm::test::TestFolder folder(L"extra-remote");
  const std::wstring lib = folder.Folder(L"lib");
  const std::wstring strings = fm::test::FixturePath(L"strings.dll");
  ASSERT_TRUE(CopyFileW(strings.c_str(), (lib + L"\\strings.dll").c_str(), FALSE));
  // The current folder holds a library of the same name: it is not where a relative name
  // is looked for.
  const CurrentFolder current(fm::FolderPart(strings));
  WriteIni(folder.Path(), "[.ShellClassInfo]\r\n"
                          "Host=@\\\\foldmere-nohost\\%USERNAME%\\x.dll,-1\r\n"
                          "Pipe=@\\\\.\\pipe\\foldmere-tip,-1\r\n"
                          "Device=@\\\\?\\C:\\x.dll,-1\r\n"
                          "Relative=@lib\\strings.dll,-7\r\n"
                          "Near=@strings.dll,-7\r\n"
                          "Mail=Mail me@home.example\r\n");
  const std::wstring user = ExpandEnvText(L"%USERNAME%");
  const ReferencedPaths looked;
  EXPECT_EQ(FileExtraInfo(folder.Path()),
            L"InfoTip: (desktop.ini) (Host) \\\\foldmere-nohost\\" + user + L"\\x.dll,1\r\n"
            L"InfoTip: (desktop.ini) (Pipe) \\\\.\\pipe\\foldmere-tip,1\r\n"
            L"InfoTip: (desktop.ini) (Device) \\\\?\\C:\\x.dll,1\r\n"
            L"InfoTip: (desktop.ini) (Relative) (Library: strings.dll) Fixture Documents\r\n"
            L"InfoTip: (desktop.ini) (Near) strings.dll,7\r\n"
            L"InfoTip: (desktop.ini) (Mail) Mail me@home.example");
  // Only places in the desktop.ini's own folder were looked at, the relative library among
  // them.
  EXPECT_NE(std::find(looked.Paths().begin(), looked.Paths().end(), lib + L"\\strings.dll"),
            looked.Paths().end());
  for (const std::wstring& path : looked.Paths())
    EXPECT_EQ(path.rfind(folder.Path() + L"\\", 0), 0u) << Narrow(path);
}

TEST(ExtraInfo, LongTextsAreNotCutSilently) {
  // An expansion beyond 1,024 characters comes out in full, trimmed.
  const std::wstring longValue(1500, L'b');
  SetEnvironmentVariableW(L"FOLDMERE_LONG", longValue.c_str());
  EXPECT_EQ(ExpandEnvText(L" %FOLDMERE_LONG%\\x\t"), longValue + L"\\x");
  EXPECT_EQ(ExpandEnvText(L"%FOLDMERE_UNSET_NAME%"), L"%FOLDMERE_UNSET_NAME%");
  // A string longer than the buffer loses the half of the character pair the cut falls in.
  const std::wstring strings = fm::test::FixturePath(L"strings.dll");
  EXPECT_EQ(ResolveIndirectString(L"@" + strings + L",-300", fm::FolderPart(strings)),
            L"(Library: strings.dll) " + std::wstring(1022, L'a'));
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ExtraInfo, ALibraryNamedByADesktopIniIsReadWithoutRunningItsCode) {
  fm::test::TestFolder folder(L"extra-marker");
  const std::wstring library = folder / L"marker.dll";
  ASSERT_TRUE(CopyFileW(fm::test::FixturePath(L"marker.dll").c_str(), library.c_str(), FALSE));
  WriteIni(folder.Path(),
           "[.ShellClassInfo]\r\nLocalizedResourceName=@" + Narrow(library) + ",-7\r\n");
  EXPECT_EQ(FileExtraInfo(folder.Path()),
            L"InfoTip: (desktop.ini) (LocalizedResourceName) (Library: marker.dll) Marker Library "
            L"String");
  EXPECT_FALSE(Exists(library + L".ran"));

  // Loaded as code, the same library does leave its marker: the check above can fail.
  const std::wstring control = folder / L"control.dll";
  ASSERT_TRUE(CopyFileW(library.c_str(), control.c_str(), FALSE));
  HMODULE loaded = LoadLibraryW(control.c_str());
  ASSERT_NE(loaded, nullptr);
  FreeLibrary(loaded);
  EXPECT_TRUE(Exists(control + L".ran"));
}

TEST(ExtraInfo, AFontFileShowsTheNameItIsRegisteredUnderByItsBareFileName) {
  wchar_t fonts[MAX_PATH] = {};
  ASSERT_TRUE(
      SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, fonts)));
  const std::wstring bare = std::wstring(fonts) + L"\\foldmere-bare.ttf";
  const std::wstring full = std::wstring(fonts) + L"\\foldmere-full.ttf";
  for (const std::wstring& file : {bare, full})
    std::ofstream(std::filesystem::path(file)) << "font";
  const wchar_t* fontKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, fontKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const auto set = [&](const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  };
  set(L"Foldmere Bare (TrueType)", L"FOLDMERE-BARE.TTF");
  set(L"Foldmere Full (TrueType)", full);

  EXPECT_EQ(FileExtraInfo(bare), L"Font: (Registry) Foldmere Bare (TrueType)");
  EXPECT_EQ(FileExtraInfo(full), L"");

  RegDeleteValueW(key, L"Foldmere Bare (TrueType)");
  RegDeleteValueW(key, L"Foldmere Full (TrueType)");
  RegCloseKey(key);
  for (const std::wstring& file : {bare, full}) DeleteFileW(file.c_str());
}

}  // namespace
