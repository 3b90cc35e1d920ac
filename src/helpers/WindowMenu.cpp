#include "helpers/WindowMenu.h"

namespace myHelper {

namespace {

// The window's current window menu, not a fresh copy of the system's.
HMENU WindowMenu(HWND window) { return GetSystemMenu(window, FALSE); }

// A change shows in the title bar only once the bar is drawn again.
bool Redrawn(HWND window, bool changed) {
  if (changed) DrawMenuBar(window);
  return changed;
}

}  // namespace

bool EnableSysMenuItem(HWND Window, UINT ItemID, bool Enable) {
  HMENU menu = WindowMenu(Window);
  if (!menu) return false;
  // The answer is the item's previous state, or -1 without such an item.
  const BOOL previous =
      EnableMenuItem(menu, ItemID, MF_BYCOMMAND | (Enable ? MF_ENABLED : MF_GRAYED));
  return Redrawn(Window, previous != 0);
}

bool DeleteSysMenuItem(HWND Window, UINT ItemID) {
  HMENU menu = WindowMenu(Window);
  if (!menu) return false;
  return Redrawn(Window, DeleteMenu(menu, ItemID, MF_BYCOMMAND) != FALSE);
}

bool AppendSysMenuItem(HWND Window, UINT ItemID, const std::wstring& Caption) {
  HMENU menu = WindowMenu(Window);
  if (!menu) return false;
  return Redrawn(Window, AppendMenuW(menu, MF_STRING, ItemID, Caption.c_str()) != FALSE);
}

std::wstring GetSysMenuItemText(HWND Window, UINT ItemID) {
  HMENU menu = WindowMenu(Window);
  if (!menu) return {};
  wchar_t buffer[255] = {};
  if (GetMenuStringW(menu, ItemID, buffer, 255, MF_BYCOMMAND) == 0) return {};
  return buffer;
}

}  // namespace myHelper
