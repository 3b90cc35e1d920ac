// The rows selected, as the status bar's last panel counts them. The list control's own
// selection state is the only record of them.
#include <windows.h>

#include "Pane.h"
#include "core/SelectionText.h"
#include "platform/Locale.h"
#include "platform/Shell.h"

namespace PaneUnit {

namespace {

constexpr DWORD kNoPlainFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

// The bytes a selected entry adds: a file's size, nothing for a folder or a link to one.
// An entry whose details are not loaded yet is asked of the file system once, so that
// selecting rows never loads their icons and types, and a selection of many rows changed
// by one row asks nothing again.
std::uint64_t FileBytes(TLeftShellItem& entry) {
  if (!entry.Empty) return (entry.Attributes & kNoPlainFile) ? 0 : entry.Size;
  if (!entry.KnowsUnloadedBytes()) entry.SetUnloadedBytes(fm::PlainFileSize(entry.FullPath()).value_or(0));
  return entry.UnloadedBytes();
}

}  // namespace

void TPane::ViewSelectionChange() { WriteSelection(); }

void TPane::WriteSelection() {
  const std::vector<int> rows = View->SelectedIndexes();
  std::uint64_t bytes = 0;
  if (rows.size() > 1) {
    for (const int row : rows) {
      if (row < ItemCount()) bytes += FileBytes(*GetItem(row));
    }
  }
  // The bar repaints at each text it is given; moving from one row to the next changes none.
  std::wstring text = fm::SelectionText(rows.size(), bytes, fm::LocaleDecimalSeparator());
  if (text == FSelectionText) return;
  FSelectionText = std::move(text);
  Status->SetPanelText(3, FSelectionText);
}

}  // namespace PaneUnit
