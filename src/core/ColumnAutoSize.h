// How a list's auto-size columns share the width its fixed columns leave.
#pragma once

#include <span>
#include <vector>

namespace fm {

struct ColumnSizing {
  bool autoSize = false;
  int width = 0;     // the width of a fixed column
  int minWidth = 0;  // 0: none
  int maxWidth = 0;  // 0: none
};

// The widths of all columns, in index order, for a list of the given client width (scroll
// bar excluded). Auto-size columns share what is left evenly, the first taking the
// remainder; a column whose share its minimum or maximum changes keeps that bound and the
// rest is shared again among the others. No width is below zero: a list narrower than
// its fixed columns gives each auto-size column its minimum, or 0 when it has none.
std::vector<int> AutoSizeColumns(std::span<const ColumnSizing> columns, int clientWidth);

}  // namespace fm
