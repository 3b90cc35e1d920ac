// What an edited drive caption means for the volume's label.
#pragma once

#include <string>
#include <string_view>

namespace fm {

// The label a confirmed caption text asks for: the text without a trailing drive in
// parentheses ("(D:)", any letter), trimmed of blanks at both ends. "Data (D:)" gives
// "Data", "New(D:)" gives "New", and "(D:)" gives nothing, which clears the label. The
// drive in the text never chooses the volume: the edited row does.
std::wstring VolumeLabelOf(std::wstring_view typed);

// "set Label for D:\" or "failed set Label for D:\".
std::wstring LabelResultText(bool succeeded, std::wstring_view label, std::wstring_view root);

}  // namespace fm
