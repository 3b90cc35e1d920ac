// The text of the Modified column.
#pragma once

#include <string>
#include <string_view>

namespace fm {

// The locale's date, then a blank and its time, unless the time is exactly midnight
// (00:00:00.000), which shows the date alone. No date gives no text.
std::wstring ModDateText(std::wstring_view date, std::wstring_view time, bool atMidnight);

}  // namespace fm
