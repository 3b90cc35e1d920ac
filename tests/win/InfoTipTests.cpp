// Info tips of real rows of the left list, asked for the way the pointer asks for them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "FileInfoFixtures.h"
#include "MainWindowFixture.h"

namespace {

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(L"\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::wstring::npos) return lines;
    start = end + 2;
  }
}

class InfoTip : public fm::test::MainWindowTest {
 protected:
  std::wstring SizeColumnOf(const std::wstring& caption) {
    for (int row = 0; row < List().ItemCount(); ++row) {
      const fm::ui::TListItem item = List().ItemData(row);
      if (item.Caption == caption) return item.SubItems.at(0);
    }
    return {};
  }
};

TEST_F(InfoTip, RowsOfFilesAndFoldersShowTheirFactsInOrder) {
  fm::test::TestFolder folder(L"tips");
  const std::wstring text = folder.File(L"plain.txt", "hello");
  const std::wstring full = folder / L"full.exe";
  const std::wstring partial = folder / L"partial.exe";
  ASSERT_TRUE(CopyFileW(fm::test::FixturePath(L"full.exe").c_str(), full.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(fm::test::FixturePath(L"partial.exe").c_str(), partial.c_str(), FALSE));
  const std::wstring described = folder.Folder(L"described");
  folder.File(L"described\\desktop.ini", "[.ShellClassInfo]\r\nInfoTip=A folder of its own\r\n");
  main_->BrowseToPath(folder.Path());
  Paint();

  const auto plain = Lines(TipOf(L"plain.txt"));
  ASSERT_EQ(plain.size(), 3u);
  EXPECT_EQ(plain[0], L"Location: " + text);
  EXPECT_TRUE(plain[1].rfind(L"Type: ", 0) == 0 && plain[1].size() > 6)
      << testing::PrintToString(plain[1]);
  EXPECT_EQ(plain[2], L"Size: 5 B");

  const auto fullTip = Lines(TipOf(L"full.exe"));
  ASSERT_EQ(fullTip.size(), 16u) << testing::PrintToString(fullTip);
  EXPECT_EQ(fullTip[0], L"Location: " + full);
  EXPECT_EQ(fullTip[1].substr(0, 6), L"Type: ");
  const std::vector<std::wstring> versionLines(fullTip.begin() + 2, fullTip.end() - 1);
  EXPECT_EQ(
      versionLines,
      (std::vector<std::wstring>{
          L"Company: Fixture Company", L"Description: Fixture with every string",
          L"File Version: 1.2.3.4", L"Internal Filename: full", L"Copyright: Copyright (C) Fixture",
          L"Trademark: Fixture (TM)", L"Original Filename: full.exe", L"Product: Fixture Product",
          L"Product Version: 5.6.7.8", L"Comments: No comment", L"Special Build: Special one",
          L"Private Build: Private one", L"Function: Application"}));
  EXPECT_EQ(fullTip.back(), L"Size: " + SizeColumnOf(L"full.exe"));

  const auto partialTip = Lines(TipOf(L"partial.exe"));
  EXPECT_EQ(std::vector<std::wstring>(partialTip.begin() + 2, partialTip.end()),
            (std::vector<std::wstring>{L"Company: Partial Company", L"File Version: 2.0",
                                       L"Product: Partial Product", L"Function: Application",
                                       L"Size: " + SizeColumnOf(L"partial.exe")}));

  const auto folderTip = Lines(TipOf(L"described"));
  ASSERT_EQ(folderTip.size(), 3u);
  EXPECT_EQ(folderTip[0], L"Location: " + described);
  EXPECT_EQ(folderTip[1].substr(0, 6), L"Type: ");
  EXPECT_EQ(folderTip[2], L"InfoTip: (desktop.ini) (InfoTip) A folder of its own");
}

TEST_F(InfoTip, ADriveRootAndAFolderLinkShowNoSizeLine) {
  // The window starts in the computer folder.
  std::wstring drive;
  for (int row = 0; row < List().ItemCount() && drive.empty(); ++row) {
    const std::wstring caption = List().ItemData(row).Caption;
    if (caption.find(L"(C:)") != std::wstring::npos) drive = caption;
  }
  ASSERT_FALSE(drive.empty());
  const auto root = Lines(TipOf(drive));
  ASSERT_GE(root.size(), 2u);
  EXPECT_EQ(root[0], L"Location: C:\\");
  EXPECT_EQ(root[1].substr(0, 6), L"Type: ");
  for (const std::wstring& line : root) EXPECT_NE(line.substr(0, 6), L"Size: ");

  main_->BrowseToPath(fm::test::kLinkFixture);
  Paint();
  const auto link = Lines(TipOf(L"link-to-folder"));
  EXPECT_EQ(SizeColumnOf(L"link-to-folder"), L"LINK");
  ASSERT_EQ(link.size(), 2u);
  EXPECT_EQ(link[0].substr(0, 10), L"Location: ");
  EXPECT_EQ(link[1].substr(0, 6), L"Type: ");
}

}  // namespace
