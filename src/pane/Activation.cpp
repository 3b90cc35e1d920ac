// Opening rows (double-click, Enter) and the list's command keys: folders are entered,
// everything else goes to the shell.
#include <windows.h>

#include <shellapi.h>

#include "Pane.h"
#include "core/PathText.h"
#include "platform/OsError.h"
#include "ui/Application.h"

namespace PaneUnit {

bool IsFolderItem(IShellFolder& Folder, LPCITEMIDLIST Item) {
  SFGAOF attributes = SFGAO_FOLDER;
  // The result code does not count: a query that leaves the word alone says "folder".
  Folder.GetAttributesOf(1, &Item, &attributes);
  return (attributes & SFGAO_FOLDER) != 0;
}

fm::ItemIdList TPane::AbsoluteIDList(const TLeftShellItem& item) const {
  fm::ItemIdList list = fm::ItemIdList::Adopt(fm::JoinItemIDLists(FPIDL, item.ID()));
  if (!list) fm::RaiseOleError(E_OUTOFMEMORY);
  return list;
}

void TPane::OpenItem(std::int32_t index) {
  // The route of a folder depends on its attributes, which come with the details.
  FillItemDetails(index, index);
  const TLeftShellItem& item = *GetItem(index);
  if (IsFolderItem(*FIShellFolder, item.ID())) {
    if (item.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      // The final path is the link's target, which the pane then shows under its own path.
      BrowseToPath(item.FullPath());
    } else {
      BrowseToPIDL(KeepFolderIDList(AbsoluteIDList(item)));
    }
    return;
  }
  const std::wstring path = item.FullPath();
  Host.ShowOpenedPath(path);
  const fm::ItemIdList launched = AbsoluteIDList(item);
  Host.LaunchFile(fm::ui::Application().Handle(), path, L"", fm::FolderPart(path), SW_SHOWNORMAL, launched.Get());
}

int TPane::CurrentRow() const {
  const int focused = View->FocusedIndex();
  return focused >= 0 && View->IsSelected(focused) ? focused : View->SelectedIndex();
}

void TPane::ViewDblClick() {
  const int row = CurrentRow();
  if (row >= 0) OpenItem(row);
  Host.LayoutPanes();
}

void TPane::ShowItemProperties() {
  const int row = CurrentRow();
  if (row < 0) return;
  const fm::ItemIdList item = AbsoluteIDList(*GetItem(row));
  Host.ExecuteVerb(item.Get(), L"properties");
}

void TPane::ViewKeyDown(WORD& Key, fm::ui::TShiftState Shift) {
  // The key goes on to the list afterwards, except Tab and Insert, which are the pane's,
  // and the keys of the context menu: F10 would go on to open the menu bar.
  switch (Key) {
    case VK_APPS:
      Key = 0;
      ShowFocusedContextMenu();
      break;
    case VK_F10:
      Key = 0;
      // Shift+F10 is the menu's; F10 alone reads the folder again.
      if (Shift.Shift) {
        ShowFocusedContextMenu();
      } else {
        Host.Refresh();
      }
      break;
    case VK_TAB:
      Key = 0;
      Host.FocusOtherPane(*this);
      break;
    case VK_INSERT:
      Key = 0;
      // Toggles the focused row and moves on, to mark rows one after another.
      if (const int row = View->FocusedIndex(); row >= 0) {
        View->SetSelected(row, !View->IsSelected(row));
        if (row + 1 < View->ItemCount()) View->FocusItem(row + 1);
      }
      break;
    case 'A':
      if (Shift.Ctrl && !Shift.Alt) View->SelectAll();
      break;
    case VK_BACK:
      BackButtonClick();
      break;
    case VK_RETURN:
      ViewDblClick();
      break;
    case VK_F2:
      if (const int row = CurrentRow(); row >= 0)
        ListView_EditLabel(View->Handle(), row);
      break;
    case VK_F9:
      ShowItemProperties();
      break;
    default:
      break;
  }
}

}  // namespace PaneUnit
