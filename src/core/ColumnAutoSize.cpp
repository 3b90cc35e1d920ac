#include "core/ColumnAutoSize.h"

#include <algorithm>

namespace fm {

namespace {

int Clamp(const ColumnSizing& column, int width) {
  if (width < column.minWidth) return std::max(column.minWidth, 0);
  if (column.maxWidth > 0 && width > column.maxWidth) return column.maxWidth;
  return std::max(width, 0);
}

}  // namespace

std::vector<int> AutoSizeColumns(std::span<const ColumnSizing> columns, int clientWidth) {
  std::vector<int> widths(columns.size());
  std::vector<std::size_t> candidates;
  int left = clientWidth;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].autoSize) {
      candidates.push_back(i);
    } else {
      widths[i] = std::max(columns[i].width, 0);
      left -= widths[i];
    }
  }

  while (!candidates.empty()) {
    const int count = static_cast<int>(candidates.size());
    const int share = left / count;
    const int remainder = left % count;
    std::vector<std::size_t> unbound;
    for (std::size_t n = 0; n < candidates.size(); ++n) {
      const std::size_t i = candidates[n];
      const int given = n == 0 ? share + remainder : share;
      widths[i] = Clamp(columns[i], given);
      if (widths[i] == given) {
        unbound.push_back(i);
      } else {
        left -= widths[i];
      }
    }
    if (unbound.size() == candidates.size()) break;
    candidates = std::move(unbound);
  }
  return widths;
}

}  // namespace fm
