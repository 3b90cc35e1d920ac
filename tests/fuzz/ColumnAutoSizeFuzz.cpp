// Column widths for any set of columns and client width in pixels: no width is negative,
// fixed columns keep theirs, auto-size columns keep their bounds, and what they do not
// fill of the width left is owed to a column held at a bound.
#include <vector>

#include "FuzzInput.h"
#include "core/ColumnAutoSize.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const int clientWidth = input.Number<std::int16_t>();
  std::vector<fm::ColumnSizing> columns;
  while (!input.AtEnd() && columns.size() < 16) {
    fm::ColumnSizing column;
    column.autoSize = input.Flag();
    column.width = input.Number<std::int16_t>();
    column.minWidth = input.Number<std::int16_t>();
    column.maxWidth = input.Number<std::int16_t>();
    columns.push_back(column);
  }

  const std::vector<int> widths = fm::AutoSizeColumns(columns, clientWidth);
  FM_FUZZ_CHECK(widths.size() == columns.size());
  int left = clientWidth;
  int autoSum = 0;
  bool atBound = false;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const fm::ColumnSizing& c = columns[i];
    const int w = widths[i];
    FM_FUZZ_CHECK(w >= 0);
    if (!c.autoSize) {
      FM_FUZZ_CHECK(w == (c.width > 0 ? c.width : 0));
      left -= w;
      continue;
    }
    autoSum += w;
    const int low = c.minWidth > 0 ? c.minWidth : 0;
    if (c.maxWidth <= 0 || c.maxWidth >= low) {
      FM_FUZZ_CHECK(w >= low && (c.maxWidth <= 0 || w <= c.maxWidth));
    }
    atBound = atBound || w == low || w == c.maxWidth;
  }
  FM_FUZZ_CHECK(autoSum == left || atBound || autoSum == 0);
  return 0;
}
