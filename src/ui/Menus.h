// Main and popup menus with items that carry a caption, a shortcut and a click event.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "ui/Control.h"

namespace fm::ui {

// A shortcut as one 16-bit value: the virtual key in the low byte, plus 0x2000 for Shift,
// 0x4000 for Ctrl and 0x8000 for Alt (Alt+F4 is 0x8073).
using TShortCut = WORD;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// "Alt+F4" and the like, as menus show it.
std::wstring ShortCutToText(TShortCut shortCut);

class TMenuItem {
 public:
  TMenuItem(TMenuItem* parent, std::wstring name, std::wstring caption);
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;
  virtual ~TMenuItem();

  const std::wstring& Name() const { return name_; }
  const std::wstring& Caption() const { return caption_; }
  TMenuItem* Parent() const { return parent_; }
  UINT Command() const { return command_; }
  // The menu this item's entry lives in (its parent's submenu, or the menu bar).
  HMENU ParentHandle() const;
  // The submenu of an item that has children; null otherwise.
  HMENU Handle() const { return submenu_; }
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }

  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);

  template <class T = TMenuItem>
  T& Add(std::wstring name, std::wstring caption) {
    auto item = std::make_unique<T>(this, std::move(name), std::move(caption));
    T& result = *item;
    AddItem(std::move(item));
    return result;
  }

  void Click();
  TNotifyEvent OnClick;

  TMenuItem* FindCommand(UINT command);
  TMenuItem* FindShortCut(TShortCut shortCut);
  TMenuItem* FindItem(const std::wstring& name);

 protected:
  friend class TMainMenu;
  friend class TPopupMenu;
  // The menu bar of a main menu is the parent handle of its top-level items.
  HMENU ownerMenu_ = nullptr;

 private:
  void AddItem(std::unique_ptr<TMenuItem> item);
  std::wstring MenuText() const;

  TMenuItem* parent_;
  std::wstring name_;
  std::wstring caption_;
  UINT command_;
  TShortCut shortCut_ = 0;
  HMENU submenu_ = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> items_;
};

class TMainMenu {
 public:
  explicit TMainMenu(std::wstring name);
  TMainMenu(const TMainMenu&) = delete;
  TMainMenu& operator=(const TMainMenu&) = delete;
  virtual ~TMainMenu();

  HMENU Handle() const { return bar_.Get(); }
  const std::wstring& Name() const { return name_; }
  TMenuItem& Items() { return root_; }

  template <class T = TMenuItem>
  T& Add(std::wstring name, std::wstring caption) {
    T& item = root_.Add<T>(std::move(name), std::move(caption));
    return item;
  }

  bool DispatchCommand(UINT command);
  bool IsShortCut(WORD key, TShiftState shift);
  TMenuItem* FindItem(const std::wstring& name) { return root_.FindItem(name); }

 private:
  std::wstring name_;
  // Destroying the bar destroys the submenus hanging in it.
  UniqueHMenu bar_;
  TMenuItem root_;
};

// A menu that pops up at a point, for a control's context-menu request.
class TPopupMenu {
 public:
  explicit TPopupMenu(std::wstring name);
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;
  virtual ~TPopupMenu();

  HMENU Handle() const { return menu_.Get(); }
  const std::wstring& Name() const { return name_; }
  TMenuItem& Items() { return root_; }

  template <class T = TMenuItem>
  T& Add(std::wstring name, std::wstring caption) {
    return root_.Add<T>(std::move(name), std::move(caption));
  }

  // Shows the menu at a screen point and runs the chosen item's click; a menu without
  // items shows nothing.
  void Popup(int x, int y);

 private:
  std::wstring name_;
  UniqueHMenu menu_;
  // Declared after the menu, so its items go before the menu they live in.
  TMenuItem root_;
};

}  // namespace fm::ui
