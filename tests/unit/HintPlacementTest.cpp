#include <gtest/gtest.h>

#include <climits>

#include "core/HintPlacement.h"

namespace fm {
namespace {

TEST(HintPlacementTest, AHintIsMovedAndCutToLieWithinTheArea) {
  const ScreenBox area{0, 0, 1024, 738};
  const struct {
    const char* what;
    ScreenBox box;
    ScreenBox shown;
  } cases[] = {
      {"inside", {100, 100, 400, 200}, {100, 100, 400, 200}},
      {"filling the area", {0, 0, 1024, 738}, {0, 0, 1024, 738}},
      {"off the bottom", {100, 700, 400, 800}, {100, 638, 400, 738}},
      {"off the right", {900, 100, 1200, 200}, {724, 100, 1024, 200}},
      {"off the top left", {-50, -20, 50, 30}, {0, 0, 100, 50}},
      {"taller than the area", {10, 500, 110, 2500}, {10, 0, 110, 738}},
      {"wider and taller", {-10, -10, 5000, 5000}, {0, 0, 1024, 738}},
      {"far away", {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX}, {1014, 728, 1024, 738}},
  };
  for (const auto& c : cases) EXPECT_EQ(FitWithin(c.box, area), c.shown) << c.what;
  // A second monitor's work area, left of and above the first.
  EXPECT_EQ(FitWithin({-100, -300, 100, -100}, {-1280, -1024, 0, -40}),
            (ScreenBox{-200, -300, 0, -100}));
}

}  // namespace
}  // namespace fm
