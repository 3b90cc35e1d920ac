#include <gtest/gtest.h>

#include "core/PaneLayout.h"

namespace fm {
namespace {

TEST(PaneLayoutTest, LeftPaneTakesHalfTheBandAndButtonsAnEighth) {
  const struct {
    int dpi;
    int band;
    int outer;
    PaneWidths widths;
  } cases[] = {
      {96, 1429, 1445, {708, 708, 662, 698, 708, 177}},  // the design width
      {96, 1430, 1446, {708, 708, 663, 698, 708, 177}},  // odd and even halves differ
      {96, 600, 616, {293, 293, 248, 283, 293, 74}},
      // The gaps grow with the DPI: 13 -> 20 (19.5 rounded up), 52 -> 78, 10 -> 15, 3 -> 5.
      {144, 2144, 2168, {1062, 1062, 994, 1047, 1062, 266}},
      {144, 900, 924, {440, 440, 372, 425, 440, 110}},
      // 13 -> 26, 52 -> 104, 10 -> 20, 3 -> 6.
      {192, 2858, 2890, {1416, 1416, 1325, 1396, 1416, 355}},
      {192, 1200, 1232, {587, 587, 496, 567, 587, 148}},
  };
  for (const auto& c : cases) {
    const PaneWidths w = LayoutPaneWidths(c.band, c.outer, c.dpi);
    EXPECT_EQ(w.leftView, c.widths.leftView) << c.dpi << " " << c.band;
    EXPECT_EQ(w.drivesLeft, c.widths.drivesLeft) << c.dpi << " " << c.band;
    EXPECT_EQ(w.cbLeftPath, c.widths.cbLeftPath) << c.dpi << " " << c.band;
    EXPECT_EQ(w.currentPath, c.widths.currentPath) << c.dpi << " " << c.band;
    EXPECT_EQ(w.statusLeft, c.widths.statusLeft) << c.dpi << " " << c.band;
    EXPECT_EQ(w.functionKeyButton, c.widths.functionKeyButton) << c.dpi << " " << c.outer;
  }
}

}  // namespace
}  // namespace fm
