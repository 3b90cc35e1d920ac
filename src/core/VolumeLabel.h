// What an edited row caption means for a volume label: whether a caption names a volume,
// and which root and label a confirmed text gives.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fm {

// The 1-based position of the ":)" that makes text a volume caption such as
// "Data (D:)", or 0 when it is none. The ":)" is looked for from the second character
// after the first "(" (from the second character when there is no "("), so at least one
// character must stand between them.
std::size_t VolumeCaptionEnd(std::wstring_view text);

inline bool IsVolumeCaption(std::wstring_view text) { return VolumeCaptionEnd(text) != 0; }

struct VolumeLabelRequest {
  std::wstring root;   // "D:", "D:\" or, for a text that names no drive, the text itself
  std::wstring label;  // the label alone, empty to clear it
};

// The root and label of a confirmed caption text: a leading drive root ("D:\...") is the
// root with its backslash, otherwise the drive before ":)" without one; the label is
// what stands before the blank and the "(" of "Label (D:)".
VolumeLabelRequest LabelRequestOf(std::wstring_view text);

// "set Label for D:" or "failed set Label for D:".
std::wstring LabelResultText(bool succeeded, const VolumeLabelRequest& request);

}  // namespace fm
