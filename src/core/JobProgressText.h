// The lines of a file operation's progress window, from the job's counts: items, bytes,
// speed and the time left.
#pragma once

#include <cstdint>
#include <string>

namespace fm {

// "2 of 10 items".
std::wstring ItemsDoneText(std::uint64_t done, std::uint64_t total);

// "1.5 MB of 300 MB".
std::wstring BytesDoneText(std::uint64_t done, std::uint64_t total, wchar_t decimalSeparator);

// "12.5 MB/s"; empty while the speed is unknown (0).
std::wstring SpeedText(std::uint64_t bytesPerSecond, wchar_t decimalSeparator);

// The seconds left at this speed, rounded up; -1 while unknown (no speed yet).
std::int64_t SecondsLeft(std::uint64_t bytesDone, std::uint64_t bytesTotal, std::uint64_t bytesPerSecond);

// "5 s left", "2 min 05 s left", "1 h 02 min left"; empty for -1.
std::wstring TimeLeftText(std::int64_t seconds);

// The bar's position in thousandths, 0 for an empty total, never past 1000.
int ProgressPermille(std::uint64_t done, std::uint64_t total);

}  // namespace fm
