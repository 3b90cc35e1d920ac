// The refined controls: subclasses carrying the standard controls' names, so that every
// control of these kinds that a window design places is the refined kind.
#pragma once

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

class TButton : public fm::ui::TButton {
 public:
  using fm::ui::TButton::TButton;
};

class TSpeedButton : public fm::ui::TSpeedButton {
 public:
  using fm::ui::TSpeedButton::TSpeedButton;
};

class TToolButton : public fm::ui::TToolButton {
 public:
  using fm::ui::TToolButton::TToolButton;
};

class TListView : public fm::ui::TListView {
 public:
  using fm::ui::TListView::TListView;
};

class TComboBox : public fm::ui::TComboBox {
 public:
  using fm::ui::TComboBox::TComboBox;
};

class TEdit : public fm::ui::TEdit {
 public:
  using fm::ui::TEdit::TEdit;
};

class TMenuItem : public fm::ui::TMenuItem {
 public:
  using fm::ui::TMenuItem::TMenuItem;
};

class TMainMenu : public fm::ui::TMainMenu {
 public:
  using fm::ui::TMainMenu::TMainMenu;
};

class TForm : public fm::ui::TForm {
 public:
  using fm::ui::TForm::TForm;
};

class THintWindow : public fm::ui::THintWindow {
 public:
  using fm::ui::THintWindow::THintWindow;
};

}  // namespace Vcl_Interceptors
