#include "core/IncrementalFind.h"

#include "core/CaseFold.h"

namespace fm {

int FindRowByPrefix(std::wstring_view typed, int startIndex, bool wrap, int rowCount,
                    const std::function<std::wstring_view(int row)>& nameOf) {
  if (typed.empty() || rowCount <= 0) return -1;
  int start = startIndex < 0 ? 0 : startIndex;
  if (start >= rowCount) {
    if (!wrap) return -1;
    start = 0;
  }
  for (int visited = 0; visited < rowCount; ++visited) {
    int row = start + visited;
    if (row >= rowCount) {
      if (!wrap) break;
      row -= rowCount;
    }
    if (StartsWithAsciiNoCase(nameOf(row), typed)) return row;
  }
  return -1;
}

int FindRowByPrefix(std::wstring_view typed, int startIndex, bool wrap,
                    std::span<const std::wstring> names) {
  return FindRowByPrefix(typed, startIndex, wrap, static_cast<int>(names.size()),
                         [names](int row) -> std::wstring_view { return names[row]; });
}

}  // namespace fm
