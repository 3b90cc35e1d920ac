// Items of a window's window menu (the system menu of its title bar icon), addressed by
// command identifier. A window without a window menu gives false or an empty text.
#pragma once

#include <windows.h>

#include <string>

namespace myHelper {

// Greys (Enable false) or enables the item. True when the item was greyed or disabled
// before, or the menu has no such item; false when it was enabled or there is no menu.
bool EnableSysMenuItem(HWND Window, UINT ItemID, bool Enable);

bool DeleteSysMenuItem(HWND Window, UINT ItemID);

// Adds a text item at the end of the window menu.
bool AppendSysMenuItem(HWND Window, UINT ItemID, const std::wstring& Caption);

// The item's caption (at most 254 characters), empty when there is none.
std::wstring GetSysMenuItemText(HWND Window, UINT ItemID);

}  // namespace myHelper
