// What the status bar's last panel says about the rows selected.
#pragma once

#include <cstdint>
#include <string>

namespace fm {

// "Selected: N, SIZE" for more than one row, SIZE being fileBytes written by
// SizeToText's common settings; empty for one row or none.
std::wstring SelectionText(std::uint64_t rows, std::uint64_t fileBytes, wchar_t decimalSeparator);

}  // namespace fm
