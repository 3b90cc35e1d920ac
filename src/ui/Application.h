// The application object: title, hidden owner window, message loop, the standard error
// box, plain message boxes, the screen cursor and the hint machinery.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Handles.h"

namespace fm::ui {

class TControl;
class TForm;
class THintWindow;

enum class TCursor { crDefault, crArrow, crHourGlass };

class TApplication {
 public:
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;
  ~TApplication();

  static TApplication& Instance();

  // Registers the window classes, loads the common controls and makes the hidden
  // application window. Safe to call more than once.
  void Initialize();

  const std::wstring& Title() const { return title_; }
  void SetTitle(std::wstring title);
  // The hidden application window: owner of message boxes and shell dialogs.
  HWND Handle() const { return handle_.Get(); }

  // The main form has its own taskbar button (the application window has none).
  bool MainFormOnTaskBar = true;
  // Whether Run shows the main form before the loop starts.
  bool ShowMainForm = true;

  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }

  // Runs the message loop until Terminate; returns the exit code.
  int Run();
  // Handles the messages waiting now and returns; a request to quit stays pending.
  void ProcessMessages();
  // Ends the message loop of Run.
  void Terminate();

  // Shows the current exception in the standard error box. Call from a catch block.
  // Raised inside a message handler, the box is posted and comes up once the handler has
  // unwound: a box opened inside a paint would paint again, fail again, and open another.
  void HandleException(std::exception_ptr error) noexcept;
  // The standard error box now. A text already showing in a box is not shown again.
  void ShowException(const std::wstring& text) noexcept;

  // Marks the running of a message handler for as long as it lives.
  class THandlerScope {
   public:
    THandlerScope() noexcept { ++Instance().handlerDepth_; }
    ~THandlerScope() { --Instance().handlerDepth_; }
    THandlerScope(const THandlerScope&) = delete;
    THandlerScope& operator=(const THandlerScope&) = delete;
  };
  // The program's own notices: the text under the title, OK, no icon.
  void ShowMessage(const std::wstring& text);

  TCursor ScreenCursor() const { return cursor_; }
  void SetScreenCursor(TCursor cursor);
  // The cursor that WM_SETCURSOR should show instead of the window's own, or null.
  HCURSOR CursorOverride() const;

  // Hints: the pointer moved within control (client coordinates).
  void HintMouseMove(TControl& control, POINT point);
  // Hides a shown hint and forgets the pending one.
  void CancelHint();
  // What the hint pause ends in: shows the hint of the control under the pointer now.
  void ActivateHint();
  // The window that shows hints; the refined kind is installed by the program.
  std::function<std::unique_ptr<THintWindow>()> HintWindowClass;
  // Sets HintWindowClass; the next hint is shown in a window of the new class.
  void SetHintWindowClass(std::function<std::unique_ptr<THintWindow>()> hintWindowClass);
  THintWindow* HintWindow() const { return hintWindow_.get(); }
  // A control is going away: forget it as the hint's owner.
  void ControlDestroyed(TControl& control);

  static constexpr UINT HintPauseMs = 500;

 private:
  TApplication() = default;
  static LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);
  bool IsShortCut(const MSG& message);
  // A key offered to the OnShortCut of the form it was pressed in.
  static bool IsFormShortCut(const MSG& message);
  // Keeps an error box for after the handler; a text already waiting or showing is dropped.
  void QueueException(const std::wstring& text) noexcept;
  void ShowQueuedExceptions() noexcept;
  void Dispatch(const MSG& message);

  std::wstring title_;
  UniqueHWnd handle_;
  TForm* mainForm_ = nullptr;
  TCursor cursor_ = TCursor::crDefault;
  int handlerDepth_ = 0;
  std::vector<std::wstring> queuedErrors_;
  std::vector<std::wstring> shownErrors_;

  TControl* hintControl_ = nullptr;
  RECT hintBounds_{};
  POINT hintPoint_{};
  bool hintPending_ = false;
  std::unique_ptr<THintWindow> hintWindow_;
};

inline TApplication& Application() { return TApplication::Instance(); }

// Exceptions never cross a window procedure: every handler call is wrapped in this.
template <class F>
void CallHandler(F&& handler) noexcept {
  try {
    handler();
  } catch (...) {
    Application().HandleException(std::current_exception());
  }
}

}  // namespace fm::ui
