// Moving the left pane from folder to folder: typed paths, the path box's lines, the
// drive box, the root and back buttons.
#include "MainUnit.h"
#include "core/CaseFold.h"
#include "core/PathText.h"
#include "platform/PathKind.h"
#include "platform/Shell.h"
#include "ui/Scopes.h"

namespace MainUnit {

LPITEMIDLIST TMain::KeepFolderIDList(fm::ItemIdList list) {
  FFolderIDLists.push_back(std::move(list));
  return FFolderIDLists.back().Get();
}

void TMain::BrowseToPIDL(LPITEMIDLIST PIDL) {
  // A start-up that stopped early left nothing to browse with.
  if (!FIDesktopFolder || !FIDList) return;
  fm::ComPtr<IShellFolder> folder = FBindToFolder(*FIDesktopFolder, PIDL);

  const std::wstring path = fm::PathFromIDList(PIDL);
  // Asked with the binding, a folder the file system will not list changes nothing, not
  // even the drive box. A file that the shell browses (a .zip, a .cab) is listed by the
  // shell alone: the file system would call it no directory.
  if (!path.empty() && fm::KindOfPath(path) != fm::PathKind::File) fm::RaiseUnlessListable(path);
  const std::wstring shownPath = path.empty() ? std::wstring(L"Drives") : fm::DisplayNameOf(*FIDesktopFolder, PIDL, true);

  fm::ui::TUpdateBlock update(*LeftView);
  // The pane shows the new folder whole or not at all: its rows, item ID list, path, path
  // box line and drive change together, also when the read failed half-way.
  ReadFolder(folder, [&] {
    if (path.size() >= 2) {
      fm::ui::TDetachedEvent detached(DrivesLeft->OnChange);
      for (int i = 0; i < DrivesLeft->Count(); ++i) {
        if (fm::StartsWithAsciiNoCase(DrivesLeft->Item(i), std::wstring_view(path).substr(0, 2))) {
          DrivesLeft->SetItemIndex(i);
          break;
        }
      }
    }
    FPIDL = PIDL;
    FPath = shownPath;
    const int line = cbLeftPath->IndexOf(FPath);
    if (line < 0) {
      cbLeftPath->InsertItem(0, FPath, FPIDL);
      cbLeftPath->SetItemIndex(0);
    } else {
      // The letter case of the stored line wins; its item ID list stays as it was.
      cbLeftPath->SetItemIndex(line);
    }
    currentPath->SetText(cbLeftPath->Text());
    if (LeftItemCount() > 0) LeftView->SelectItem(0);
  });
}

void TMain::BrowseToPath(const std::wstring& Path) {
  if (!FIDesktopFolder) return;
  fm::ItemIdList list = fm::ParseDisplayName(*FIDesktopFolder, fm::ui::Application().Handle(), Path);
  BrowseToPIDL(KeepFolderIDList(std::move(list)));
}

void TMain::cbLeftPathKeyDown(WORD& Key, fm::ui::TShiftState) {
  if (Key != VK_RETURN) return;
  const std::wstring text = cbLeftPath->Text();
  if (text.empty()) {
    Key = 0;
    return;
  }
  // The key is the box's either way, also when the navigation fails.
  Key = 0;
  const int line = cbLeftPath->IndexOf(text);
  if (line >= 0) {
    BrowseToPIDL(static_cast<LPITEMIDLIST>(cbLeftPath->ItemObject(line)));
    return;
  }
  const std::wstring completed = fm::CompleteTypedPath(text);
  cbLeftPath->SetText(completed);
  BrowseToPath(completed);
}

void TMain::cbLeftPathClick() {
  const std::wstring text = cbLeftPath->Text();
  const int line = cbLeftPath->IndexOf(text);
  if (line >= 0) {
    BrowseToPIDL(static_cast<LPITEMIDLIST>(cbLeftPath->ItemObject(line)));
  } else {
    BrowseToPath(text);
  }
}

void TMain::DrivesLeftChange() { BrowseToPath(DrivesLeft->Text().substr(0, 2)); }

void TMain::BtnLeftRootClick() { BrowseToPath(DrivesLeft->Text().substr(0, 2)); }

void TMain::BtnLeftBackClick() {
  fm::ItemIdList parent = fm::ItemIdList::CopyOf(FPIDL);
  if (parent) fm::StripLastItemID(parent.Get());
  // A child of the desktop has no parent to show.
  if (parent && fm::ItemIDListSize(parent.Get()) > 2) {
    BrowseToPIDL(KeepFolderIDList(std::move(parent)));
  } else {
    FBeep();
  }
  LayoutPanes();
}

}  // namespace MainUnit
