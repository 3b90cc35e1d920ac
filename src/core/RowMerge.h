// Changing a sorted list of rows in one step without losing the reader's place: rows
// leave, new ones take their place in the list's order, and the selection, the focused
// row and the top row follow the rows they were on.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace fm {

// Removes the rows that gone marks (one mark per row) and puts added among the rest where
// less orders them, after any row already there that it equals; the rest keep their order,
// and less is asked only O(added × log(rows)) times. Returns, for each old row, its new
// index, or -1 for a row that left; given addedToNew, fills it with each added row's.
template <class Row, class Less>
std::vector<int> MergeRows(std::vector<Row>& rows, const std::vector<bool>& gone, std::vector<Row> added, Less less,
                           std::vector<int>* addedToNew = nullptr) {
  std::vector<int> oldToNew(rows.size(), -1);
  std::vector<Row> kept;
  kept.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i < gone.size() && gone[i]) continue;
    oldToNew[i] = static_cast<int>(kept.size());
    kept.push_back(std::move(rows[i]));
  }
  std::vector<std::size_t> order(added.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return less(added[a], added[b]); });
  // Where each added row goes among the kept ones: before kept row places[j].
  std::vector<std::size_t> places;
  places.reserve(added.size());
  for (const std::size_t a : order) {
    places.push_back(
        static_cast<std::size_t>(std::upper_bound(kept.begin(), kept.end(), added[a], less) - kept.begin()));
  }
  if (addedToNew) addedToNew->assign(added.size(), -1);
  rows.clear();
  rows.reserve(kept.size() + added.size());
  std::vector<int> keptToNew(kept.size());
  std::size_t next = 0;
  for (std::size_t k = 0; k <= kept.size(); ++k) {
    while (next < added.size() && places[next] == k) {
      if (addedToNew) (*addedToNew)[order[next]] = static_cast<int>(rows.size());
      rows.push_back(std::move(added[order[next++]]));
    }
    if (k == kept.size()) break;
    keptToNew[k] = static_cast<int>(rows.size());
    rows.push_back(std::move(kept[k]));
  }
  for (int& index : oldToNew) {
    if (index >= 0) index = keptToNew[static_cast<std::size_t>(index)];
  }
  return oldToNew;
}

// Where the reader is in a list: the selected rows, the focused row and the top row
// (-1: none).
struct ListPosition {
  std::vector<int> selected;
  int focused = -1;
  int top = -1;
};

// The same place after the rows moved as oldToNew says (-1: the row left), in a list of
// newCount rows. Selected rows that left drop out of the selection. A focused or top row
// that left hands its part to the next old row that stayed, else the last one before it,
// so the rows in view stay where they were unless rows above them came or went.
ListPosition KeepListPosition(const ListPosition& old, const std::vector<int>& oldToNew, int newCount);

}  // namespace fm
