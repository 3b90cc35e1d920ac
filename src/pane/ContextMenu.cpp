// The shell's own context menu for the row under a right click, for all the selected rows
// together, or for the folder shown.
#include <windows.h>

#include <shlobj.h>

#include "Pane.h"
#include "core/PathText.h"
#include "platform/Handles.h"
#include "platform/OsError.h"
#include "platform/Shell.h"

namespace PaneUnit {

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

// Shows the handler's menu at X, Y of Control's client area and carries out the command
// picked; the popup menu is destroyed on every way out, a failing shell call included.
void RunContextMenu(IContextMenu& menuHandler, HWND owner, fm::ui::TControl& Control, int X, int Y) {
  const fm::UniqueHMenu menu(CreatePopupMenu());
  if (!menu) fm::RaiseLastOSError();
  fm::OleCheck(menuHandler.QueryContextMenu(menu.Get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE));
  POINT point{X, Y};
  ClientToScreen(Control.Handle(), &point);
  const UINT command = static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                        point.x, point.y, 0, owner, nullptr));
  if (command == 0) return;
  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof(invoke);
  invoke.hwnd = owner;
  invoke.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
  invoke.nShow = SW_SHOWNORMAL;
  fm::OleCheck(menuHandler.InvokeCommand(&invoke));
}

}  // namespace

void TPane::ViewMouseDown(fm::ui::TMouseButton Button, fm::ui::TShiftState, int X, int Y) {
  if (Button != fm::ui::TMouseButton::mbRight) return;
  // The list has already moved the selection to the row under the pointer, or cleared it;
  // a press on a row of a selection of several keeps them all.
  if (View->SelectedCount() > 1) {
    ShowSelectionContextMenu(X, Y);
    return;
  }
  if (const int row = View->SelectedIndex(); row >= 0) {
    std::wstring path = GetItem(row)->FullPath;
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    ShowShellContextMenu(*View, path, X, Y);
    return;
  }
  // The folder shown, as the path box holds it now, when it lies on a drive.
  const std::wstring text = PathBox->Text();
  if (text.size() >= 2 && text[1] == L':') ShowShellContextMenu(*View, text, X, Y);
}

void TPane::ShowShellContextMenu(fm::ui::TControl& Control, const std::wstring& Path, int X, int Y) {
  const HWND owner = Host.OwnerWindow();
  fm::ComPtr<IShellFolder> desktop = fm::DesktopFolder();
  fm::ComPtr<IShellFolder> parent;
  {
    const fm::ItemIdList parentList = fm::ParseDisplayName(*desktop, owner, fm::PathPart(Path));
    parent = fm::BindToFolder(*desktop, parentList.Get());
  }
  fm::ComPtr<IContextMenu> menuHandler;
  {
    // The name is parsed without a window to own what the folder might show.
    const fm::ItemIdList item =
        fm::ParseDisplayName(*parent, reinterpret_cast<HWND>(-1), fm::FileNamePart(Path));
    LPCITEMIDLIST items[] = {item.Get()};
    fm::OleCheck(
        parent->GetUIObjectOf(owner, 1, items, IID_IContextMenu, nullptr, menuHandler.PutVoid()));
    if (!menuHandler) fm::RaiseOleError(E_NOINTERFACE);
  }

  RunContextMenu(*menuHandler, owner, Control, X, Y);
}

void TPane::ShowSelectionContextMenu(int X, int Y) {
  std::vector<LPCITEMIDLIST> items;
  for (const int row : View->SelectedIndexes()) items.push_back(GetItem(row)->ID.Get());
  const HWND owner = Host.OwnerWindow();
  fm::ComPtr<IContextMenu> menuHandler;
  fm::OleCheck(FIShellFolder->GetUIObjectOf(owner, static_cast<UINT>(items.size()), items.data(), IID_IContextMenu,
                                            nullptr, menuHandler.PutVoid()));
  if (!menuHandler) fm::RaiseOleError(E_NOINTERFACE);
  RunContextMenu(*menuHandler, owner, *View, X, Y);
}

}  // namespace PaneUnit
