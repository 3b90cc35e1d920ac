#include <gtest/gtest.h>

#include "core/PathText.h"

namespace fm {
namespace {

struct TextCase {
  std::wstring input;
  std::wstring expected;
};

TEST(PathTextTest, DriveLetterPathHasItsFirstColonBackslashAtIndexOne) {
  const struct {
    const wchar_t* path;
    bool isDrivePath;
  } cases[] = {
      {L"C:\\Windows", true},
      {L"C:\\", true},
      {L"C:\\a:\\b", true},
      {L"C:", false},
      {L"", false},
      {L":\\x", false},
      {L"ab:\\x", false},
      {L"\\\\server\\share", false},
      {L"\\\\?\\C:\\x", false},
      {L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDriveLetterPath(c.path), c.isDrivePath) << c.path;
}

TEST(PathTextTest, FinalPathLosesPrefixesPaddingAndWhatFollowsNul) {
  const TextCase cases[] = {
      {L"\\\\?\\C:\\dir\\file", L"C:\\dir\\file"},
      {L"\\\\?\\UNC\\server\\share\\x", L"\\\\server\\share\\x"},
      {std::wstring(L"\\\\?\\C:\\a\0junk", 12), L"C:\\a"},
      {L" \t\\\\?\\C:\\My Files \r\n", L"C:\\My Files"},
      {L"C:\\x", L"C:\\x"},
      {L"\\\\?\\", L""},
      {L"\\\\?\\UNC\\", L"\\\\"},
      {L"\\\\server\\share", L"\\\\server\\share"},
      {L"\x01\x1f \x7f", L"\x7f"},  // DEL sorts above the blank and stays
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanFinalPath(c.input), c.expected) << c.input;
}

TEST(PathTextTest, TypedPathIsCompletedToADriveRoot) {
  const TextCase cases[] = {
      {L"d", L"d:\\"}, {L"d:", L"d:\\"}, {L"C:\\Windows", L"C:\\Windows"}, {L"drives", L"drives"},
      {L"", L""},      {L":", L"::\\"},  {L"C:\\x:", L"C:\\x:\\"},         {L"ab", L"ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(CompleteTypedPath(c.input), c.expected) << c.input;
}

TEST(PathTextTest, FileNamePartFollowsLastBackslashOrColon) {
  const TextCase cases[] = {
      {L"C:\\dir\\a.txt", L"a.txt"}, {L"C:a.txt", L"a.txt"}, {L"a.txt", L"a.txt"},
      {L"C:\\dir\\", L""},           {L"C:\\d\\f:s", L"s"},  {L"C:\\a:b\\c", L"c"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileNamePart(c.input), c.expected) << c.input;
}

// The command box starts a typed text in its path part; the context menu parses the
// parent part and then the name part in it.
TEST(PathTextTest, PathAndNamePartsSplitAtTheLastBackslashOrColon) {
  const struct {
    const wchar_t* path;
    const wchar_t* pathPart;
    const wchar_t* name;
  } cases[] = {
      {L"C:\\dir\\a.txt", L"C:\\dir\\", L"a.txt"},
      {L"C:\\a.txt", L"C:\\", L"a.txt"},
      {L"C:\\dir\\", L"C:\\dir\\", L""},
      {L"C:\\", L"C:\\", L""},
      {L"C:", L"C:", L""},
      {L"C:a.txt", L"C:", L"a.txt"},
      {L"notepad.exe", L"", L"notepad.exe"},
      {L"C:\\Tools\\run.exe /x C:\\in.txt", L"C:\\Tools\\run.exe /x C:\\", L"in.txt"},
      {L"run.exe a:b", L"run.exe a:", L"b"},
      {L"\\\\server\\share\\x", L"\\\\server\\share\\", L"x"},
      {L"", L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PathPart(c.path), c.pathPart) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
  }
}

TEST(PathTextTest, NameInFolderOnlyForAnEntryDirectlyInside) {
  const struct {
    const wchar_t* path;
    const wchar_t* folder;
    const wchar_t* name;
  } cases[] = {
      {L"C:\\dir\\a.txt", L"C:\\dir", L"a.txt"},
      {L"C:\\a.txt", L"C:\\", L"a.txt"},
      {L"C:\\dirx\\a.txt", L"C:\\dir", L""},      // a sibling whose name starts alike
      {L"C:\\dir\\sub\\a.txt", L"C:\\dir", L""},  // deeper down
      {L"c:\\DIR\\a.txt", L"C:\\dir", L""},       // another spelling is not trusted
      {L"C:\\dir", L"C:\\dir", L""},
      {L"C:\\dir\\", L"C:\\dir", L""},
      {L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L"C:\\dir", L""},
      {L"C:\\dir\\a.txt", L"", L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NameInFolder(c.path, c.folder), c.name) << c.path << L" in " << c.folder;
}

TEST(PathTextTest, JoinPathPutsOneBackslashBetween) {
  EXPECT_EQ(JoinPath(L"C:\\dir", L"a.txt"), L"C:\\dir\\a.txt");
  EXPECT_EQ(JoinPath(L"C:\\", L"a.txt"), L"C:\\a.txt");
}

TEST(PathTextTest, LastPathPartShowsShortNamesButKeepsRootsWhole) {
  const TextCase cases[] = {
      {L"C:\\Windows", L"Windows"}, {L"C:\\data\\ab", L"ab"},
      {L"C:\\data\\a", L"a"},       {L"C:\\data\\abc", L"abc"},
      {L"C:\\", L"C:\\"},           {L"C:\\data\\", L"C:\\data\\"},
      {L"Drives", L"Drives"},       {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(LastPathPart(c.input), c.expected) << c.input;
}

TEST(PathTextTest, FolderPartKeepsTheBackslashOfADriveRoot) {
  const TextCase cases[] = {
      {L"C:\\a.txt", L"C:\\"},
      {L"C:\\Windows\\a.txt", L"C:\\Windows"},
      {L"C:\\Windows\\", L"C:\\Windows"},
      {L"C:\\", L"C:\\"},
      {L"\\\\server\\share\\a", L"\\\\server\\share"},
      {L"a.txt", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderPart(c.input), c.expected) << c.input;
}

TEST(PathTextTest, DriveRootIsALetterColonAndBackslashAlone) {
  const struct {
    const wchar_t* path;
    bool root;
  } cases[] = {
      {L"C:\\", true}, {L"z:\\", true},   {L"C:", false},   {L"C:\\a", false}, {L"1:\\", false},
      {L"\\\\", false}, {L"", false}, {L"CC:\\", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDriveRoot(c.path), c.root) << c.path;
}

TEST(PathTextTest, AnEndingDotOrBlankIsWhatPathHandlingStrips) {
  const struct {
    const wchar_t* path;
    bool stripped;
  } cases[] = {
      {L"C:\\dir\\report.txt.", true}, {L"C:\\dir\\name ", true}, {L"C:\\dir\\report.txt", false},
      {L"C:\\", false},                  {L"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(EndingIsStripped(c.path), c.stripped) << c.path;
}

}  // namespace
}  // namespace fm
