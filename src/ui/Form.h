// A top-level window: caption, client size, main menu, centring, and the creation,
// close and resize events.
#pragma once

#include <functional>
#include <memory>

#include "ui/Control.h"
#include "ui/Menus.h"

namespace fm::ui {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public TControl {
 public:
  TForm(std::wstring name, int clientWidth, int clientHeight);
  ~TForm() override;

  void SetCaption(const std::wstring& caption) { SetText(caption); }
  std::wstring Caption() const { return Text(); }

  void SetClientSize(int width, int height);
  // The window's icon, from the program's icon resources.
  void SetIcon(int iconResource);
  // Puts the window in the middle of the screen's work area.
  void CenterOnScreen();

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
  // Asks the form to close: runs OnClose; a main form that closes ends the application.
  void Close();
  bool Closed() const { return closed_; }

  std::function<void(TCloseAction& action)> OnClose;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void AttachMenu(std::unique_ptr<TMainMenu> menu);

  std::unique_ptr<TMainMenu> menu_;
  TControl* activeControl_ = nullptr;
  HWND lastFocus_ = nullptr;
  bool closed_ = false;
};

}  // namespace fm::ui
