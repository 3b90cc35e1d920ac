#include "ui/ComboBox.h"

#include "ui/Application.h"

namespace fm::ui {

namespace {
constexpr UINT_PTR kEditSubclassId = 2;
}

TComboBox::TComboBox(TControl& parent, std::wstring name, TComboBoxStyle style)
    : TControl(&parent, std::move(name)) {
  const DWORD kind = style == TComboBoxStyle::csDropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
  CreateHandle(WC_COMBOBOXW, WS_VISIBLE | WS_VSCROLL | kind, 0);
  COMBOBOXINFO info{sizeof(info)};
  if (GetComboBoxInfo(Handle(), &info) && info.hwndItem && info.hwndItem != Handle()) {
    edit_ = info.hwndItem;
    SetWindowSubclass(edit_, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }
}

TComboBox::~TComboBox() {
  if (edit_) RemoveWindowSubclass(edit_, EditProc, kEditSubclassId);
}

int TComboBox::Count() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

std::wstring TComboBox::Item(int index) const {
  const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void* TComboBox::ItemObject(int index) const {
  const LRESULT data = SendMessageW(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == CB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

void TComboBox::AddItem(const std::wstring& text, void* object) { InsertItem(-1, text, object); }

void TComboBox::InsertItem(int index, const std::wstring& text, void* object) {
  const LRESULT at = SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(text.c_str()));
  if (at >= 0) SendMessageW(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(object));
}

void TComboBox::Clear() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

int TComboBox::IndexOf(const std::wstring& text) const {
  // The exact-string search of the control compares whole texts without regard to case;
  // it takes a start index and wraps, so start before the first line.
  const LRESULT found = SendMessageW(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
  return found == CB_ERR ? -1 : static_cast<int>(found);
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void TComboBox::SetDropDownCount(int rows) { SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(rows), 0); }

bool TComboBox::DroppedDown() const { return SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TComboBox::SetSelection(int start, int length) {
  SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + length));
}

std::pair<int, int> TComboBox::Selection() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end - start)};
}

bool TComboBox::Command(WORD code, WORD) {
  if (code == CBN_SETFOCUS) {
    if (OnEnter) OnEnter();
    return true;
  }
  if (code != CBN_SELCHANGE) return false;
  // The edit field shows the picked line only after this notification; show it now so
  // that the handlers read the line they were given.
  const int index = ItemIndex();
  if (edit_ && index >= 0) SetText(Item(index));
  if (OnChange) OnChange();
  if (OnClick) OnClick();
  return true;
}

LRESULT TComboBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A drop-down list has no edit field: its keys arrive here.
  if (!edit_ && keys_.Filter(message, wParam)) return 0;
  return TControl::WndProc(message, wParam, lParam);
}

LRESULT TComboBox::EditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  // Enter closes a list dropped down while typing before the key's handler acts on the text.
  if (message == WM_KEYDOWN && wParam == VK_RETURN && DroppedDown()) {
    SendMessageW(Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  }
  if (keys_.Filter(message, wParam)) return 0;
  // The edit field would show the system's edit menu; the combo box's own menu comes first.
  if (message == WM_CONTEXTMENU && ShowPopupMenu(lParam)) return 0;
  if (message == WM_CHAR && AutoDropDown && !DroppedDown() && wParam != VK_RETURN && wParam != VK_ESCAPE) {
    SendMessageW(Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK TComboBox::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
  const TApplication::THandlerScope scope;
  try {
    return reinterpret_cast<TComboBox*>(data)->EditMessage(edit, message, wParam, lParam);
  } catch (...) {
    Application().HandleException(std::current_exception());
    return 0;
  }
}

}  // namespace fm::ui
