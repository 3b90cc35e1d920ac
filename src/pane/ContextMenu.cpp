// The shell's own context menu for the rows of a pane's list, or for the folder shown.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>

#include "Pane.h"
#include "core/PathText.h"
#include "platform/Handles.h"
#include "platform/OsError.h"
#include "platform/Shell.h"

namespace PaneUnit {

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

// While the shell's menu is up, its owner window hands the menu's messages to the menu's
// handler: "Send to", "Open with" and "New" are filled as they open, and owner-drawn
// entries are measured and drawn by the handler that made them.
class MenuMessageForwarding {
 public:
  MenuMessageForwarding(HWND owner, IContextMenu& handler) : owner_(owner) {
    handler.QueryInterface(IID_IContextMenu3, menu3_.PutVoid());
    if (!menu3_) handler.QueryInterface(IID_IContextMenu2, menu2_.PutVoid());
    if (!menu3_ && !menu2_) return;
    if (!SetWindowSubclass(owner_, Forward, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
      fm::RaiseLastOSError();
    }
    hooked_ = true;
  }
  ~MenuMessageForwarding() {
    if (hooked_) RemoveWindowSubclass(owner_, Forward, kSubclassId);
  }
  MenuMessageForwarding(const MenuMessageForwarding&) = delete;
  MenuMessageForwarding& operator=(const MenuMessageForwarding&) = delete;

 private:
  static constexpr UINT_PTR kSubclassId = 0x464D4358;  // one hook per window at a time

  static bool IsMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITMENUPOPUP:
      case WM_MENUCHAR:
        return true;
      // Only menu entries: the window's own controls draw themselves as before.
      case WM_DRAWITEM:
        return wParam == 0 && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
      case WM_MEASUREITEM:
        return wParam == 0 && reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
      default:
        return false;
    }
  }

  static LRESULT CALLBACK Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
    const auto& self = *reinterpret_cast<const MenuMessageForwarding*>(data);
    if (IsMenuMessage(message, wParam, lParam)) {
      if (self.menu3_) {
        LRESULT result = 0;
        if (SUCCEEDED(self.menu3_->HandleMenuMsg2(message, wParam, lParam, &result))) return result;
      } else if (message != WM_MENUCHAR && SUCCEEDED(self.menu2_->HandleMenuMsg(message, wParam, lParam))) {
        return message == WM_INITMENUPOPUP ? 0 : TRUE;
      }
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }

  HWND owner_;
  fm::ComPtr<IContextMenu3> menu3_;
  fm::ComPtr<IContextMenu2> menu2_;
  bool hooked_ = false;
};

// The user's own no: a cancelled copy, a declined elevation.
bool IsCancelled(HRESULT result) { return result == HRESULT_FROM_WIN32(ERROR_CANCELLED); }

}  // namespace

void TPane::ViewMouseDown(fm::ui::TMouseButton Button, fm::ui::TShiftState Shift, int X, int Y) {
  if (Button != fm::ui::TMouseButton::mbRight) return;
  // The list has already moved the selection to the row under the pointer, or cleared it;
  // a press on a row of a selection of several keeps them all.
  ShowContextMenu(View->SelectedIndex(), X, Y, Shift.Shift);
}

void TPane::ShowFocusedContextMenu() {
  const int row = View->FocusedIndex();
  POINT point{0, 0};
  if (row >= 0) {
    // A focused row outside the selection is chosen alone, as a press on it would.
    if (!View->IsSelected(row)) View->SelectItem(row);
    RECT caption{};
    ListView_GetItemRect(View->Handle(), row, &caption, LVIR_LABEL);
    point = {caption.left, (caption.top + caption.bottom) / 2};
  }
  ShowContextMenu(row, point.x, point.y, false);
}

void TPane::ShowContextMenu(int Row, int X, int Y, bool ExtendedVerbs) {
  const fm::ComPtr<IContextMenu> handler = Row >= 0 ? RowsMenuHandler(Row) : FolderMenuHandler();
  if (handler) ShowShellContextMenu(*View, *handler, X, Y, ExtendedVerbs);
}

fm::ComPtr<IContextMenu> TPane::RowsMenuHandler(int Row) {
  // The rows' own items: a name parsed again could be another item ("x." is "x" to the
  // parser) or none at all (a drive). A selected row brings the whole selection along.
  std::vector<int> rows = View->SelectedIndexes();
  if (std::find(rows.begin(), rows.end(), Row) == rows.end()) rows = {Row};
  std::vector<LPCITEMIDLIST> items;
  items.reserve(rows.size());
  for (const int row : rows) items.push_back(GetItem(row)->ID());
  fm::ComPtr<IContextMenu> handler;
  fm::OleCheck(FIShellFolder->GetUIObjectOf(Host.OwnerWindow(), static_cast<UINT>(items.size()), items.data(),
                                            IID_IContextMenu, nullptr, handler.PutVoid()));
  if (!handler) fm::RaiseOleError(E_NOINTERFACE);
  return handler;
}

fm::ComPtr<IContextMenu> TPane::FolderMenuHandler() {
  // The drives list and folders off the drives have no menu of their own here.
  if (!FIShellFolder || !fm::IsDriveLetterPath(FPath)) return {};
  // The shown folder's own background: Paste and New act on it.
  fm::ComPtr<IContextMenu> handler;
  fm::OleCheck(FIShellFolder->CreateViewObject(Host.OwnerWindow(), IID_IContextMenu, handler.PutVoid()));
  if (!handler) fm::RaiseOleError(E_NOINTERFACE);
  return handler;
}

void TPane::ShowShellContextMenu(fm::ui::TControl& Control, IContextMenu& Handler, int X, int Y,
                                 bool ExtendedVerbs) {
  const HWND owner = Host.OwnerWindow();
  // Destroyed on every way out, a failing shell call included.
  const fm::UniqueHMenu menu(CreatePopupMenu());
  if (!menu) fm::RaiseLastOSError();
  const UINT flags = CMF_EXPLORE | (ExtendedVerbs ? CMF_EXTENDEDVERBS : 0);
  fm::OleCheck(Handler.QueryContextMenu(menu.Get(), 0, kFirstCommand, kLastCommand, flags));
  POINT point{X, Y};
  ClientToScreen(Control.Handle(), &point);
  UINT command = 0;
  {
    const MenuMessageForwarding forwarding(owner, Handler);
    command = static_cast<UINT>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr));
  }
  if (command == 0) return;
  CMINVOKECOMMANDINFO invoke{};
  invoke.cbSize = sizeof(invoke);
  invoke.hwnd = owner;
  invoke.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
  invoke.nShow = SW_SHOWNORMAL;
  const HRESULT result = Handler.InvokeCommand(&invoke);
  if (IsCancelled(result)) return;
  fm::OleCheck(result);
}

}  // namespace PaneUnit
