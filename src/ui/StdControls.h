// Labels, check boxes, edit boxes and buttons.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "platform/Handles.h"
#include "ui/Control.h"
#include "ui/Picture.h"

namespace fm::ui {

using TKeyEvent = std::function<void(WORD& key, TShiftState shift)>;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControl {
 public:
  // A label that wraps its words takes as many lines as its height allows; one that does
  // not shows one line, centred in its height.
  TLabel(TControl& parent, std::wstring name, std::wstring caption, TAlignment alignment, bool wordWrap = false);

 protected:
  HBRUSH CtlColor(HDC dc) override;
};

class TCheckBox : public TControl {
 public:
  TCheckBox(TControl& parent, std::wstring name, std::wstring caption);
  bool Checked() const;
  void SetChecked(bool checked);
};

// Keys typed into an edit field reach OnKeyDown first; a key set to 0 there is consumed,
// and so is the character it would have made unless KeepCharacters is set.
class KeyFilter {
 public:
  TKeyEvent OnKeyDown;
  // A consumed key's character still reaches the field (a carriage return excepted):
  // typing, Backspace and the clipboard keys edit through their characters.
  bool KeepCharacters = false;
  // Returns true when the message is consumed.
  bool Filter(UINT message, WPARAM wParam);

 private:
  bool swallowChar_ = false;
};

class TEdit : public TControl {
 public:
  TEdit(TControl& parent, std::wstring name);
  TKeyEvent& OnKeyDown() { return keys_.OnKeyDown; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  KeyFilter keys_;
};

class TButton : public TControl {
 public:
  TButton(TControl& parent, std::wstring name, std::wstring caption);
  virtual void Click();
  TNotifyEvent OnClick;

 protected:
  TButton(TControl& parent, std::wstring name, std::wstring caption, DWORD style);
  bool Command(WORD code, WORD id) override;
};

// A flat button that may show a glyph to the right of its caption.
class TSpeedButton : public TButton {
 public:
  TSpeedButton(TControl& parent, std::wstring name, std::wstring caption);
  ~TSpeedButton() override;
  // The picture, drawn at the button's DPI.
  void SetGlyph(const TPicture& picture);
  bool HasGlyph() const { return static_cast<bool>(glyph_); }
  // The glyph's size in pixels, 0 without one.
  int GlyphSize() const;

 protected:
  void DpiChanged() override;

 private:
  std::optional<TPicture> picture_;
  UniqueHImageList glyph_;
};

}  // namespace fm::ui
