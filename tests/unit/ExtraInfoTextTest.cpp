#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/ExtraInfoText.h"

namespace fm {
namespace {

TEST(ExtraInfoTextTest, LinesHaveTheirFormats) {
  EXPECT_EQ(
      DesktopIniLine(L"desktop.ini", L"IconResource", L"C:\\Windows\\system32\\imageres.dll,-183"),
      L"InfoTip: (desktop.ini) (IconResource) C:\\Windows\\system32\\imageres.dll,-183");
  EXPECT_EQ(RegistryLine(L"", L"Recycle Bin"), L"InfoTip: (Registry) (Default) Recycle Bin");
  EXPECT_EQ(RegistryLine(L"InfoTip", L"Bin"), L"InfoTip: (Registry) (InfoTip) Bin");
  EXPECT_EQ(FontLine(L"Tahoma (TrueType)"), L"Font: (Registry) Tahoma (TrueType)");
  EXPECT_EQ(LibraryStringText(L"C:\\Windows\\system32\\shell32.dll", L"Documents"),
            L"(Library: shell32.dll) Documents");
}

TEST(ExtraInfoTextTest, LinesAreJoinedByCrLfWithoutOneAtTheEnd) {
  std::wstring text;
  AppendLine(text, L"one");
  EXPECT_EQ(text, L"one");
  AppendLine(text, L"two\r\nthree");
  EXPECT_EQ(text, L"one\r\ntwo\r\nthree");
}

TEST(ExtraInfoTextTest, FolderFilesAndFontsFolderMatch) {
  EXPECT_EQ(DesktopIniPathIn(L"C:\\Data"), L"C:\\Data\\desktop.ini");
  EXPECT_EQ(DesktopIniPathIn(L"C:\\"), L"C:\\desktop.ini");
  EXPECT_TRUE(LiesInFolder(L"C:\\WINDOWS\\Fonts\\arial.ttf", L"c:\\windows\\fonts"));
  EXPECT_FALSE(LiesInFolder(L"C:\\windows\\Fonts\\sub\\arial.ttf", L"C:\\windows\\Fonts"));
  EXPECT_FALSE(LiesInFolder(L"C:\\windows\\Fonts", L"C:\\windows\\Fonts"));
  // Only A to Z fold.
  EXPECT_FALSE(LiesInFolder(L"C:\\SCHRIFTÄRTEN\\a.ttf", L"c:\\schriftärten"));
}

TEST(ExtraInfoTextTest, TrimRemovesBlanksAndControlCharactersAtTheEndsOnly) {
  EXPECT_EQ(TrimBlanksAndControls(L" \t C:\\a b\r\n\x01"), L"C:\\a b");
  EXPECT_EQ(TrimBlanksAndControls(L" \t\r\n"), L"");
}

TEST(ExtraInfoTextTest, HalfACharacterPairAtTheEndIsDropped) {
  const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
  EXPECT_EQ(WithoutSplitPair(L"ab" + pair), L"ab" + pair);
  EXPECT_EQ(WithoutSplitPair(L"ab" + pair.substr(0, 1)), L"ab");
  EXPECT_EQ(WithoutSplitPair(L""), L"");
}

TEST(ExtraInfoTextTest, ReferencesSplitIntoFileNumberPartAndAbsoluteNumber) {
  const struct {
    const wchar_t* text;
    const wchar_t* file;
    const wchar_t* number;
    int id;
  } cases[] = {
      {L"C:\\Windows\\system32\\shell32.dll,-21798", L"C:\\Windows\\system32\\shell32.dll",
       L"21798", 21798},
      {L"strings.dll,7", L"strings.dll", L"7", 7},
      {L"shell32,dll,-4", L"shell32.dll", L"4", 4},
      // The second comma must stand four places after the first, with more text after it.
      {L"a,bc,-4", L"a", L"4", 4},
      {L"a,bcd,", L"a", L"bcd,", -1},
      {L"a,bcd,1", L"a.bcd", L"1", 1},
      {L"lib.dll,--5", L"lib.dll", L"-5", 5},
      {L"lib.dll,+5", L"lib.dll", L"+5", 5},
      {L"lib.dll,x12", L"lib.dll", L"x12", -1},
      {L"lib.dll,", L"lib.dll", L"", -1},
      {L"lib.dll,99999999999", L"lib.dll", L"99999999999", -1},
      {L"shell32.dll", L"shell32.dll", L"", -1},
      {L",-3", L"", L"3", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    const LibraryReference reference = SplitLibraryReference(c.text);
    EXPECT_EQ(reference.file, c.file);
    EXPECT_EQ(reference.number, c.number);
    EXPECT_EQ(reference.id, c.id);
  }
}

TEST(ExtraInfoTextTest, OnlyAValueThatBeginsWithAnAtIsAReference) {
  const struct {
    std::wstring_view value;
    bool reference;
    std::wstring_view withoutMark;
  } cases[] = {
      {L"@%SystemRoot%\\a.dll,-1", true, L"%SystemRoot%\\a.dll,-1"},
      {L"@@x", true, L"@x"},
      {L"Mail me@home.example", false, L"Mail me@home.example"},
      {L"x@y@z", false, L"x@y@z"},
      {L" @a.dll,-1", false, L" @a.dll,-1"},
      {L"no reference", false, L"no reference"},
      {L"", false, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsLibraryReference(c.value), c.reference) << testing::PrintToString(c.value);
    EXPECT_EQ(WithoutReferenceMark(c.value), c.withoutMark) << testing::PrintToString(c.value);
  }
}

TEST(ExtraInfoTextTest, ALibraryIsLookedForOnlyOnADriveLetterRelativeNamesUnderTheFolder) {
  const std::wstring_view folder = L"D:\\shares\\music";
  const struct {
    std::wstring_view file;
    std::optional<std::wstring> path;
  } cases[] = {
      {L"C:\\Windows\\system32\\shell32.dll", L"C:\\Windows\\system32\\shell32.dll"},
      {L"c:\\x.dll", L"c:\\x.dll"},
      {L"strings.dll", L"D:\\shares\\music\\strings.dll"},
      {L"lib\\..\\x.dll", L"D:\\shares\\music\\lib\\..\\x.dll"},
      {L"\\x.dll", L"D:\\x.dll"},
      {L"/x.dll", L"D:\\x.dll"},
      // Other machines, devices and pipes, and a drive's own current folder.
      {L"\\\\host\\share\\x.dll", std::nullopt},
      {L"//host/share/x.dll", std::nullopt},
      {L"\\/host/x.dll", std::nullopt},
      {L"\\\\.\\pipe\\name", std::nullopt},
      {L"\\\\?\\C:\\x.dll", std::nullopt},
      {L"\\\\?\\UNC\\host\\x.dll", std::nullopt},
      {L"C:x.dll", std::nullopt},
      {L"C:/x.dll", std::nullopt},
      {L"", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LibraryPathIn(c.file, folder), c.path) << testing::PrintToString(c.file);
  // A folder that is itself no drive-letter path gives nothing a place.
  EXPECT_EQ(LibraryPathIn(L"strings.dll", L"\\\\host\\share"), std::nullopt);
  EXPECT_EQ(LibraryPathIn(L"strings.dll", L"D:\\"), L"D:\\strings.dll");
}

TEST(ExtraInfoTextTest, AnUnloadedReferenceReadsAsFileCommaNumber) {
  EXPECT_EQ(ReferenceText(L"C:\\a.dll", L"12"), L"C:\\a.dll,12");
  EXPECT_EQ(ReferenceText(L"C:\\a.dll", L""), L"C:\\a.dll");
  EXPECT_EQ(ReferenceText(L"", L"12"), L"");
}

}  // namespace
}  // namespace fm
