// Opening rows (double-click, Enter), the list's command keys, the F9 button and the
// command box: folders are entered, everything else goes to the shell.
#include <windows.h>

#include <shellapi.h>

#include "MainUnit.h"
#include "core/PathText.h"
#include "platform/Handles.h"
#include "platform/OsError.h"
#include "ui/Application.h"

namespace MainUnit {

bool IsFolderItem(IShellFolder& Folder, LPCITEMIDLIST Item) {
  SFGAOF attributes = SFGAO_FOLDER;
  // The result code does not count: a query that leaves the word alone says "folder".
  Folder.GetAttributesOf(1, &Item, &attributes);
  return (attributes & SFGAO_FOLDER) != 0;
}

bool TMain::RunShellExecute(SHELLEXECUTEINFOW& info) {
  const bool accepted = FShellExecute(info);
  // Nothing waits for a started program; its handle is only closed.
  const fm::UniqueHandle process(info.hProcess);
  return accepted;
}

bool TMain::LaunchFile(HWND OwnerWindow, const std::wstring& FileName,
                       const std::wstring& Parameters, const std::wstring& Directory,
                       int ShowCommand, LPCITEMIDLIST Item) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = OwnerWindow;
  if (Item) {
    // The item itself, not a name the shell would parse again: "report.txt." would
    // become "report.txt".
    info.fMask |= SEE_MASK_IDLIST;
    info.lpIDList = const_cast<LPITEMIDLIST>(Item);
  } else {
    info.lpFile = FileName.c_str();
  }
  info.lpParameters = Parameters.c_str();
  info.lpDirectory = Directory.c_str();
  info.nShow = ShowCommand;
  return RunShellExecute(info);
}

bool TMain::ExecuteVerb(LPCITEMIDLIST Item, const std::wstring& Verb) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = GetActiveWindow();
  info.lpVerb = Verb.c_str();
  info.lpIDList = const_cast<LPITEMIDLIST>(Item);
  info.nShow = SW_SHOWNORMAL;
  return RunShellExecute(info);
}

fm::ItemIdList TMain::AbsoluteIDList(const TLeftShellItem& item) const {
  fm::ItemIdList list = fm::ItemIdList::Adopt(fm::JoinItemIDLists(FPIDL, item.ID.Get()));
  if (!list) fm::RaiseOleError(E_OUTOFMEMORY);
  return list;
}

void TMain::OpenLeftItem(std::int32_t index) {
  // The route of a folder depends on its attributes, which come with the details.
  FillItemDetails(index, index);
  const TLeftShellItem& item = *GetLeftItem(index);
  if (IsFolderItem(*FIShellFolder, item.ID.Get())) {
    if (item.Attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      // The final path is the link's target, which the pane then shows under its own path.
      BrowseToPath(std::wstring(item.FullPath));
    } else {
      BrowseToPIDL(KeepFolderIDList(AbsoluteIDList(item)));
    }
    return;
  }
  const std::wstring path = item.FullPath;
  Exec_CMD->SetText(path);
  const fm::ItemIdList launched = AbsoluteIDList(item);
  LaunchFile(fm::ui::Application().Handle(), path, L"", fm::FolderPart(path), SW_SHOWNORMAL, launched.Get());
}

void TMain::LeftViewDblClick() {
  const int row = LeftView->SelectedIndex();
  if (row >= 0) OpenLeftItem(row);
  LayoutPanes();
}

void TMain::ShowLeftItemProperties() {
  const int row = LeftView->SelectedIndex();
  if (row < 0) return;
  const fm::ItemIdList item = AbsoluteIDList(*GetLeftItem(row));
  ExecuteVerb(item.Get(), L"properties");
}

void TMain::LeftViewKeyDown(WORD& Key, fm::ui::TShiftState Shift) {
  // The key goes on to the list afterwards, but for the keys of the context menu: F10
  // would go on to open the menu bar.
  switch (Key) {
    case VK_APPS:
      Key = 0;
      ShowFocusedContextMenu();
      break;
    case VK_F10:
      if (!Shift.Shift) break;
      Key = 0;
      ShowFocusedContextMenu();
      break;
    case VK_BACK:
      BtnLeftBackClick();
      break;
    case VK_RETURN:
      LeftViewDblClick();
      break;
    case VK_F2:
      if (const int row = LeftView->SelectedIndex(); row >= 0)
        ListView_EditLabel(LeftView->Handle(), row);
      break;
    case VK_F9:
      ShowLeftItemProperties();
      break;
    default:
      break;
  }
}

void TMain::BTN_F09Click() { ShowLeftItemProperties(); }

void TMain::Exec_CMDKeyDown(WORD& Key, fm::ui::TShiftState) {
  // Every key-down is the box's own: the edit never moves the caret or deletes at
  // key-down, while typed characters, Backspace and the clipboard keys still edit.
  const WORD key = Key;
  Key = 0;
  if (key != VK_RETURN) return;
  // The whole text is the file: what follows a program name is part of that name.
  const std::wstring text = Exec_CMD->Text();
  LaunchFile(nullptr, text, L"", fm::PathPart(text), SW_SHOWNORMAL);
}

}  // namespace MainUnit
