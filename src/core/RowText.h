// Texts of a row of the left list that depend on more than one field of its item.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fm {

struct RowSizeAndCaption {
  std::wstring size;     // the Size column
  std::wstring caption;  // the Name column
};

// The first rule that holds: an existing file (links followed, size 0 included) shows its
// size text; a reparse point "LINK"; a directory "DIR", captioned with the last part of
// its path when that differs from its display name; anything else with a size its size
// text; otherwise nothing. The caption is the display name unless a directory replaces it.
RowSizeAndCaption SizeAndCaption(bool isExistingFile, std::uint32_t attributes, std::uint64_t size,
                                 std::wstring_view displayName, std::wstring_view fullPath,
                                 wchar_t decimalSeparator);

// "R", "A", "S", "H" for read-only, archive, system and hidden, in that order.
std::wstring AttributeLetters(std::uint32_t attributes);

}  // namespace fm
