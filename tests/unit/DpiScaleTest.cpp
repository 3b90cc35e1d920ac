#include <gtest/gtest.h>

#include <climits>

#include "core/DpiScale.h"

namespace fm {
namespace {

TEST(DpiScaleTest, ScalesToTheNearestPixelAHalfAwayFromZero) {
  const struct {
    int value;
    int dpi;
    int expected;
  } cases[] = {
      {11, 96, 11},                     // the design's own DPI: as designed
      {1429, 96, 1429},                 //
      {0, 144, 0},                      //
      {11, 120, 14},                    // 13.75
      {21, 120, 26},                    // 26.25
      {13, 144, 20},                    // 19.5: a half goes up
      {-11, 144, -17},                  // -16.5: a font height scales as its size does
      {3, 144, 5},                      // 4.5
      {1429, 144, 2144},                // 2143.5
      {863, 144, 1295},                 // 1294.5
      {17, 192, 34},                    //
      {-11, 192, -22},                  //
      {1429, 192, 2858},                //
      {50, 0, 50},                      // no DPI known: the design size
      {50, -5, 50},                     //
      {INT_MAX / 2, 192, INT_MAX - 1},  // no overflow on the way
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
  }
}

}  // namespace
}  // namespace fm
