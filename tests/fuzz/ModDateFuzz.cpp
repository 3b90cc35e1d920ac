// The Modified column's text for any date and time texts: the date first, the time only
// after a date and away from midnight.
#include <string>

#include "FuzzInput.h"
#include "core/ModDate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const bool atMidnight = input.Flag();
  const std::wstring date = input.Text();
  const std::wstring time = input.Text();

  const std::wstring text = fm::ModDateText(date, time, atMidnight);
  if (date.empty() || atMidnight) {
    FM_FUZZ_CHECK(text == date);
  } else {
    FM_FUZZ_CHECK(text == date + L" " + time);
  }
  return 0;
}
