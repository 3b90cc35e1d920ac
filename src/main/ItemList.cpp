// The entries of the left pane and the list that holds them.
#include <atomic>

#include "MainUnit.h"
#include "core/Error.h"

namespace MainUnit {

namespace {
std::atomic<std::int64_t> liveEntries{0};
}

TLeftShellItem::TLeftShellItem() { ++liveEntries; }

TLeftShellItem::~TLeftShellItem() { --liveEntries; }

std::int64_t TLeftShellItem::Live() { return liveEntries; }

TLeftShellItem* TMain::GetLeftItem(std::int32_t index) {
  if (!FIDList || index < 0 || static_cast<size_t>(index) >= FIDList->size()) {
    throw fm::Error(L"List index out of bounds (" + std::to_wstring(index) + L")");
  }
  return (*FIDList)[static_cast<size_t>(index)].get();
}

void TMain::ClearLeftItems() {
  // Each entry frees its two item ID lists as it goes.
  if (FIDList) FIDList->clear();
  FRowNamesFile.clear();
}

void TMain::AppendLeftItem(std::unique_ptr<TLeftShellItem> item) {
  if (FIDList) FIDList->push_back(std::move(item));
}

}  // namespace MainUnit
