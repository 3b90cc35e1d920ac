#include <gtest/gtest.h>

#include "core/PaneLayout.h"

namespace fm {
namespace {

TEST(PaneLayoutTest, LeftPaneTakesHalfTheBandAndButtonsAnEighth) {
  const struct {
    int band;
    int outer;
    PaneWidths widths;
  } cases[] = {
      {1429, 1445, {708, 708, 662, 698, 708, 177}},  // the design width
      {1430, 1446, {708, 708, 663, 698, 708, 177}},  // odd and even halves differ
      {600, 616, {293, 293, 248, 283, 293, 74}},
  };
  for (const auto& c : cases) {
    const PaneWidths w = LayoutPaneWidths(c.band, c.outer);
    EXPECT_EQ(w.leftView, c.widths.leftView) << c.band;
    EXPECT_EQ(w.drivesLeft, c.widths.drivesLeft) << c.band;
    EXPECT_EQ(w.cbLeftPath, c.widths.cbLeftPath) << c.band;
    EXPECT_EQ(w.currentPath, c.widths.currentPath) << c.band;
    EXPECT_EQ(w.statusLeft, c.widths.statusLeft) << c.band;
    EXPECT_EQ(w.functionKeyButton, c.widths.functionKeyButton) << c.outer;
  }
}

}  // namespace
}  // namespace fm
