#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/RowMerge.h"

namespace fm {
namespace {

// Rows are ordered by their first letter only, so that rows can be equal yet told apart.
bool FirstLetterLess(const std::string& a, const std::string& b) { return a.substr(0, 1) < b.substr(0, 1); }

TEST(RowMergeTest, RemovesAndInsertsInOrderAndSaysWhereEachRowWent) {
  const struct {
    const char* what;
    std::vector<std::string> rows;
    std::vector<bool> gone;
    std::vector<std::string> added;
    std::vector<std::string> merged;
    std::vector<int> oldToNew;
    std::vector<int> addedToNew;
  } cases[] = {
      {"nothing changes", {"a", "c"}, {false, false}, {}, {"a", "c"}, {0, 1}, {}},
      {"into an empty list", {}, {}, {"c", "a"}, {"a", "c"}, {}, {1, 0}},
      {"every row leaves", {"a", "b"}, {true, true}, {}, {}, {-1, -1}, {}},
      {"before, between and after", {"b", "d"}, {false, false}, {"e", "a", "c"}, {"a", "b", "c", "d", "e"}, {1, 3}, {4, 0, 2}},
      {"one leaves, one comes in its place", {"a", "b", "c"}, {false, true, false}, {"b2"}, {"a", "b2", "c"}, {0, -1, 2}, {1}},
      {"an equal row goes after the rows already there", {"a1", "b1", "b2"}, {false, false, false}, {"b3"},
       {"a1", "b1", "b2", "b3"}, {0, 1, 2}, {3}},
      {"equal rows added keep their own order", {"c"}, {false}, {"a2", "a1"}, {"a2", "a1", "c"}, {2}, {0, 1}},
      {"a short mark list leaves the rest", {"a", "b", "c"}, {true}, {}, {"b", "c"}, {-1, 0, 1}, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> rows = c.rows;
    std::vector<int> addedToNew;
    const std::vector<int> oldToNew = MergeRows(rows, c.gone, c.added, FirstLetterLess, &addedToNew);
    EXPECT_EQ(rows, c.merged) << c.what;
    EXPECT_EQ(oldToNew, c.oldToNew) << c.what;
    EXPECT_EQ(addedToNew, c.addedToNew) << c.what;
  }
}

TEST(RowMergeTest, AsksTheOrderAboutTheAddedRowsNotAboutEveryRow) {
  // The folder's order is a shell call: a merge that compared every row with its
  // neighbour would cost a call per row of a big folder for a single new file.
  std::vector<int> rows(100000);
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) rows[static_cast<std::size_t>(i)] = 2 * i;
  int asked = 0;
  const auto less = [&asked](int a, int b) {
    ++asked;
    return a < b;
  };
  const std::vector<int> oldToNew = MergeRows(rows, {}, {77, 3}, less);
  EXPECT_LT(asked, 60);
  EXPECT_EQ(rows[2], 3);
  EXPECT_EQ(rows[40], 77);
  EXPECT_EQ(oldToNew[1], 1);
  EXPECT_EQ(oldToNew[2], 3);
  EXPECT_EQ(oldToNew[39], 41);
}

TEST(RowMergeTest, ThePlaceFollowsItsRows) {
  const struct {
    const char* what;
    ListPosition old;
    std::vector<int> oldToNew;
    int newCount;
    ListPosition kept;
  } cases[] = {
      {"rows came above: all move down", {{2, 3}, 3, 2}, {2, 3, 4, 5}, 6, {{4, 5}, 5, 4}},
      {"rows came below: nothing moves", {{0}, 1, 0}, {0, 1, 2}, 5, {{0}, 1, 0}},
      {"a selected row left", {{0, 1, 2}, 1, 0}, {0, -1, 1}, 2, {{0, 1}, 1, 0}},
      {"the focused row left: the next row that stayed", {{}, 1, 0}, {0, -1, -1, 1}, 2, {{}, 1, 0}},
      {"the last rows left: the row before them", {{}, 2, 2}, {0, 1, -1}, 2, {{}, 1, 1}},
      {"every row left, new ones came", {{0}, 0, 0}, {-1, -1}, 3, {{}, 0, 0}},
      {"every row left, none came", {{0}, 0, 0}, {-1}, 0, {{}, -1, -1}},
      {"no focus and no rows stay none", {{}, -1, -1}, {}, 0, {{}, -1, -1}},
      {"rows reordered: the selection is given in row order", {{0, 1}, 0, 0}, {3, 1}, 4, {{1, 3}, 3, 3}},
  };
  for (const auto& c : cases) {
    const ListPosition kept = KeepListPosition(c.old, c.oldToNew, c.newCount);
    EXPECT_EQ(kept.selected, c.kept.selected) << c.what;
    EXPECT_EQ(kept.focused, c.kept.focused) << c.what;
    EXPECT_EQ(kept.top, c.kept.top) << c.what;
  }
}

}  // namespace
}  // namespace fm
