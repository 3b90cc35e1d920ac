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

void TPane::OpenItem(std::int32_t index) {
  // The route of a folder depends on its attributes, which come with the details.
  FillItemDetails(index, index);
  const TLeftShellItem& item = *GetItem(index);
  if (IsFolderItem(*FIShellFolder, item.ID.Get())) {
    if (item.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      // The final path is the link's target, which the pane then shows under its own path.
      BrowseToPath(std::wstring(item.FullPath));
    } else {
      fm::ItemIdList folder = fm::ItemIdList::Adopt(fm::JoinItemIDLists(FPIDL, item.ID.Get()));
      if (!folder) fm::RaiseOleError(E_OUTOFMEMORY);
      BrowseToPIDL(KeepFolderIDList(std::move(folder)));
    }
    return;
  }
  const std::wstring path = item.FullPath;
  Host.ShowOpenedPath(path);
  Host.LaunchFile(fm::ui::Application().Handle(), path, L"", fm::FolderPart(path), SW_SHOWNORMAL);
}

void TPane::ViewDblClick() {
  const int row = View->SelectedIndex();
  if (row >= 0) OpenItem(row);
  Host.LayoutPanes();
}

void TPane::ShowItemProperties() {
  const int row = View->SelectedIndex();
  if (row < 0) return;
  Host.ExecuteVerb(GetItem(row)->FullPath, L"properties");
}

void TPane::ViewKeyDown(WORD& Key, fm::ui::TShiftState) {
  // The key goes on to the list afterwards in every case.
  switch (Key) {
    case VK_BACK:
      BackButtonClick();
      break;
    case VK_RETURN:
      ViewDblClick();
      break;
    case VK_F2:
      if (const int row = View->SelectedIndex(); row >= 0)
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
