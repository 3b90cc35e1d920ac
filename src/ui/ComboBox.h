// Combo boxes: a drop-down list, or an editable box whose list drops down while typing.
// Lines may carry an object pointer that the box does not own.
#pragma once

#include "ui/StdControls.h"

namespace fm::ui {

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TControl {
 public:
  TComboBox(TControl& parent, std::wstring name, TComboBoxStyle style);
  ~TComboBox() override;

  int Count() const;
  std::wstring Item(int index) const;
  void* ItemObject(int index) const;
  void AddItem(const std::wstring& text, void* object = nullptr);
  void InsertItem(int index, const std::wstring& text, void* object = nullptr);
  void Clear();
  // The line whose whole text equals text, letter case ignored; -1 when none.
  int IndexOf(const std::wstring& text) const;

  int ItemIndex() const;
  void SetItemIndex(int index);

  void SetDropDownCount(int rows);
  bool DroppedDown() const;
  void SetSelection(int start, int length);
  std::pair<int, int> Selection() const;

  // The user picked another line.
  TNotifyEvent OnChange;
  // The selected line changed through the user (the text already shows the line).
  TNotifyEvent OnClick;
  TKeyEvent& OnKeyDown() { return keys_.OnKeyDown; }
  // The box (or its edit field) got the keyboard focus.
  TNotifyEvent OnEnter;
  bool AutoDropDown = false;

 protected:
  bool Command(WORD code, WORD id) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT EditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

  HWND edit_ = nullptr;
  KeyFilter keys_;
};

}  // namespace fm::ui
