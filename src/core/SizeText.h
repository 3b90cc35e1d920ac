// Byte counts written for people.
#pragma once

#include <cstdint>
#include <string>

namespace fm {

// Value in the largest of B, KB, MB, GB, TB in which it reaches threshold, rounded to
// decimals places, e.g. "1.5 KB". The division treats value as unsigned ("16777216 TB"
// for -1); the fallback, when no unit reaches the threshold, writes it signed. Every
// caller passes threshold 1, base 1024 and two decimals. "Size: N/A" when the
// arithmetic fails (a base of 0).
std::wstring SizeToText(std::int64_t value, std::uint8_t threshold, std::uint16_t base,
                        std::uint8_t decimals, wchar_t decimalSeparator);

// The settings every caller uses.
std::wstring SizeToText(std::int64_t value, wchar_t decimalSeparator);

}  // namespace fm
