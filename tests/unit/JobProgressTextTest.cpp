#include <gtest/gtest.h>

#include <limits>

#include "core/JobProgressText.h"

namespace fm {
namespace {

TEST(JobProgressTextTest, CountsSaySingularAndPlural) {
  EXPECT_EQ(ItemsDoneText(0, 1), L"0 of 1 item");
  EXPECT_EQ(ItemsDoneText(2, 10), L"2 of 10 items");
  EXPECT_EQ(BytesDoneText(1536, 300ULL << 20, L','), L"1,5 KB of 300 MB");
  EXPECT_EQ(SpeedText(0, L'.'), L"");
  EXPECT_EQ(SpeedText(12ULL << 20, L'.'), L"12 MB/s");
}

TEST(JobProgressTextTest, TimeLeftRoundsUpAndIsUnknownWithoutASpeed) {
  const struct {
    std::uint64_t done, total, speed;
    std::int64_t seconds;
    const wchar_t* text;
  } cases[] = {
      {0, 100, 0, -1, L""},
      {0, 100, 10, 10, L"10 s left"},
      {0, 101, 10, 11, L"11 s left"},
      {100, 100, 10, 0, L"0 s left"},
      {150, 100, 10, 0, L"0 s left"},  // a file that grew while copied
      {0, 125, 1, 125, L"2 min 05 s left"},
      {0, 3600, 1, 3600, L"1 h 00 min left"},
      {0, 7325, 1, 7325, L"2 h 02 min left"},
      {0, std::numeric_limits<std::uint64_t>::max(), std::numeric_limits<std::uint64_t>::max(), 1, L"1 s left"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.done << " of " << c.total << " at " << c.speed);
    const std::int64_t seconds = SecondsLeft(c.done, c.total, c.speed);
    EXPECT_EQ(seconds, c.seconds);
    EXPECT_EQ(TimeLeftText(seconds), c.text);
  }
}

TEST(JobProgressTextTest, TheBarNeverOverflowsNorPassesItsEnd) {
  const struct {
    std::uint64_t done, total;
    int permille;
  } cases[] = {
      {0, 0, 0},
      {5, 0, 0},
      {0, 10, 0},
      {1, 3, 333},
      {10, 10, 1000},
      {11, 10, 1000},
      {1ULL << 62, 1ULL << 63, 500},
      {std::numeric_limits<std::uint64_t>::max() - 1, std::numeric_limits<std::uint64_t>::max(), 1000},
      {std::numeric_limits<std::uint64_t>::max() / 4, std::numeric_limits<std::uint64_t>::max(), 250},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgressPermille(c.done, c.total), c.permille) << c.done << " of " << c.total;
  }
}

}  // namespace
}  // namespace fm
