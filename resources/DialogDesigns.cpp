// The designs of the program's small windows: the question box, the text prompt and the
// progress window of a file operation. Sizes are at 96 dots per inch, scaled where applied.
#include "ui/JobProgressWindow.h"
#include "ui/QuestionBox.h"
#include "ui/TextPrompt.h"

namespace fm::ui {

namespace {

constexpr int kMargin = 12;
constexpr int kGap = 6;
constexpr int kButtonWidth = 104;
constexpr int kButtonHeight = 25;
constexpr int kLineHeight = 16;
// At most this many buttons side by side; more go on to the next row.
constexpr int kButtonsPerRow = 4;
constexpr int kQuestionTextWidth = kButtonsPerRow * kButtonWidth + (kButtonsPerRow - 1) * kGap;
constexpr int kPromptWidth = 380;
constexpr int kProgressWidth = 440;

const TFont& DialogFont() {
  static const TFont font(L"Tahoma", -11, clWindowText);
  return font;
}

// The height text takes in the dialog font at width, wrapped at words.
int TextHeight(const std::wstring& text, int width) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, DialogFont().Handle(96));
  RECT rect{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return rect.bottom > kLineHeight ? static_cast<int>(rect.bottom) : kLineHeight;
}

}  // namespace

void TQuestionBox::CreateDesign(const std::wstring& text, const std::vector<std::wstring>& buttons) {
  SetFont(DialogFont());
  const int textHeight = TextHeight(text, kQuestionTextWidth);
  lblText = &Add<TLabel>(L"lblText", text, TAlignment::taLeftJustify, true);
  lblText->SetDesignBounds(kMargin, kMargin, kQuestionTextWidth, textHeight);
  const int rows = (static_cast<int>(buttons.size()) + kButtonsPerRow - 1) / kButtonsPerRow;
  const int buttonsTop = kMargin + textHeight + 2 * kGap;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const int row = static_cast<int>(i) / kButtonsPerRow;
    const int column = static_cast<int>(i) % kButtonsPerRow;
    auto& button = Add<TButton>(L"btnAnswer" + std::to_wstring(i), buttons[i]);
    button.SetDesignBounds(kMargin + column * (kButtonWidth + kGap), buttonsTop + row * (kButtonHeight + kGap),
                     kButtonWidth, kButtonHeight);
    Buttons.push_back(&button);
  }
  SetDesignClientSize(2 * kMargin + kQuestionTextWidth, buttonsTop + rows * (kButtonHeight + kGap) - kGap + kMargin);
}

void TTextPrompt::CreateDesign(const std::wstring& prompt, const std::wstring& text,
                               const std::wstring& checkCaption) {
  SetFont(DialogFont());
  int top = kMargin;
  lblPrompt = &Add<TLabel>(L"lblPrompt", prompt, TAlignment::taLeftJustify);
  lblPrompt->SetDesignBounds(kMargin, top, kPromptWidth, kLineHeight);
  top += kLineHeight + 4;
  edtText = &Add<TEdit>(L"edtText");
  edtText->SetDesignBounds(kMargin, top, kPromptWidth, 21);
  edtText->SetText(text);
  top += 21 + kGap;
  if (!checkCaption.empty()) {
    chkOption = &Add<TCheckBox>(L"chkOption", checkCaption);
    chkOption->SetDesignBounds(kMargin, top, kPromptWidth, 17);
    top += 17 + kGap;
  }
  top += kGap;
  btnOk = &Add<TButton>(L"btnOk", L"OK");
  btnCancel = &Add<TButton>(L"btnCancel", L"Cancel");
  btnCancel->SetDesignBounds(kMargin + kPromptWidth - 80, top, 80, kButtonHeight);
  btnOk->SetDesignBounds(kMargin + kPromptWidth - 160 - kGap, top, 80, kButtonHeight);
  SetDesignClientSize(2 * kMargin + kPromptWidth, top + kButtonHeight + kMargin);
}

void TJobProgressWindow::CreateDesign(const std::wstring& title) {
  SetFont(DialogFont());
  int top = kMargin;
  auto line = [&](TLabel*& label, const wchar_t* name, const std::wstring& text, int width, int left) {
    label = &Add<TLabel>(name, text, TAlignment::taLeftJustify);
    label->SetDesignBounds(left, top, width, kLineHeight);
  };
  line(lblTitle, L"lblTitle", title, kProgressWidth, kMargin);
  top += kLineHeight + 2;
  line(lblItem, L"lblItem", L"", kProgressWidth, kMargin);
  // A long path keeps its start and its name.
  SetWindowLongW(lblItem->Handle(), GWL_STYLE, GetWindowLongW(lblItem->Handle(), GWL_STYLE) | SS_PATHELLIPSIS);
  top += kLineHeight + kGap;
  line(lblItems, L"lblItems", L"", kProgressWidth / 2, kMargin);
  line(lblBytes, L"lblBytes", L"", kProgressWidth / 2, kMargin + kProgressWidth / 2);
  top += kLineHeight + 2;
  pbBytes = &Add<TProgressBar>(L"pbBytes");
  pbBytes->SetDesignBounds(kMargin, top, kProgressWidth, 18);
  top += 18 + 2;
  line(lblSpeed, L"lblSpeed", L"", kProgressWidth / 3, kMargin);
  line(lblTimeLeft, L"lblTimeLeft", L"", kProgressWidth / 3, kMargin + kProgressWidth / 3);
  line(lblState, L"lblState", L"", kProgressWidth / 3, kMargin + 2 * kProgressWidth / 3);
  top += kLineHeight + 2 * kGap;
  btnPause = &Add<TButton>(L"btnPause", L"&Pause");
  btnCancel = &Add<TButton>(L"btnCancel", L"Cancel");
  btnCancel->SetDesignBounds(kMargin + kProgressWidth - 80, top, 80, kButtonHeight);
  btnPause->SetDesignBounds(kMargin + kProgressWidth - 160 - kGap, top, 80, kButtonHeight);
  SetDesignClientSize(2 * kMargin + kProgressWidth, top + kButtonHeight + kMargin);
}

}  // namespace fm::ui
