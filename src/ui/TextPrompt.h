// A modal box that asks for one line of text, with an optional check box under it. Enter
// accepts, Escape and the close box cancel.
#pragma once

#include <optional>
#include <string>

#include "ui/Form.h"
#include "ui/StdControls.h"

namespace fm::ui {

class TTextPrompt : public TForm {
 public:
  struct Answer {
    std::wstring text;
    bool checked = false;
  };

  // prompt stands above the edit box, which starts with text, all of it selected; an
  // empty checkCaption shows no check box.
  TTextPrompt(HWND owner, const std::wstring& prompt, const std::wstring& text, const std::wstring& checkCaption = {});
  ~TTextPrompt() override;

  // Shows the box until it is accepted (the text) or cancelled (nothing).
  std::optional<Answer> Ask();

 private:
  void CreateDesign(const std::wstring& prompt, const std::wstring& text, const std::wstring& checkCaption);
  void Finish(bool accepted);

  TLabel* lblPrompt = nullptr;
  TEdit* edtText = nullptr;
  TCheckBox* chkOption = nullptr;
  TButton* btnOk = nullptr;
  TButton* btnCancel = nullptr;
  bool FAccepted = false;
};

}  // namespace fm::ui
