// The rows the file operations act on.
#include "Pane.h"
#include "platform/Shell.h"

namespace PaneUnit {

std::wstring TPane::ParsingPath(const TLeftShellItem& item) const {
  // Not the final path: a link is copied, moved or renamed as the link it is.
  return fm::DisplayNameOf(*FIShellFolder, item.ID(), true);
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

bool TPane::SelectName(const std::wstring& Name) {
  for (int row = 0; row < ItemCount(); ++row) {
    if (GetItem(row)->DisplayName() == Name) {
      View->SelectItem(row);
      return true;
    }
  }
  return false;
}

}  // namespace PaneUnit
