#include <gtest/gtest.h>

#include <vector>

#include "core/ClickWait.h"

namespace fm {
namespace {

// A clock that reads the given milliseconds after a fixed local time, one per reading.
class FakeClock {
 public:
  TDateTime At(std::int64_t ms) const { return base_ + static_cast<double>(ms) / 86'400'000.0; }
  std::function<TDateTime()> Reading(std::int64_t ms) {
    return [this, ms] {
      ++readings_;
      return At(ms);
    };
  }
  int Readings() const { return readings_; }

 private:
  TDateTime base_ = EncodeDateTime(2026, 12, 10, 14, 7, 9, 0);
  int readings_ = 0;
};

TEST(ClickWaitTest, DatesAndTimesBecomeWholeMilliseconds) {
  EXPECT_EQ(EncodeDateTime(1899, 12, 30, 0, 0, 0, 0), 0.0);
  EXPECT_EQ(EncodeDateTime(1900, 1, 1, 12, 0, 0, 0), 2.5);
  EXPECT_EQ(EncodeDateTime(2000, 3, 1, 0, 0, 0, 0), 36586.0);
  EXPECT_EQ(DateTimeToMilliseconds(EncodeDateTime(1899, 12, 31, 0, 0, 1, 1)), 86'401'001);
  EXPECT_EQ(DateTimeToMilliseconds(EncodeDateTime(2026, 12, 10, 23, 59, 59, 999)) -
                DateTimeToMilliseconds(EncodeDateTime(2026, 12, 10, 0, 0, 0, 0)),
            86'399'999);
}

TEST(ClickWaitTest, AClickPassesOnceTheWholePeriodIsOver) {
  const struct {
    const char* what;
    std::int64_t lastMs;
    std::int64_t nowMs;
    std::int64_t period;
    bool passes;
  } cases[] = {
      {"999 ms after", 0, 999, 1, false},
      {"1,000 ms after", 0, 1000, 1, true},
      {"right after creation", 0, 10, 1, false},
      {"clock set back a second", 5000, 4000, 1, true},
      {"clock set back half a second", 5000, 4500, 1, false},
      {"period 0", 0, 0, 0, true},
      {"negative period", 0, 0, -3, true},
      {"period 2 at 1,999 ms", 0, 1999, 2, false},
      {"period 2 at 2,000 ms", 0, 2000, 2, true},
  };
  for (const auto& c : cases) {
    FakeClock clock;
    ClickWait wait{clock.At(c.lastMs), c.period, true};
    EXPECT_EQ(AcceptClick(wait, clock.Reading(c.nowMs)), c.passes) << c.what;
    // Only an accepted click starts a new wait period.
    EXPECT_EQ(wait.LastClickTime, clock.At(c.passes ? c.nowMs : c.lastMs)) << c.what;
  }
}

TEST(ClickWaitTest, SwallowedClicksDoNotExtendTheWait) {
  FakeClock clock;
  ClickWait wait{clock.At(0), 1, true};
  std::vector<bool> results;
  for (std::int64_t ms : {1000, 1600, 2100, 2500, 3099, 3100}) {
    results.push_back(AcceptClick(wait, clock.Reading(ms)));
  }
  EXPECT_EQ(results, (std::vector<bool>{true, false, true, false, false, true}));
}

TEST(ClickWaitTest, SwitchedOffEveryClickPassesAndTheClockIsNotRead) {
  FakeClock clock;
  ClickWait wait{clock.At(0), 1, false};
  EXPECT_TRUE(AcceptClick(wait, clock.Reading(1)));
  EXPECT_TRUE(AcceptClick(wait, clock.Reading(2)));
  EXPECT_EQ(wait.LastClickTime, clock.At(0));
  EXPECT_EQ(clock.Readings(), 0);
}

}  // namespace
}  // namespace fm
