#include "ui/ToolBar.h"

namespace fm::ui {

TImageList::TImageList(int bitmapResource, int width, int height)
    : handle_(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapResource), width, 1,
                                   RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION)),
      width_(width),
      height_(height) {}

TToolButton::TToolButton(TToolBar& toolBar, std::wstring name, int command, int imageIndex)
    : toolBar_(toolBar), name_(std::move(name)), command_(command), imageIndex_(imageIndex) {}

RECT TToolButton::BoundsRect() const {
  RECT rect{};
  SendMessageW(toolBar_.Handle(), TB_GETRECT, static_cast<WPARAM>(command_), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

bool TToolButton::Enabled() const {
  return SendMessageW(toolBar_.Handle(), TB_ISBUTTONENABLED, static_cast<WPARAM>(command_), 0) != 0;
}

void TToolButton::SetEnabled(bool enabled) {
  SendMessageW(toolBar_.Handle(), TB_ENABLEBUTTON, static_cast<WPARAM>(command_), MAKELPARAM(enabled, 0));
}

void TToolButton::Click() {
  if (OnClick) OnClick();
}

TToolBar::TToolBar(TControl& parent, std::wstring name, std::shared_ptr<const TImageList> images,
                   int buttonWidth, int buttonHeight)
    : TControl(&parent, std::move(name)), images_(std::move(images)) {
  SetColor(parent.Color());
  CreateHandle(TOOLBARCLASSNAMEW,
               WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
               0);
  SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
  SendMessageW(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->Width(), images_->Height()));
  SendMessageW(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth, buttonHeight));
}

TToolBar::~TToolBar() { DestroyHandle(); }

int TToolBar::NextCommand() {
  static int next = 1000;
  return next++;
}

void TToolBar::Insert(std::unique_ptr<TToolButton> button) {
  TBBUTTON tb{};
  tb.iBitmap = button->ImageIndex();
  tb.idCommand = button->Command();
  tb.fsState = TBSTATE_ENABLED;
  tb.fsStyle = BTNS_BUTTON;
  SendMessageW(Handle(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&tb));
  buttons_.push_back(std::move(button));
}

TToolButton* TToolBar::FindButton(const std::wstring& name) const {
  for (const auto& button : buttons_) {
    if (button->Name() == name) return button.get();
  }
  return nullptr;
}

bool TToolBar::Command(WORD code, WORD id) {
  if (code != BN_CLICKED) return false;
  for (const auto& button : buttons_) {
    if (button->Command() == id) {
      button->Click();
      return true;
    }
  }
  return false;
}

}  // namespace fm::ui
