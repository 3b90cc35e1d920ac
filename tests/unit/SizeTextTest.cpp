#include <gtest/gtest.h>

#include "core/SizeText.h"

namespace fm {
namespace {

TEST(SizeTextTest, PicksLargestUnitAndRoundsToTwoDecimals) {
  const struct {
    std::int64_t value;
    const wchar_t* text;
  } cases[] = {
      {0, L"0 B"},
      {1, L"1 B"},
      {1023, L"1023 B"},
      {1024, L"1 KB"},
      {1536, L"1.5 KB"},
      {1048575, L"1024 KB"},  // rounds up to 1024 and stays in KB
      {1048576, L"1 MB"},
      {5LL << 30, L"5 GB"},
      {1099511627776LL, L"1 TB"},
      {-1, L"16777216 TB"},  // read as 2^64 - 1
      {1100, L"1.07 KB"},
      {1030, L"1.01 KB"},
      {2048, L"2 KB"},
      {1049, L"1.02 KB"},             // 1.0244...
      {1034, L"1.01 KB"},             // 1.00976... rounds up
      {130LL << 30, L"130 GB"},       // no thousands separator
      {1520000000000LL, L"1.38 TB"},  // 1.3824...
      {10995116277760000LL, L"10000 TB"},
  };
  for (const auto& c : cases) EXPECT_EQ(SizeToText(c.value, L'.'), c.text) << c.value;
}

TEST(SizeTextTest, HalvesRoundToTheEvenNeighbour) {
  // 1.125 and 1.375 KB are exact in binary, so the half really is a half.
  const struct {
    std::int64_t value;
    const wchar_t* text;
  } cases[] = {
      {1152, L"1.12 KB"},  // 1.125
      {1408, L"1.38 KB"},  // 1.375
      {1664, L"1.62 KB"},  // 1.625
      {1920, L"1.88 KB"},  // 1.875
  };
  for (const auto& c : cases) EXPECT_EQ(SizeToText(c.value, L'.'), c.text) << c.value;
}

TEST(SizeTextTest, WritesTheGivenDecimalSeparator) {
  EXPECT_EQ(SizeToText(1536, L','), L"1,5 KB");
  EXPECT_EQ(SizeToText(1100, L','), L"1,07 KB");
  EXPECT_EQ(SizeToText(2048, L','), L"2 KB");
}

TEST(SizeTextTest, FollowsOtherSettings) {
  const struct {
    std::int64_t value;
    std::uint8_t threshold;
    std::uint16_t base;
    std::uint8_t decimals;
    const wchar_t* text;
  } cases[] = {
      {1500, 1, 1000, 2, L"1.5 KB"},
      {1536, 2, 1024, 2, L"1536 B"},  // 1.5 KB does not reach the threshold
      {1, 2, 1024, 2, L"1 B"},        // nothing reaches it: the fallback
      {1100, 1, 1024, 0, L"1 KB"},
      {1100, 1, 1024, 4, L"1.0742 KB"},
      {2560, 1, 1024, 0, L"2 KB"},  // 2.5 goes to the even 2
      {3584, 1, 1024, 0, L"4 KB"},  // 3.5 goes to the even 4
      {0, 0, 1024, 2, L"0 TB"},     // 0 reaches a threshold of 0 at once
      {5, 1, 0, 2, L"Size: N/A"},   // a zero divisor
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SizeToText(c.value, c.threshold, c.base, c.decimals, L'.'), c.text) << c.value;
  }
}

}  // namespace
}  // namespace fm
