// The rows selected, as the status bar's last panel counts them. The list control's own
// selection state is the only record of them.
#include <windows.h>

#include <algorithm>

#include "Pane.h"
#include "core/PathText.h"
#include "core/SelectionText.h"
#include "platform/Locale.h"

namespace PaneUnit {

namespace {

constexpr DWORD kNoPlainFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

}  // namespace

// A file's size, nothing for a folder or a link, as the loaded details give them. An entry
// whose details are not loaded yet is asked of the file system once, so that selecting
// rows never loads their icons and types, and a selection of many rows changed by one row
// asks nothing again.
std::uint64_t TPane::SelectedBytes(TLeftShellItem& Entry) {
  if (!Entry.Empty) return (Entry.Attributes & kNoPlainFile) ? 0 : Entry.Size;
  if (!Entry.KnowsUnloadedBytes()) {
    // The item's own path, as the details ask: a link's full path is its target's.
    const std::wstring own =
        FFolderPath.empty() || Entry.Name().empty() ? Entry.FullPath() : fm::JoinPath(FFolderPath, Entry.Name());
    Entry.SetUnloadedBytes(FPlainFileSize(own).value_or(0));
  }
  return Entry.UnloadedBytes();
}

void TPane::ViewSelectionChange() { WriteSelection(); }

void TPane::WriteSelection() {
  // Each question to the list costs a message, which Wine answers slowly: a selection of
  // every row (Ctrl+A) is summed from the entries alone, without asking row by row.
  const auto selected = static_cast<std::uint64_t>(std::max(View->SelectedCount(), 0));
  std::uint64_t bytes = 0;
  if (selected > 1 && selected == static_cast<std::uint64_t>(ItemCount())) {
    for (TLeftShellItem& entry : *FIDList) bytes += SelectedBytes(entry);
  } else if (selected > 1) {
    for (const int row : View->SelectedIndexes()) {
      if (row < ItemCount()) bytes += SelectedBytes(*GetItem(row));
    }
  }
  // The bar repaints at each text it is given; moving from one row to the next changes none.
  std::wstring text = fm::SelectionText(selected, bytes, fm::LocaleDecimalSeparator());
  if (text == FSelectionText) return;
  FSelectionText = std::move(text);
  Status->SetPanelText(3, FSelectionText);
}

}  // namespace PaneUnit
