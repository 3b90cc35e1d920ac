#include "ui/ToolBar.h"

#include "core/DpiScale.h"

namespace fm::ui {

TImageList::TImageList(const TPicture& picture, int dpi)
    : picture_(picture),
      dpi_(dpi),
      size_(ScaleToDpi(picture.DesignSize, dpi)),
      handle_(PictureImageList(picture, size_)) {}

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
    : TControl(&parent, std::move(name)),
      images_(std::move(images)),
      buttonWidth_(buttonWidth),
      buttonHeight_(buttonHeight) {
  SetColor(parent.Color());
  CreateHandle(TOOLBARCLASSNAMEW,
               WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
               0);
  SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  DpiChanged();
}

void TToolBar::DpiChanged() {
  std::shared_ptr<const TImageList> images =
      images_->Dpi() == Dpi() ? images_
                              : std::make_shared<const TImageList>(images_->Picture(), Dpi());
  SendMessageW(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images->Handle()));
  SendMessageW(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(images->Width(), images->Height()));
  SendMessageW(Handle(), TB_SETBUTTONSIZE, 0,
               MAKELPARAM(Scaled(buttonWidth_), Scaled(buttonHeight_)));
  // The images the bar drew with before go once it no longer does.
  images_ = std::move(images);
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
