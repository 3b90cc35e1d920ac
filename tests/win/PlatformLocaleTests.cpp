// Dates of files in a time zone with daylight saving time.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/Locale.h"

namespace {

// Central European rules: one hour east of universal time, two from the last Sunday of
// March (02:00) to the last Sunday of October (03:00).
DYNAMIC_TIME_ZONE_INFORMATION CentralEurope() {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  zone.Bias = -60;
  zone.StandardBias = 0;
  zone.DaylightBias = -60;
  zone.StandardDate = SYSTEMTIME{0, 10, 0, 5, 3, 0, 0, 0};
  zone.DaylightDate = SYSTEMTIME{0, 3, 0, 5, 2, 0, 0, 0};
  return zone;
}

FILETIME FileTimeOf(SYSTEMTIME utc) {
  FILETIME time{};
  SystemTimeToFileTime(&utc, &time);
  return time;
}

std::wstring Formatted(decltype(&GetDateFormatW) format, DWORD flags, const SYSTEMTIME& time) {
  wchar_t text[128] = {};
  format(GetThreadLocale(), flags, &time, nullptr, text, 128);
  return text;
}

// Each date is shown by the zone's rules for that date, whatever the season of the clock.
TEST(PlatformLocale, AFileDateIsLocalByTheRulesOfItsOwnDate) {
  const struct {
    const char* name;
    SYSTEMTIME utc;
    SYSTEMTIME local;
    bool atMidnight;
  } cases[] = {
      {"winter", {2024, 1, 1, 15, 12, 0, 0, 0}, {2024, 1, 1, 15, 13, 0, 0, 0}, false},
      {"summer", {2024, 7, 1, 15, 12, 0, 0, 0}, {2024, 7, 1, 15, 14, 0, 0, 0}, false},
      {"local midnight in winter", {2024, 1, 1, 15, 23, 0, 0, 0}, {2024, 1, 2, 16, 0, 0, 0, 0}, true},
      {"local midnight in summer", {2024, 7, 1, 15, 22, 0, 0, 0}, {2024, 7, 2, 16, 0, 0, 0, 0}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::wstring expected = Formatted(GetDateFormatW, DATE_SHORTDATE, c.local);
    if (!c.atMidnight) expected += L" " + Formatted(GetTimeFormatW, 0, c.local);
    EXPECT_EQ(fm::LocalDateText(FileTimeOf(c.utc), CentralEurope()), expected);
  }
}

}  // namespace
