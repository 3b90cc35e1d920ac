#include "core/SizeText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace fm {

namespace {

constexpr const wchar_t* kUnits[] = {L"B", L"KB", L"MB", L"GB", L"TB"};
constexpr const wchar_t* kNotAvailable = L"Size: N/A";

// Half-way cases go to the even neighbour, independent of the floating-point
// environment; products from 2^52 on have no fraction left to round.
double RoundTo(double x, std::uint8_t decimals) {
  const double factor = std::pow(10.0, decimals);
  const double product = x * factor;
  if (!(std::fabs(product) < 4503599627370496.0)) return x;
  double whole = std::floor(product);
  const double fraction = product - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return whole / factor;
}

// General format, at most 15 significant digits: enough to hide the binary error of
// values such as 1.07, and trailing zeros never appear.
std::wstring FormatNumber(double x, wchar_t decimalSeparator) {
  std::array<char, 64> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                          std::chars_format::general, 15);
  if (error != std::errc()) return {};
  std::wstring text;
  for (const char* c = buffer.data(); c != end; ++c) {
    text += *c == '.' ? decimalSeparator : static_cast<wchar_t>(*c);
  }
  return text;
}

}  // namespace

std::wstring SizeToText(std::int64_t value, std::uint8_t threshold, std::uint16_t base,
                        std::uint8_t decimals, wchar_t decimalSeparator) {
  std::array<std::uint64_t, 5> divisors{1};
  for (std::size_t k = 1; k < divisors.size(); ++k) divisors[k] = divisors[k - 1] * base;

  const auto bytes = static_cast<std::uint64_t>(value);
  for (int k = 4; k >= 0; --k) {
    if (divisors[k] == 0) return kNotAvailable;
    const double x = static_cast<double>(bytes) / static_cast<double>(divisors[k]);
    if (x >= threshold) {
      const std::wstring number = FormatNumber(RoundTo(x, decimals), decimalSeparator);
      if (number.empty()) return kNotAvailable;
      return number + L" " + kUnits[k];
    }
  }
  return std::to_wstring(value) + L" B";
}

std::wstring SizeToText(std::int64_t value, wchar_t decimalSeparator) {
  return SizeToText(value, 1, 1024, 2, decimalSeparator);
}

}  // namespace fm
