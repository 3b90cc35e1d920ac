#include <gtest/gtest.h>

#include "core/Gradient.h"

namespace fm {
namespace {

TEST(GradientTest, BandsOfTheDefaultBlueOverAClientHeightOf257) {
  const auto bands = GradientBands(0x00FF0000, 257);
  ASSERT_EQ(bands.size(), 100u);
  const struct {
    int band;
    TColor color;
    int top;
    int bottom;
  } cases[] = {
      {0, 0x000000, 0, 3},
      {1, 0x030000, 3, 5},
      {50, 0x800000, 128, 131},  // 127.5 and 128.5 both go to the even 128
      {99, 0xFC0000, 254, 257},
  };
  for (const auto& c : cases) {
    const GradientBand& band = bands[static_cast<size_t>(c.band)];
    EXPECT_EQ(band.Color, c.color) << c.band;
    EXPECT_EQ(band.Top, c.top) << c.band;
    EXPECT_EQ(band.Bottom, c.bottom) << c.band;
  }
  // The bands tile the client area without gaps.
  for (size_t i = 1; i < bands.size(); ++i) EXPECT_EQ(bands[i].Top, bands[i - 1].Bottom) << i;
}

TEST(GradientTest, ComponentsScaleOnTheirOwnAndHalvesGoToEven) {
  const struct {
    TColor base;
    int band;
    TColor color;
  } cases[] = {
      {0x00050000, 50, 0x020000},  // 2.5 -> 2
      {0x00000007, 50, 0x000004},  // 3.5 -> 4
      {0x00102030, 50, 0x081018},  // each byte on its own
      {0x00FEFEFE, 99, 0xFBFBFB},  // 251.46
      // A system colour is painted from its raw low bytes, not resolved.
      {0xFF00000D, 99, 0x00000D},
      {0xFFFFFFFF, 99, 0xFCFCFC},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GradientBands(c.base, 257)[static_cast<size_t>(c.band)].Color, c.color)
        << std::hex << c.base;
  }
}

TEST(GradientTest, ASmallClientAreaLeavesSomeBandsEmpty) {
  const auto bands = GradientBands(0x00FF0000, 10);
  EXPECT_EQ(bands[0].Top, 0);
  EXPECT_EQ(bands[0].Bottom, 0);
  EXPECT_EQ(bands[99].Bottom, 10);
  EXPECT_EQ(GradientBands(0x00FF0000, 0)[99].Bottom, 0);
}

}  // namespace
}  // namespace fm
