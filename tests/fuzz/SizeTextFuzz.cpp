// Size texts for any byte count and any settings, and for the settings every caller uses a
// text whose figure, read back, is the byte count to within the rounding.
#include <cmath>
#include <string>

#include "FuzzInput.h"
#include "core/SizeText.h"

namespace {

constexpr const wchar_t* kUnits[] = {L"B", L"KB", L"MB", L"GB", L"TB"};

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const auto value = input.Number<std::int64_t>();
  const auto threshold = input.Number<std::uint8_t>();
  const auto base = input.Number<std::uint16_t>();
  const auto decimals = input.Number<std::uint8_t>();
  const auto separator = static_cast<wchar_t>(input.Number<std::uint16_t>());

  const std::wstring any = fm::SizeToText(value, threshold, base, decimals, separator);
  bool unitFound = false;
  for (const wchar_t* unit : kUnits)
    unitFound = unitFound || EndsWith(any, std::wstring(L" ") + unit);
  FM_FUZZ_CHECK(unitFound || any == L"Size: N/A");
  FM_FUZZ_CHECK((base == 0) == (any == L"Size: N/A"));

  const std::wstring text = fm::SizeToText(value, L'.');
  const auto blank = text.find(L' ');
  FM_FUZZ_CHECK(blank != std::wstring::npos && blank > 0);
  const std::wstring unit = text.substr(blank + 1);
  int k = 0;
  while (k < 5 && unit != kUnits[k]) ++k;
  FM_FUZZ_CHECK(k < 5);
  std::string figure;
  for (wchar_t c : text.substr(0, blank)) {
    FM_FUZZ_CHECK((c >= L'0' && c <= L'9') || c == L'.');
    figure += static_cast<char>(c);
  }
  // The division treats the count as unsigned; two decimals of the unit are the rounding.
  const double bytes = static_cast<double>(static_cast<std::uint64_t>(value));
  const double divisor = std::pow(1024.0, k);
  const double shown = std::stod(figure);
  FM_FUZZ_CHECK(std::fabs(shown - bytes / divisor) <= 0.005 + 1e-9 * shown);
  FM_FUZZ_CHECK(k == 4 || bytes / divisor < 1024.0);
  FM_FUZZ_CHECK(value == 0 || shown >= 1.0);
  return 0;
}
