// Texts in the formats of the thread's locale (the user's regional settings).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace fm {

// The locale's decimal separator; "." when it cannot be read.
wchar_t LocaleDecimalSeparator();

// A byte count in B to TB with two decimals and the locale's decimal separator.
std::wstring SizeToText(std::int64_t value);

// A file time as local date text: the short date, then a blank and the long time unless
// the time is exactly midnight. Empty for a zero time or one that cannot be converted.
std::wstring LocalDateText(const FILETIME& time);

}  // namespace fm
