// The refined controls: subclasses carrying the standard controls' names, so that every
// control of these kinds that a window design places is the refined kind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "core/ClickWait.h"
#include "core/Color.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/Panel.h"
#include "ui/StatusBar.h"
#include "ui/StdControls.h"
#include "ui/ToolBar.h"

namespace Vcl_Interceptors {

// The local wall-clock time now.
fm::TDateTime Now();

// A click that comes less than the wait period after the last accepted click (or after
// the button was made) is swallowed with a beep instead of running the button's action.
template <class Base>
class TClickWaitButton : public Base {
 public:
  template <class... Args>
  explicit TClickWaitButton(Args&&... args) : Base(std::forward<Args>(args)...) {}

  std::int64_t ClickWaitPeriod() const { return fClickWait.Period; }
  void SetClickWaitPeriod(std::int64_t seconds) { fClickWait.Period = seconds; }
  bool EnableClickWaitPeriod() const { return fClickWait.Enabled; }
  void SetEnableClickWaitPeriod(bool value) { fClickWait.Enabled = value; }

  // Where the button reads the time and how it beeps; a test may put its own in.
  void SetClock(std::function<fm::TDateTime()> clock) { fClock = std::move(clock); }
  void SetBeep(std::function<void()> beep) { fBeep = std::move(beep); }
  // When the last click was accepted, or the button made.
  fm::TDateTime LastClickTime() const { return fClickWait.LastClickTime; }

  void Click() override {
    if (fm::AcceptClick(fClickWait, fClock)) {
      Base::Click();
    } else {
      fBeep();
    }
  }

 private:
  std::function<fm::TDateTime()> fClock = Now;
  std::function<void()> fBeep = [] { MessageBeep(MB_OK); };
  // Construction counts as the last accepted click.
  fm::ClickWait fClickWait{Now(), 1, true};
};

class TButton : public TClickWaitButton<fm::ui::TButton> {
 public:
  using TClickWaitButton::TClickWaitButton;
};

class TSpeedButton : public TClickWaitButton<fm::ui::TSpeedButton> {
 public:
  using TClickWaitButton::TClickWaitButton;
};

class TToolButton : public TClickWaitButton<fm::ui::TToolButton> {
 public:
  using TClickWaitButton::TClickWaitButton;
};

// A report list whose columns the user cannot resize: the header's divider neither drags
// nor fits its column on a double click. Locked from construction.
class TListView : public fm::ui::TListView {
 public:
  TListView(fm::ui::TControl& parent, std::wstring name, std::vector<fm::ui::TListColumn> columns);
  ~TListView() override;

  bool LockHeader() const { return fLockHeader; }
  // Switching it on twice still filters each message once: the filter is a state of the
  // list's own message routing, not a procedure wrapped around another.
  void SetLockHeader(bool value) { fLockHeader = value; }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool fLockHeader = false;
};

// A menu item that can sit at the right end of its menu bar.
class TMenuItem : public fm::ui::TMenuItem {
 public:
  using fm::ui::TMenuItem::TMenuItem;

  bool alRight() const { return fAlRight; }
  void SetalRight(bool Value);

 private:
  bool fAlRight = false;
};

class TMainMenu : public fm::ui::TMainMenu {
 public:
  using fm::ui::TMainMenu::TMainMenu;

  // Right-justifies (or not) an item of the menu bar; the item's alRight stays as it is.
  bool AlignItem(fm::ui::TMenuItem* MenuItemName, bool alRight);
};

// A control that shows no context menu at all while DisablePopupMenu is on (from
// construction): an empty popup menu takes the place of the system's edit menu.
template <class Base>
class TPopupSuppressed : public Base {
 public:
  template <class... Args>
  explicit TPopupSuppressed(Args&&... args) : Base(std::forward<Args>(args)...) {
    SetDisablePopupMenu(true);
  }
  ~TPopupSuppressed() override { SetDisablePopupMenu(false); }

  bool DisablePopupMenu() const { return fDisablePopupMenu; }
  void SetDisablePopupMenu(bool Value) {
    fDisablePopupMenu = Value;
    if (fNewPopupMenu) {
      // The empty menu of an earlier switch goes, and the slot no longer refers to it.
      if (this->PopupMenu() == fNewPopupMenu.get()) this->SetPopupMenu(nullptr);
      fNewPopupMenu.reset();
    }
    if (Value) {
      if (this->PopupMenu()) fOrgPopupMenu = this->PopupMenu();
      fNewPopupMenu = std::make_unique<fm::ui::TPopupMenu>(this->Name() + L"NoMenu");
      this->SetPopupMenu(fNewPopupMenu.get());
    } else if (fOrgPopupMenu) {
      this->SetPopupMenu(fOrgPopupMenu);
    }
  }

 private:
  std::unique_ptr<fm::ui::TPopupMenu> fNewPopupMenu;
  fm::ui::TPopupMenu* fOrgPopupMenu = nullptr;
  bool fDisablePopupMenu = false;
};

class TComboBox : public TPopupSuppressed<fm::ui::TComboBox> {
 public:
  using TPopupSuppressed::TPopupSuppressed;
};

class TEdit : public TPopupSuppressed<fm::ui::TEdit> {
 public:
  using TPopupSuppressed::TPopupSuppressed;
};

// A hint window framed by an etched one-dimensional edge, with a drop shadow.
class THintWindow : public fm::ui::THintWindow {
 public:
  using fm::ui::THintWindow::THintWindow;

 protected:
  void PaintFrame(HDC dc, RECT& client) override;
  DWORD ClassStyle() const override;
};

// The base of both windows: a top-level window of its own with a taskbar button, a raised
// window edge, a sunken client edge and a drop shadow; optionally a gradient background.
// Making one makes THintWindow the application's hint window class.
class TForm : public fm::ui::TForm {
 public:
  TForm(std::wstring name, int clientWidth, int clientHeight,
        fm::ui::TCreateParams params = fm::ui::TCreateParams{});
  // The gradient paints with this form's own members.
  ~TForm() override { DestroyWindowFirst(); }

  bool EnableDropShadow() const { return fEnableDropShadow; }
  void SetEnableDropShadow(bool Value);
  fm::TColor GradientBaseColor() const { return fGradientBaseColor; }
  void SetGradientBaseColor(fm::TColor Value);
  bool EnableGradient() const { return fEnableGradient; }
  void SetEnableGradient(bool Value);

 private:
  static fm::ui::TCreateParams CreateParams(fm::ui::TCreateParams params, bool dropShadow);
  void GradientPaint(HDC dc);

  bool fEnableDropShadow = true;
  fm::TColor fGradientBaseColor = 0x00FF0000;
  bool fEnableGradient = false;
};

}  // namespace Vcl_Interceptors
