// A top-level window: caption, client size, main menu, centring, and the creation,
// close and resize events.
#pragma once

#include <functional>
#include <memory>

#include "platform/Handles.h"
#include "ui/Control.h"
#include "ui/Menus.h"

namespace fm::ui {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// How the window is made: its styles, the style of its window class, and its owner.
struct TCreateParams {
  DWORD Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  DWORD ExStyle = WS_EX_APPWINDOW;
  UINT ClassStyle = CS_DBLCLKS;
  HWND Parent = nullptr;
};

// A small modal box owned by owner: a caption with the window menu, a dialog's frame.
TCreateParams ModalBoxParams(HWND owner);

class TForm : public TControl {
 public:
  // The client size is a design size, in 96-dpi pixels.
  TForm(std::wstring name, int clientWidth, int clientHeight, const TCreateParams& params = TCreateParams{});
  ~TForm() override;

  // Each form has a window class of its own, so its class style is its own to change.
  void SetClassStyle(UINT classStyle);
  UINT ClassStyle() const;
  // Translucency of the whole window, 255 for opaque.
  void SetAlphaBlendValue(BYTE alpha);
  void Invalidate();

  void SetCaption(const std::wstring& caption) { SetText(caption); }
  std::wstring Caption() const { return Text(); }

  void SetClientSize(int width, int height);
  // The client size from the design, in 96-dpi pixels, at the window's DPI.
  void SetDesignClientSize(int width, int height);
  // The window's icon, from the program's icon resources, in the sizes the DPI asks for.
  void SetIcon(int iconResource);
  // Puts the window in the middle of the screen's work area.
  void CenterOnScreen();
  // Puts the window in the middle of another window.
  void CenterOn(const TForm& other);
  // Puts the window in the middle of a window of any kind, or of the screen's work area
  // without one.
  void CenterOnWindow(HWND other);

  // The menu bar; the form owns it.
  template <class T = TMainMenu>
  T& CreateMainMenu(std::wstring name) {
    auto menu = std::make_unique<T>(std::move(name));
    T& result = *menu;
    AttachMenu(std::move(menu));
    return result;
  }
  TMainMenu* Menu() const { return menu_.get(); }

  void SetActiveControl(TControl* control) { activeControl_ = control; }
  TControl* ActiveControl() const { return activeControl_; }

  // Shows the window and gives the focus to the active control.
  void Show();
  // Shows the window and runs the messages until it is closed, with the application's
  // other windows disabled meanwhile. Returns false when the window could not be shown.
  bool ShowModal();
  // Asks the form to close: runs OnClose; a main form that closes ends the application.
  void Close();
  bool Closed() const { return closed_; }

  std::function<void(TCloseAction& action)> OnClose;
  // Paints the client area over the erased background, on the paint's device context.
  std::function<void(HDC dc)> OnPaint;
  // The window moved to another DPI and its design numbers were applied again.
  TNotifyEvent OnDpiChanged;
  // A key pressed in any control of the form, before the control sees it; true when the
  // form took it (Enter and Escape of a dialog).
  std::function<bool(WORD key, TShiftState shift)> OnShortCut;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DpiChanged() override;
  // A form whose events or window reach its own members calls this first in its
  // destructor: the events are detached and the window (with its children) destroyed
  // while those members still live. Without it the base's teardown still sends messages,
  // a resize among them, to handlers of a form half gone.
  void DestroyWindowFirst();

 private:
  void AttachMenu(std::unique_ptr<TMainMenu> menu);

  // Takes the DPI in wParam and the window rectangle the system suggests for it.
  void ChangeDpi(int dpi, const RECT& suggested);

  std::unique_ptr<TMainMenu> menu_;
  int iconResource_ = 0;
  UniqueHIcon bigIcon_;
  UniqueHIcon smallIcon_;
  TControl* activeControl_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool closed_ = false;
  bool modal_ = false;
};

}  // namespace fm::ui
