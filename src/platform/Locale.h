// Texts in the formats of the thread's locale (the user's regional settings).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace fm {

// The locale's decimal separator; "." when it cannot be read.
wchar_t LocaleDecimalSeparator();

// Whether the locale sorts a before b, letter case ignored.
bool LocaleSortsBefore(std::wstring_view a, std::wstring_view b);

// A byte count in B to TB with two decimals and the locale's decimal separator.
std::wstring SizeToText(std::int64_t value);

// A file time as local date text: the short date, then a blank and the long time unless
// the time is exactly midnight. Empty for a zero time or one that cannot be converted.
// The time is local by the rules of its own date, so a file saved in winter shows its
// winter time also in summer.
std::wstring LocalDateText(const FILETIME& time);
// The same in the time zone given instead of the system's.
std::wstring LocalDateText(const FILETIME& time, const DYNAMIC_TIME_ZONE_INFORMATION& zone);

}  // namespace fm
