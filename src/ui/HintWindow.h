// The window that shows a hint: a borderless top-most popup with the hint colours.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Handles.h"
#include "ui/Graphics.h"

namespace fm::ui {

class THintWindow {
 public:
  THintWindow();
  THintWindow(const THintWindow&) = delete;
  THintWindow& operator=(const THintWindow&) = delete;
  virtual ~THintWindow();

  HWND Handle() const { return hwnd_.Get(); }
  const std::wstring& Caption() const { return text_; }

  // Shows text with its top left corner at position (screen coordinates), wrapping lines
  // wider than maxWidth (0 for the width of the screen). The window is moved, and cut if
  // it must be, to lie within the work area of the monitor at position. Font and padding
  // are drawn at dpi, the DPI of the control the hint is for.
  void ActivateHint(POINT position, const std::wstring& text, int maxWidth, int dpi = 96);
  void ReleaseHandle();
  bool Showing() const;

 protected:
  // Draws the frame; the refined window draws a border of its own.
  virtual void PaintFrame(HDC dc, RECT& client);
  virtual DWORD ClassStyle() const { return 0; }

 private:
  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  void Paint();

  UniqueHWnd hwnd_;
  std::wstring text_;
  TFont font_{L"Tahoma", -11, clInfoText};
  TBrush brush_{clInfoBk};
  int dpi_ = 96;
  static constexpr int kDesignPadding = 3;
  int Padding() const;
};

}  // namespace fm::ui
