#include "core/SelectionText.h"

#include "core/SizeText.h"

namespace fm {

std::wstring SelectionText(std::uint64_t rows, std::uint64_t fileBytes, wchar_t decimalSeparator) {
  if (rows < 2) return {};
  return L"Selected: " + std::to_wstring(rows) + L", " +
         SizeToText(static_cast<std::int64_t>(fileBytes), decimalSeparator);
}

}  // namespace fm
