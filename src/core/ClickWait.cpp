#include "core/ClickWait.h"

#include <cmath>

namespace fm {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

// Days from 1 January 1970 of a date in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

// 30 December 1899 lies this many days before 1 January 1970.
constexpr std::int64_t kEpochOffset = 25569;

}  // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int millisecond) {
  const std::int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochOffset;
  const double time = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
  return static_cast<double>(days) + time;
}

std::int64_t DateTimeToMilliseconds(TDateTime value) {
  const double days = std::trunc(value);
  const auto msOfDay = static_cast<std::int64_t>(std::llround(std::fabs(value - days) * kMsPerDay));
  return static_cast<std::int64_t>(days) * kMsPerDay + msOfDay;
}

bool AcceptClick(ClickWait& wait, const std::function<TDateTime()>& now) {
  if (!wait.Enabled) return true;
  const std::int64_t elapsedMs =
      DateTimeToMilliseconds(now()) - DateTimeToMilliseconds(wait.LastClickTime);
  const std::int64_t elapsedSeconds = (elapsedMs < 0 ? -elapsedMs : elapsedMs) / 1000;
  if (elapsedSeconds < wait.Period) return false;
  wait.LastClickTime = now();
  return true;
}

}  // namespace fm
