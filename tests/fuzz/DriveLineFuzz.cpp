// Drive box lines for any letter, label, file system and byte counts: every line starts with
// the drive's root, which navigation reads back, and shows both sizes or neither.
#include <optional>
#include <string>

#include "FuzzInput.h"
#include "core/DriveLine.h"
#include "core/SizeText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const auto letter = static_cast<wchar_t>(input.Number<std::uint16_t>());
  const auto separator = static_cast<wchar_t>(input.Number<std::uint16_t>());
  const bool hasFree = input.Flag();
  const bool hasTotal = input.Flag();
  const auto freeBytes = input.Number<std::int64_t>();
  const auto totalBytes = input.Number<std::int64_t>();
  const std::wstring label = input.Text();
  const std::wstring fileSystem = input.Text();

  const std::wstring line =
      fm::DriveLine(letter, label, fileSystem, hasFree ? std::optional(freeBytes) : std::nullopt,
                    hasTotal ? std::optional(totalBytes) : std::nullopt, separator);

  const bool lower = letter >= L'a' && letter <= L'z';
  const wchar_t shown = lower ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
  FM_FUZZ_CHECK(line.starts_with(std::wstring(1, shown) + L":\\ - ["));
  FM_FUZZ_CHECK(line.ends_with(L" free"));
  const std::wstring labelPart = L"[" + (label.empty() ? L"No Label." : label) + L"] (";
  FM_FUZZ_CHECK(line.compare(6, labelPart.size(), labelPart) == 0);
  const std::wstring fsPart = L"(" + (fileSystem.empty() ? L"Unknown." : fileSystem) + L") - ";
  FM_FUZZ_CHECK(line.compare(6 + labelPart.size() - 1, fsPart.size(), fsPart) == 0);

  const std::wstring sizes = line.substr(6 + labelPart.size() - 1 + fsPart.size());
  if (hasFree && hasTotal) {
    FM_FUZZ_CHECK(sizes == fm::SizeToText(freeBytes, separator) + L" of " +
                               fm::SizeToText(totalBytes, separator) + L" free");
  } else {
    FM_FUZZ_CHECK(sizes == L"N/A of N/A free");
  }
  return 0;
}
