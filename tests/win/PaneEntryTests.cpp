// A pane's entry keeps its item ID list and texts in a shared, packed form: whatever it
// shares or leaves out, it gives back exactly what it was given, also after moves.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "MainUnit.h"
#include "core/Error.h"

namespace {

using MainUnit::TLeftShellItem;
using PaneUnit::TSharedPath;

struct EntryCase {
  const wchar_t* folder;  // the path the folder's items lie in; null for none
  const wchar_t* name;
  const wchar_t* displayName;
  const wchar_t* fullPath;
};

std::string Trace(const EntryCase& c) {
  return fm::ToUtf8(std::wstring(c.folder ? c.folder : L"(none)") + L" | " + c.name + L" | " + c.displayName +
                    L" | " + c.fullPath);
}

TEST(PaneEntry, GivesBackTheListNameDisplayNameAndPathItWasGiven) {
  const EntryCase cases[] = {
      {L"C:\\data", L"a.txt", L"a.txt", L"C:\\data\\a.txt"},
      {L"C:\\", L"a.txt", L"a.txt", L"C:\\a.txt"},
      // A link's final path lies elsewhere, or deeper in the folder.
      {L"C:\\data", L"b.txt", L"b.txt", L"C:\\other\\b.txt"},
      {L"C:\\data", L"link", L"c.txt", L"C:\\data\\sub\\c.txt"},
      // The final path differs from the folder's path in letter case alone.
      {L"C:\\Data", L"a.txt", L"a.txt", L"C:\\data\\a.txt"},
      {L"C:\\data", L"Docs", L"My Documents", L"C:\\data\\Docs"},
      {L"C:\\data", L"named", L"", L"C:\\data\\named"},
      {L"C:\\data", L"", L"data", L"C:\\data"},
      {nullptr, L"C:\\", L"System (C:)", L"C:\\"},
      {nullptr, L"y.txt", L"y.txt", L"D:\\x\\y.txt"},
      {L"C:\\data", L"", L"", L""},
      {L"C:\\data", L"x", L"shown", L""},
  };
  // Lists of odd and even length: the texts follow the list in the same block.
  const std::vector<std::vector<unsigned char>> lists = {{3, 0, 'x', 0, 0}, {4, 0, 'x', 'y', 0, 0}};
  for (const auto& list : lists) {
    const auto* id = reinterpret_cast<LPCITEMIDLIST>(list.data());
    std::vector<TLeftShellItem> entries;
    for (const EntryCase& c : cases) {
      const TSharedPath folder = c.folder ? TSharedPath(c.folder) : TSharedPath();
      entries.emplace_back(id, c.name, c.displayName, c.fullPath, folder);
    }
    // The list moves its entries as it grows; a moved entry gives back the same.
    entries.emplace(entries.begin(), TLeftShellItem());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const EntryCase& c = cases[i];
      SCOPED_TRACE(Trace(c) + ", list of " + std::to_string(list.size()) + " bytes");
      const TLeftShellItem& entry = entries[i + 1];
      ASSERT_NE(entry.ID(), nullptr);
      EXPECT_EQ(std::memcmp(entry.ID(), list.data(), list.size()), 0);
      EXPECT_EQ(entry.Name(), c.name);
      EXPECT_EQ(entry.DisplayName(), c.displayName);
      EXPECT_EQ(entry.FullPath(), c.fullPath);
      TLeftShellItem moved;
      moved = std::move(entries[i + 1]);
      EXPECT_EQ(moved.Name(), c.name);
      EXPECT_EQ(moved.DisplayName(), c.displayName);
      EXPECT_EQ(moved.FullPath(), c.fullPath);
    }
    EXPECT_EQ(entries.front().ID(), nullptr);
    EXPECT_EQ(entries.front().FullPath(), L"");
  }
}

TEST(PaneEntry, EntriesOfOneFolderShareItsPathAndOutliveTheReadThatMadeThem) {
  std::vector<TLeftShellItem> entries;
  {
    const TSharedPath folder(L"C:\\data");
    for (const wchar_t* name : {L"a.txt", L"b.txt"}) {
      entries.emplace_back(nullptr, name, name, std::wstring(L"C:\\data\\") + name, folder);
    }
  }
  // The read's own holder is gone; the entries still hold the path.
  EXPECT_EQ(entries[0].FullPath(), L"C:\\data\\a.txt");
  entries.erase(entries.begin());
  EXPECT_EQ(entries[0].FullPath(), L"C:\\data\\b.txt");
}

TEST(PaneEntry, TypeNamesAreKeptOnceAndDatesMadeTextFromTheFileTime) {
  TLeftShellItem a, b;
  EXPECT_EQ(a.TypeName(), L"");
  EXPECT_EQ(a.ModDate(), L"");
  a.SetTypeName(L"Text Document");
  b.SetTypeName(std::wstring(L"Text ") + L"Document");
  EXPECT_EQ(a.TypeName(), L"Text Document");
  EXPECT_EQ(&a.TypeName(), &b.TypeName()) << "one type name kept for both";
  b.SetTypeName(L"Other");
  EXPECT_EQ(b.TypeName(), L"Other");
  EXPECT_EQ(a.TypeName(), L"Text Document");
  a.LastWrite = {0x2A8C6000, 0x01D9D6D1};
  EXPECT_FALSE(a.ModDate().empty());
}

}  // namespace
