// The floor of a folder read: the per-item shell work that the read cannot do without,
// as raw calls in a tight loop.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstddef>

namespace bench {

struct FloorRun {
  double ms = 0;
  std::size_t items = 0;
};

// Enumerates folder with the read's flags and, for each item, asks its parsing name,
// opens it for its final path and asks the attributes of that path once; then sorts the
// items with the folder's CompareIDs. Only the work is timed, not freeing the items.
FloorRun MeasureFloor(IShellFolder& folder, HWND owner);

// The least work that yields the same rows: the same without opening the items, with one
// attribute query of each parsing path instead.
FloorRun MeasureLeastFloor(IShellFolder& folder, HWND owner);

}  // namespace bench
