#include "ui/QuestionBox.h"

#include "ui/Application.h"

namespace fm::ui {

TQuestionBox::TQuestionBox(HWND owner, const std::wstring& text, const std::vector<std::wstring>& buttons,
                           int focusIndex, int cancelIndex)
    : TForm(L"QuestionBox", 100, 100, ModalBoxParams(owner)), FCancelIndex(cancelIndex), FChosen(cancelIndex) {
  SetCaption(Application().Title());
  CreateDesign(text, buttons);
  CenterOnWindow(owner);
  for (size_t i = 0; i < Buttons.size(); ++i) {
    Buttons[i]->OnClick = [this, i] { Choose(static_cast<int>(i)); };
  }
  if (focusIndex >= 0 && focusIndex < static_cast<int>(Buttons.size())) SetActiveControl(Buttons[focusIndex]);
  OnShortCut = [this](WORD key, TShiftState) { return ShortCut(key); };
  OnClose = [this](TCloseAction&) {
    if (FChosen < 0) FChosen = FCancelIndex;
  };
}

TQuestionBox::~TQuestionBox() { DestroyWindowFirst(); }

int TQuestionBox::Ask() {
  FChosen = -1;
  ShowModal();
  return FChosen < 0 ? FCancelIndex : FChosen;
}

void TQuestionBox::Choose(int index) {
  FChosen = index;
  Close();
}

bool TQuestionBox::ShortCut(WORD key) {
  if (key == VK_ESCAPE) {
    Choose(FCancelIndex);
    return true;
  }
  if (key != VK_RETURN) return false;
  for (size_t i = 0; i < Buttons.size(); ++i) {
    if (Buttons[i]->Focused()) {
      Choose(static_cast<int>(i));
      return true;
    }
  }
  return false;
}

}  // namespace fm::ui
