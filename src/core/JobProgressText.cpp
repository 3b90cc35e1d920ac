#include "core/JobProgressText.h"

#include "core/SizeText.h"

namespace fm {

namespace {

std::wstring Bytes(std::uint64_t value, wchar_t decimalSeparator) {
  return SizeToText(static_cast<std::int64_t>(value), decimalSeparator);
}

std::wstring TwoDigits(std::int64_t value) { return (value < 10 ? L"0" : L"") + std::to_wstring(value); }

}  // namespace

std::wstring ItemsDoneText(std::uint64_t done, std::uint64_t total) {
  return std::to_wstring(done) + L" of " + std::to_wstring(total) + (total == 1 ? L" item" : L" items");
}

std::wstring BytesDoneText(std::uint64_t done, std::uint64_t total, wchar_t decimalSeparator) {
  return Bytes(done, decimalSeparator) + L" of " + Bytes(total, decimalSeparator);
}

std::wstring SpeedText(std::uint64_t bytesPerSecond, wchar_t decimalSeparator) {
  if (bytesPerSecond == 0) return {};
  return Bytes(bytesPerSecond, decimalSeparator) + L"/s";
}

std::int64_t SecondsLeft(std::uint64_t bytesDone, std::uint64_t bytesTotal, std::uint64_t bytesPerSecond) {
  if (bytesPerSecond == 0) return -1;
  const std::uint64_t left = bytesDone >= bytesTotal ? 0 : bytesTotal - bytesDone;
  return static_cast<std::int64_t>(left / bytesPerSecond + (left % bytesPerSecond != 0 ? 1 : 0));
}

std::wstring TimeLeftText(std::int64_t seconds) {
  if (seconds < 0) return {};
  if (seconds < 60) return std::to_wstring(seconds) + L" s left";
  if (seconds < 3600) return std::to_wstring(seconds / 60) + L" min " + TwoDigits(seconds % 60) + L" s left";
  return std::to_wstring(seconds / 3600) + L" h " + TwoDigits(seconds / 60 % 60) + L" min left";
}

int ProgressPermille(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return 0;
  if (done >= total) return 1000;
  // Divided first, so that no count of bytes overflows the product.
  const std::uint64_t step = total / 1000;
  if (step > 0) return static_cast<int>(done / step > 1000 ? 1000 : done / step);
  return static_cast<int>(done * 1000 / total);
}

}  // namespace fm
