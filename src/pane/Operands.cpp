// The rows the file operations act on, and reading the folder again after one.
#include <algorithm>
#include <unordered_set>

#include "Pane.h"
#include "core/CaseFold.h"
#include "platform/Shell.h"
#include "ui/Scopes.h"

namespace PaneUnit {

std::wstring TPane::ParsingPath(const TLeftShellItem& item) const {
  // Not the final path: a link is copied, moved or renamed as the link it is.
  return fm::DisplayNameOf(*FIShellFolder, item.ID.Get(), true);
}

std::vector<std::wstring> TPane::OperandPaths() {
  std::vector<int> rows = View->SelectedIndexes();
  if (rows.empty() && View->FocusedIndex() >= 0) rows.push_back(View->FocusedIndex());
  std::vector<std::wstring> paths;
  for (const int row : rows) {
    if (row < ItemCount()) paths.push_back(ParsingPath(*GetItem(row)));
  }
  return paths;
}

std::wstring TPane::FocusedPath() {
  const int row = View->FocusedIndex() >= 0 ? View->FocusedIndex() : CurrentRow();
  return row >= 0 && row < ItemCount() ? ParsingPath(*GetItem(row)) : std::wstring();
}

void TPane::Refresh() {
  if (!FIDesktopFolder || !FIDList || !FPIDL) return;
  std::unordered_set<std::wstring> selected;
  for (const int row : View->SelectedIndexes()) {
    if (row < ItemCount()) selected.insert(GetItem(row)->DisplayName);
  }
  const int focusedRow = View->FocusedIndex();
  const std::wstring focused = focusedRow >= 0 && focusedRow < ItemCount() ? GetItem(focusedRow)->DisplayName : L"";
  const int top = View->TopIndex();
  fm::ComPtr<IShellFolder> folder = FBindToFolder(*FIDesktopFolder, FPIDL);
  fm::ui::TUpdateBlock update(*View);
  ReadFolder(folder, [&] {
    for (int row = 0; row < ItemCount(); ++row) {
      const std::wstring& name = GetItem(row)->DisplayName;
      if (selected.count(name)) View->SetSelected(row, true);
      if (!focused.empty() && name == focused) ListView_SetItemState(View->Handle(), row, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    // The same row on top as before, as far as the rows reach.
    if (ItemCount() > 0) {
      const RECT first = View->ItemRect(0);
      const int rowHeight = first.bottom - first.top;
      const int wanted = std::min(top, ItemCount() - 1);
      if (rowHeight > 0) ListView_Scroll(View->Handle(), 0, (wanted - View->TopIndex()) * rowHeight);
    }
  });
}

bool TPane::SelectName(const std::wstring& Name) {
  for (int row = 0; row < ItemCount(); ++row) {
    if (GetItem(row)->DisplayName == Name) {
      View->SelectItem(row);
      return true;
    }
  }
  return false;
}

}  // namespace PaneUnit
