#include "core/RowMerge.h"

namespace fm {

namespace {

// The new index of old row index, or of the nearest old row after it that stayed, else
// before it; -1 when no row stayed or there was none.
int FollowRow(int index, const std::vector<int>& oldToNew, int newCount) {
  const int count = static_cast<int>(oldToNew.size());
  if (index < 0 || newCount <= 0) return -1;
  if (index >= count) return newCount - 1;
  for (int i = index; i < count; ++i) {
    if (oldToNew[static_cast<std::size_t>(i)] >= 0) return oldToNew[static_cast<std::size_t>(i)];
  }
  for (int i = index - 1; i >= 0; --i) {
    if (oldToNew[static_cast<std::size_t>(i)] >= 0) return oldToNew[static_cast<std::size_t>(i)];
  }
  // Every old row left; the list holds only new ones.
  return 0;
}

}  // namespace

ListPosition KeepListPosition(const ListPosition& old, const std::vector<int>& oldToNew, int newCount) {
  ListPosition kept;
  for (const int row : old.selected) {
    if (row >= 0 && row < static_cast<int>(oldToNew.size()) && oldToNew[static_cast<std::size_t>(row)] >= 0) {
      kept.selected.push_back(oldToNew[static_cast<std::size_t>(row)]);
    }
  }
  std::sort(kept.selected.begin(), kept.selected.end());
  kept.focused = FollowRow(old.focused, oldToNew, newCount);
  kept.top = FollowRow(old.top, oldToNew, newCount);
  return kept;
}

}  // namespace fm
