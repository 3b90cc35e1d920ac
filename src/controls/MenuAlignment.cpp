#include "controls/Vcl_Interceptors.h"

namespace Vcl_Interceptors {

namespace {

enum class Justified { ReadFailed, WriteFailed, Written };

// Sets or clears MFT_RIGHTJUSTIFY of the item with this command in menu. Only the type
// is read and written: the caption is left as it is, whatever its length.
Justified RightJustify(HMENU menu, UINT command, bool value) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE;
  if (!GetMenuItemInfoW(menu, command, FALSE, &info)) return Justified::ReadFailed;
  if (value) {
    info.fType |= MFT_RIGHTJUSTIFY;
  } else {
    info.fType &= ~static_cast<UINT>(MFT_RIGHTJUSTIFY);
  }
  return SetMenuItemInfoW(menu, command, FALSE, &info) ? Justified::Written
                                                       : Justified::WriteFailed;
}

}  // namespace

void TMenuItem::SetalRight(bool Value) {
  if (!Parent()) {
    fAlRight = false;
    return;
  }
  fAlRight = Value;
  // A failed read leaves the request standing; a failed write of true does not.
  if (RightJustify(ParentHandle(), Command(), Value) == Justified::WriteFailed && Value)
    fAlRight = false;
}

bool TMainMenu::AlignItem(fm::ui::TMenuItem* MenuItemName, bool alRight) {
  if (!MenuItemName) return false;
  return RightJustify(Handle(), MenuItemName->Command(), alRight) == Justified::Written;
}

}  // namespace Vcl_Interceptors
