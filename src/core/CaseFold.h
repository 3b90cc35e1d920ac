// Letter case as the left pane folds it: only a to z, so "ä" and "Ä" stay different.
#pragma once

#include <string>
#include <string_view>

namespace fm {

std::wstring AsciiUpper(std::wstring_view text);

bool StartsWithAsciiNoCase(std::wstring_view text, std::wstring_view prefix);

bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace fm
