// Colour and font style of a row of the left list, from its item's kind and place.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/Color.h"

namespace fm {

namespace row_color {
inline constexpr TColor kListFont = 0x00FFFF80;  // light cyan, the list's own font colour
inline constexpr TColor kListBack = 0x00804000;  // dark blue, the list's colour
inline constexpr TColor kReadOnly = 0x00F0CAA6;  // light blue
inline constexpr TColor kSystem = clHighlight;
inline constexpr TColor kHidden = 0x00FFFFFF;      // white
inline constexpr TColor kLink = 0x00A4A0A0;        // grey
inline constexpr TColor kCompressed = 0x0087B8DE;  // light brown, also for encrypted
inline constexpr TColor kElsewhere = 0x002222B2;   // dark red: a file outside the shown folder
inline constexpr TColor kMissing = 0x000000FF;     // red: a sized item whose file is gone
}  // namespace row_color

struct RowFacts {
  std::uint32_t attributes = 0;
  bool isExistingFile = false;  // the full path names an existing file, links followed
  std::wstring_view fullPath;
  std::wstring_view displayName;
  std::uint64_t size = 0;
  std::wstring_view shownFolder;  // the parsing path of the folder the list shows
};

struct RowStyle {
  TColor color = row_color::kListFont;
  bool bold = false;
  bool italic = false;

  friend bool operator==(const RowStyle&, const RowStyle&) = default;
};

// The style of a row's Name cell. The other cells always use kPlainCell.
RowStyle RowStyleOf(const RowFacts& facts);

inline constexpr RowStyle kPlainCell{row_color::kListFont, false, false};

}  // namespace fm
