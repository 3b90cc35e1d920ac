// Moving a pane from folder to folder: typed paths, the path box's lines, the
// drive box, the root and back buttons.
#include "Pane.h"
#include "core/CaseFold.h"
#include "core/PathText.h"
#include "platform/PathKind.h"
#include "platform/Shell.h"
#include "ui/Scopes.h"

namespace PaneUnit {

LPITEMIDLIST TPane::KeepFolderIDList(fm::ItemIdList list) {
  FFolderIDLists.push_back(std::move(list));
  return FFolderIDLists.back().Get();
}

void TPane::BrowseToPIDL(LPITEMIDLIST PIDL) {
  // A start-up that stopped early left nothing to browse with.
  if (!FIDesktopFolder || !FIDList) return;
  fm::ComPtr<IShellFolder> folder = FBindToFolder(*FIDesktopFolder, PIDL);

  const std::wstring path = fm::PathFromIDList(PIDL);
  // Asked with the binding, a folder the file system will not list changes nothing, not
  // even the drive box. A file that the shell browses (a .zip, a .cab) is listed by the
  // shell alone: the file system would call it no directory.
  const fm::PathKind kind = path.empty() ? fm::PathKind::None : fm::KindOfPath(path);
  if (!path.empty() && kind != fm::PathKind::File) fm::RaiseUnlessListable(path);
  const std::wstring shownPath = path.empty() ? std::wstring(L"Drives") : fm::DisplayNameOf(*FIDesktopFolder, PIDL, true);

  // Watched before the read, so that what changes while it reads is heard; a folder the
  // file system does not have as a directory (a file the shell browses) is not watched.
  TFolderWatches watches = WatchFolder(kind == fm::PathKind::Folder ? path : std::wstring());
  fm::ui::TUpdateBlock update(*View);
  // The pane shows the new folder whole or not at all: its rows, item ID list, path, path
  // box line and drive change together, also when the read failed half-way.
  ReadFolder(folder, [&] {
    if (path.size() >= 2) {
      fm::ui::TDetachedEvent detached(Drives->OnChange);
      for (int i = 0; i < Drives->Count(); ++i) {
        if (fm::StartsWithAsciiNoCase(Drives->Item(i), std::wstring_view(path).substr(0, 2))) {
          Drives->SetItemIndex(i);
          break;
        }
      }
    }
    FPIDL = PIDL;
    FPath = shownPath;
    FFileSystemFolder = path.empty() ? std::wstring() : FPath;
    const int line = PathBox->IndexOf(FPath);
    if (line < 0) {
      PathBox->InsertItem(0, FPath, FPIDL);
      PathBox->SetItemIndex(0);
    } else {
      // The letter case of the stored line wins; its item ID list stays as it was.
      PathBox->SetItemIndex(line);
    }
    PathLabel->SetText(PathBox->Text());
    if (ItemCount() > 0) View->SelectItem(0);
    FWatches = std::move(watches);
  });
}

void TPane::BrowseToPath(const std::wstring& Path) {
  if (!FIDesktopFolder) return;
  fm::ItemIdList list = fm::ParseDisplayName(*FIDesktopFolder, fm::ui::Application().Handle(), Path);
  BrowseToPIDL(KeepFolderIDList(std::move(list)));
}

void TPane::PathBoxKeyDown(WORD& Key, fm::ui::TShiftState) {
  if (Key != VK_RETURN) return;
  const std::wstring text = PathBox->Text();
  if (text.empty()) {
    Key = 0;
    return;
  }
  // The key is the box's either way, also when the navigation fails.
  Key = 0;
  const int line = PathBox->IndexOf(text);
  if (line >= 0) {
    BrowseToPIDL(static_cast<LPITEMIDLIST>(PathBox->ItemObject(line)));
    return;
  }
  const std::wstring completed = fm::CompleteTypedPath(text);
  PathBox->SetText(completed);
  BrowseToPath(completed);
}

void TPane::PathBoxClick() {
  const std::wstring text = PathBox->Text();
  const int line = PathBox->IndexOf(text);
  if (line >= 0) {
    BrowseToPIDL(static_cast<LPITEMIDLIST>(PathBox->ItemObject(line)));
  } else {
    BrowseToPath(text);
  }
}

void TPane::DrivesChange() { BrowseToPath(Drives->Text().substr(0, 2)); }

void TPane::RootButtonClick() { BrowseToPath(Drives->Text().substr(0, 2)); }

void TPane::BackButtonClick() {
  fm::ItemIdList parent = fm::ItemIdList::CopyOf(FPIDL);
  if (parent) fm::StripLastItemID(parent.Get());
  // A child of the desktop has no parent to show.
  if (parent && fm::ItemIDListSize(parent.Get()) > 2) {
    BrowseToPIDL(KeepFolderIDList(std::move(parent)));
  } else {
    Host.Beep();
  }
  Host.LayoutPanes();
}

}  // namespace PaneUnit
