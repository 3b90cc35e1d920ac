// The row that typing in the left list jumps to.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace fm {

// The first row, from startIndex upward, whose name begins with typed (a to z folded to
// capitals); -1 when none does or typed is empty. With wrap the search goes on at row 0
// after the last row and ends before startIndex; a start at or beyond the last row then
// covers every row. Each row is looked at once at most. nameOf(row) must stay valid until
// the next call of nameOf.
int FindRowByPrefix(std::wstring_view typed, int startIndex, bool wrap, int rowCount,
                    const std::function<std::wstring_view(int row)>& nameOf);

int FindRowByPrefix(std::wstring_view typed, int startIndex, bool wrap,
                    std::span<const std::wstring> names);

}  // namespace fm
