// A modal box that asks: a text and a row of buttons, of which one is chosen. Escape and
// the close box choose the cancelling button; Enter the button that has the focus.
#pragma once

#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/StdControls.h"

namespace fm::ui {

class TQuestionBox : public TForm {
 public:
  // The box is owned by owner and centred on it; the button at focusIndex has the focus
  // when it opens, the one at cancelIndex answers Escape.
  TQuestionBox(HWND owner, const std::wstring& text, const std::vector<std::wstring>& buttons, int focusIndex,
               int cancelIndex);
  ~TQuestionBox() override;

  // Shows the box until a button is chosen and returns its index.
  int Ask();

 private:
  void CreateDesign(const std::wstring& text, const std::vector<std::wstring>& buttons);
  void Choose(int index);
  bool ShortCut(WORD key);

  TLabel* lblText = nullptr;
  std::vector<TButton*> Buttons;
  int FCancelIndex;
  int FChosen;
};

}  // namespace fm::ui
