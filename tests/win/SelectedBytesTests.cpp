// The selected rows' bytes in the status bar: the same whether a row's details are loaded
// or not, and a row not loaded is asked of the file system once, not at every change.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "core/Error.h"
#include "platform/Shell.h"

namespace {

class SelectedBytes : public fm::test::MainWindowTest {
 protected:
  int RowNamed(const std::wstring& name) {
    for (int i = 0; i < main_->LeftItemCount(); ++i) {
      if (main_->GetLeftItem(i)->Name() == name) return i;
    }
    ADD_FAILURE() << "no row " << fm::ToUtf8(name);
    return 0;
  }
};

TEST_F(SelectedBytes, ALoadedRowAndOneNotLoadedCountAlikeAndAreAskedOnce) {
  const std::wstring links = fm::test::kLinkFixture;
  if (!fm::DirectoryExists(links)) {
    ASSERT_FALSE(fm::test::RunningUnderWine()) << "the link fixture runs before these tests";
    GTEST_SKIP() << "the links are made by the test run under Wine";
  }
  std::map<std::wstring, int> asked;
  main_->LeftPane().SetFileSizeQuery([&](const std::wstring& path) {
    ++asked[path];
    return fm::PlainFileSize(path);
  });
  auto queries = [&] {
    int all = 0;
    for (const auto& [path, count] : asked) all += count;
    return all;
  };
  // The folder holds a folder, a link to it, a link to a file and that file (6 bytes).
  // Wine gives a link to a file the attributes of a plain file, so it counts its target's
  // bytes; loaded or not, each row counts the same.
  const std::vector<std::wstring> names = {L"sub", L"link-to-folder", L"link-to-file", L"target.txt"};
  struct Case {
    const char* name;
    std::vector<std::wstring> loaded;
  };
  const Case cases[] = {
      {"none loaded", {}},
      {"all loaded", names},
      {"the links alone loaded", {L"link-to-folder", L"link-to-file"}},
      {"the folder and the file loaded", {L"sub", L"target.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Read anew, the rows lack their details until painted, and nothing is painted here.
    main_->BrowseToPath(links);
    ASSERT_EQ(main_->LeftItemCount(), 4);
    for (const std::wstring& name : c.loaded) main_->FillItemDetails(RowNamed(name), RowNamed(name));
    for (const std::wstring& name : names) {
      const bool loaded = std::find(c.loaded.begin(), c.loaded.end(), name) != c.loaded.end();
      ASSERT_EQ(main_->GetLeftItem(RowNamed(name))->Empty, !loaded) << fm::ToUtf8(name);
    }
    asked.clear();
    List().SelectAll();
    EXPECT_EQ(Status(3), L"Selected: 4, 12 B");
    for (const auto& [path, count] : asked) EXPECT_EQ(count, 1) << fm::ToUtf8(path);
    EXPECT_EQ(queries(), static_cast<int>(names.size() - c.loaded.size()));

    // Changes of a selection already counted ask nothing more, also once a row that was
    // asked gets its details.
    asked.clear();
    const int folderLink = RowNamed(L"link-to-folder");
    List().SetSelected(folderLink, false);
    EXPECT_EQ(Status(3), L"Selected: 3, 12 B");
    List().SetSelected(RowNamed(L"target.txt"), false);
    EXPECT_EQ(Status(3), L"Selected: 2, 6 B");
    EXPECT_EQ(queries(), 0);
    main_->FillItemDetails(0, main_->LeftItemCount() - 1);
    asked.clear();
    List().SelectAll();
    EXPECT_EQ(Status(3), L"Selected: 4, 12 B");
    EXPECT_EQ(queries(), 0);
    List().ClearSelection();
  }
}

}  // namespace
