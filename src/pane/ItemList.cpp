// The entries of a pane and the list that holds them.
#include <atomic>

#include "Pane.h"
#include "core/Error.h"

namespace PaneUnit {

namespace {
std::atomic<std::int64_t> liveEntries{0};
}

TLeftShellItem::TLeftShellItem() { ++liveEntries; }

TLeftShellItem::~TLeftShellItem() { --liveEntries; }

std::int64_t TLeftShellItem::Live() { return liveEntries; }

TLeftShellItem* TPane::GetItem(std::int32_t index) {
  if (!FIDList || index < 0 || static_cast<size_t>(index) >= FIDList->size()) {
    throw fm::Error(L"List index out of bounds (" + std::to_wstring(index) + L")");
  }
  return (*FIDList)[static_cast<size_t>(index)].get();
}

void TPane::ClearItems() {
  // Each entry frees its two item ID lists as it goes.
  if (FIDList) FIDList->clear();
  FRowNamesFile.clear();
}

void TPane::AppendItem(std::unique_ptr<TLeftShellItem> item) {
  if (FIDList) FIDList->push_back(std::move(item));
}

}  // namespace PaneUnit
