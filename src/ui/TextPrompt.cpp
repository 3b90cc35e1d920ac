#include "ui/TextPrompt.h"

#include "ui/Application.h"

namespace fm::ui {

TTextPrompt::TTextPrompt(HWND owner, const std::wstring& prompt, const std::wstring& text,
                         const std::wstring& checkCaption)
    : TForm(L"TextPrompt", 100, 100, ModalBoxParams(owner)) {
  SetCaption(Application().Title());
  CreateDesign(prompt, text, checkCaption);
  CenterOnWindow(owner);
  btnOk->OnClick = [this] { Finish(true); };
  btnCancel->OnClick = [this] { Finish(false); };
  OnShortCut = [this](WORD key, TShiftState) {
    if (key != VK_RETURN && key != VK_ESCAPE) return false;
    // Enter on the Cancel button is a cancel.
    Finish(key == VK_RETURN && !btnCancel->Focused());
    return true;
  };
  SetActiveControl(edtText);
}

TTextPrompt::~TTextPrompt() { DestroyWindowFirst(); }

std::optional<TTextPrompt::Answer> TTextPrompt::Ask() {
  FAccepted = false;
  SendMessageW(edtText->Handle(), EM_SETSEL, 0, -1);
  ShowModal();
  if (!FAccepted) return std::nullopt;
  return Answer{edtText->Text(), chkOption && chkOption->Checked()};
}

void TTextPrompt::Finish(bool accepted) {
  FAccepted = accepted;
  Close();
}

}  // namespace fm::ui
