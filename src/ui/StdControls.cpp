#include "ui/StdControls.h"

namespace fm::ui {

TLabel::TLabel(TControl& parent, std::wstring name, std::wstring caption, TAlignment alignment, bool wordWrap)
    : TControl(&parent, std::move(name)) {
  SetColor(parent.Color());
  DWORD style = WS_VISIBLE | SS_NOPREFIX | (wordWrap ? SS_EDITCONTROL : SS_CENTERIMAGE);
  style |= alignment == TAlignment::taCenter ? SS_CENTER
           : alignment == TAlignment::taRightJustify ? SS_RIGHT
                                                     : SS_LEFT;
  CreateHandle(WC_STATICW, style, 0, caption.c_str());
}

HBRUSH TLabel::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font().Color()));
  SetBkColor(dc, ColorToRGB(Color()));
  return brush_.Handle();
}

TCheckBox::TCheckBox(TControl& parent, std::wstring name, std::wstring caption)
    : TControl(&parent, std::move(name)) {
  SetColor(parent.Color());
  CreateHandle(WC_BUTTONW, WS_VISIBLE | BS_AUTOCHECKBOX, 0, caption.c_str());
}

bool TCheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool KeyFilter::Filter(UINT message, WPARAM wParam) {
  if (message == WM_KEYDOWN) {
    swallowChar_ = false;
    if (!OnKeyDown) return false;
    WORD key = static_cast<WORD>(wParam);
    OnKeyDown(key, CurrentShiftState());
    if (key == 0) {
      swallowChar_ = !KeepCharacters;
      return true;
    }
    return false;
  }
  // A one-line field has no use for a carriage return; it would only beep.
  if (message == WM_CHAR && (swallowChar_ || (KeepCharacters && wParam == L'\r'))) {
    swallowChar_ = false;
    return true;
  }
  return false;
}

TEdit::TEdit(TControl& parent, std::wstring name) : TControl(&parent, std::move(name)) {
  CreateHandle(WC_EDITW, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
  keys_.KeepCharacters = true;
}

LRESULT TEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (keys_.Filter(message, wParam)) return 0;
  return TControl::WndProc(message, wParam, lParam);
}

TButton::TButton(TControl& parent, std::wstring name, std::wstring caption)
    : TButton(parent, std::move(name), std::move(caption), WS_TABSTOP | BS_PUSHBUTTON) {}

TButton::TButton(TControl& parent, std::wstring name, std::wstring caption, DWORD style)
    : TControl(&parent, std::move(name)) {
  SetColor(clBtnFace);
  CreateHandle(WC_BUTTONW, WS_VISIBLE | style, 0, caption.c_str());
}

void TButton::Click() {
  if (OnClick) OnClick();
}

bool TButton::Command(WORD code, WORD) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

TSpeedButton::TSpeedButton(TControl& parent, std::wstring name, std::wstring caption)
    : TButton(parent, std::move(name), std::move(caption), BS_PUSHBUTTON | BS_FLAT) {}

// The window draws with the glyph: it goes before the glyph does.
TSpeedButton::~TSpeedButton() { DestroyHandle(); }

void TSpeedButton::SetGlyph(const TPicture& picture) {
  picture_ = picture;
  UniqueHImageList glyph = PictureImageList(picture, Scaled(picture.DesignSize));
  BUTTON_IMAGELIST list{glyph.Get(), {Scaled(2), 0, Scaled(4), 0}, BUTTON_IMAGELIST_ALIGN_RIGHT};
  SendMessageW(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
  // The old glyph is freed only once the button no longer draws with it.
  glyph_ = std::move(glyph);
}

int TSpeedButton::GlyphSize() const {
  int width = 0;
  int height = 0;
  return glyph_ && ImageList_GetIconSize(glyph_.Get(), &width, &height) ? width : 0;
}

void TSpeedButton::DpiChanged() {
  if (picture_) SetGlyph(*picture_);
}

}  // namespace fm::ui
