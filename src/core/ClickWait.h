// Whether a click on a button comes too soon after the last accepted one.
#pragma once

#include <cstdint>
#include <functional>

namespace fm {

// Local wall-clock time as days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int millisecond);

// Whole milliseconds: the day number times 86,400,000 plus the milliseconds of the day,
// each taken to the nearest millisecond.
std::int64_t DateTimeToMilliseconds(TDateTime value);

// The wait period of one button.
struct ClickWait {
  TDateTime LastClickTime = 0;  // of the last accepted click, or of the button's creation
  std::int64_t Period = 1;      // whole seconds
  bool Enabled = true;
};

// Decides about a click now: true when it passes. A passing click becomes the last
// accepted one at the time read again from now(); a swallowed click changes nothing, so
// it never extends the wait. The elapsed time is the absolute difference of wall-clock
// times, so a clock set back does not hold clicks up.
bool AcceptClick(ClickWait& wait, const std::function<TDateTime()>& now);

}  // namespace fm
