#include <gtest/gtest.h>

#include "core/ColumnAutoSize.h"

namespace fm {
namespace {

// Name, Size, Type, Modified, Attr. of the left list.
const ColumnSizing kLeftList[] = {
    {true, 0, 50, 0},   {false, 75, 75, 75}, {true, 0, 40, 150},
    {true, 0, 70, 120}, {false, 45, 45, 45},
};

TEST(ColumnAutoSizeTest, LeftListColumnsShareTheWidth) {
  const struct {
    int clientWidth;
    std::vector<int> widths;
  } cases[] = {
      {700, {310, 75, 150, 120, 45}},   // Type and Modified reach their maximums
      {1200, {810, 75, 150, 120, 45}},  // Name takes the rest
      {500, {130, 75, 130, 120, 45}},   // Modified capped, the other two share again
      {400, {94, 75, 93, 93, 45}},      // 280 shared: Name gets the remainder
      {250, {50, 75, 40, 70, 45}},      // all at their minimums, wider than the list
      {100, {50, 75, 40, 70, 45}},      // narrower than the fixed columns
      {0, {50, 75, 40, 70, 45}},       {-5, {50, 75, 40, 70, 45}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AutoSizeColumns(kLeftList, c.clientWidth), c.widths) << c.clientWidth;
  }
}

TEST(ColumnAutoSizeTest, NoWidthBelowZeroWithoutMinimums) {
  const ColumnSizing columns[] = {{true, 0, 0, 0}, {false, 100, 0, 0}, {true, 0, 0, 30}};
  const struct {
    int clientWidth;
    std::vector<int> widths;
  } cases[] = {
      {201, {71, 100, 30}},  // 101 shared, the second column capped at 30
      {100, {0, 100, 0}},
      {40, {0, 100, 0}},  // a share of -30 becomes 0
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AutoSizeColumns(columns, c.clientWidth), c.widths) << c.clientWidth;
  }
}

TEST(ColumnAutoSizeTest, FixedColumnsOnlyKeepTheirWidths) {
  const ColumnSizing columns[] = {{false, 75, 75, 75}, {false, 45, 45, 45}};
  EXPECT_EQ(AutoSizeColumns(columns, 10), (std::vector<int>{75, 45}));
  EXPECT_TRUE(AutoSizeColumns({}, 500).empty());
}

}  // namespace
}  // namespace fm
