#include "core/DriveLine.h"

#include "core/SizeText.h"

namespace fm {

std::wstring DriveLine(wchar_t letter, std::wstring_view label, std::wstring_view fileSystem,
                       std::optional<std::int64_t> freeBytes,
                       std::optional<std::int64_t> totalBytes, wchar_t decimalSeparator) {
  if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
  // A drive without a medium answers neither count; half a figure would mislead.
  const bool spaceKnown = freeBytes.has_value() && totalBytes.has_value();

  std::wstring line(1, letter);
  line += L":\\ - [";
  line += label.empty() ? std::wstring_view(L"No Label.") : label;
  line += L"] (";
  line += fileSystem.empty() ? std::wstring_view(L"Unknown.") : fileSystem;
  line += L") - ";
  line += spaceKnown ? SizeToText(*freeBytes, decimalSeparator) : L"N/A";
  line += L" of ";
  line += spaceKnown ? SizeToText(*totalBytes, decimalSeparator) : L"N/A";
  line += L" free";
  return line;
}

}  // namespace fm
