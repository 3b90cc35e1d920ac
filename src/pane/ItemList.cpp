// The list that holds a pane's entries.
#include "Pane.h"
#include "core/Error.h"

namespace PaneUnit {

TLeftShellItem* TPane::GetItem(std::int32_t index) {
  if (!FIDList || index < 0 || static_cast<size_t>(index) >= FIDList->size()) {
    throw fm::Error(L"List index out of bounds (" + std::to_wstring(index) + L")");
  }
  return &(*FIDList)[static_cast<size_t>(index)];
}

void TPane::ClearItems() {
  // Each entry frees its block as it goes; the list gives its own memory back.
  if (FIDList) std::vector<TLeftShellItem>().swap(*FIDList);
  FRowNamesFile.clear();
}

void TPane::AppendItem(TLeftShellItem item) {
  if (FIDList) FIDList->push_back(std::move(item));
}

}  // namespace PaneUnit
