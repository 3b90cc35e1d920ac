#include "ui/Menus.h"

#include "ui/Application.h"

namespace fm::ui {

namespace {

UINT NextCommand() {
  static UINT next = 100;
  return next++;
}

std::wstring KeyName(WORD key) {
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  if ((key >= L'0' && key <= L'9') || (key >= L'A' && key <= L'Z')) return std::wstring(1, static_cast<wchar_t>(key));
  switch (key) {
    case VK_DELETE: return L"Del";
    case VK_INSERT: return L"Ins";
    case VK_RETURN: return L"Enter";
    case VK_ESCAPE: return L"Esc";
    case VK_BACK: return L"BkSp";
    case VK_TAB: return L"Tab";
    case VK_SPACE: return L"Space";
    default: return {};
  }
}

}  // namespace

std::wstring ShortCutToText(TShortCut shortCut) {
  const std::wstring key = KeyName(static_cast<WORD>(shortCut & 0xFF));
  if (key.empty()) return {};
  std::wstring text;
  if (shortCut & scShift) text += L"Shift+";
  if (shortCut & scCtrl) text += L"Ctrl+";
  if (shortCut & scAlt) text += L"Alt+";
  return text + key;
}

TMenuItem::TMenuItem(TMenuItem* parent, std::wstring name, std::wstring caption)
    : parent_(parent), name_(std::move(name)), caption_(std::move(caption)), command_(NextCommand()) {}

// Submenus belong to the menu they hang in; the menu bar's owner destroys them all.
TMenuItem::~TMenuItem() = default;

HMENU TMenuItem::ParentHandle() const {
  if (!parent_) return nullptr;
  return parent_->ownerMenu_ ? parent_->ownerMenu_ : parent_->submenu_;
}

std::wstring TMenuItem::MenuText() const {
  const std::wstring shortCut = ShortCutToText(shortCut_);
  return shortCut.empty() ? caption_ : caption_ + L"\t" + shortCut;
}

void TMenuItem::AddItem(std::unique_ptr<TMenuItem> item) {
  HMENU menu = ownerMenu_ ? ownerMenu_ : submenu_;
  if (!menu) {
    // The first child turns this item into a submenu; it keeps its command identifier.
    submenu_ = CreatePopupMenu();
    menu = submenu_;
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = submenu_;
    SetMenuItemInfoW(ParentHandle(), command_, FALSE, &info);
  }
  const std::wstring text = item->MenuText();
  MENUITEMINFOW info{sizeof(info)};
  info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
  info.fType = MFT_STRING;
  info.wID = item->command_;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
  items_.push_back(std::move(item));
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  shortCut_ = shortCut;
  if (HMENU parentMenu = ParentHandle()) {
    const std::wstring text = MenuText();
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(parentMenu, command_, FALSE, &info);
  }
}

void TMenuItem::Click() {
  if (OnClick) OnClick();
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  for (auto& item : items_) {
    if (item->command_ == command) return item.get();
    if (TMenuItem* found = item->FindCommand(command)) return found;
  }
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  for (auto& item : items_) {
    if (item->shortCut_ != 0 && item->shortCut_ == shortCut) return item.get();
    if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
  }
  return nullptr;
}

TMenuItem* TMenuItem::FindItem(const std::wstring& name) {
  for (auto& item : items_) {
    if (item->name_ == name) return item.get();
    if (TMenuItem* found = item->FindItem(name)) return found;
  }
  return nullptr;
}

TMainMenu::TMainMenu(std::wstring name)
    : name_(std::move(name)), bar_(CreateMenu()), root_(nullptr, L"", L"") {
  root_.ownerMenu_ = bar_.Get();
}

TMainMenu::~TMainMenu() = default;

bool TMainMenu::DispatchCommand(UINT command) {
  TMenuItem* item = root_.FindCommand(command);
  if (!item) return false;
  CallHandler([item] { item->Click(); });
  return true;
}

bool TMainMenu::IsShortCut(WORD key, TShiftState shift) {
  TShortCut shortCut = key;
  if (shift.Shift) shortCut |= scShift;
  if (shift.Ctrl) shortCut |= scCtrl;
  if (shift.Alt) shortCut |= scAlt;
  TMenuItem* item = root_.FindShortCut(shortCut);
  if (!item) return false;
  CallHandler([item] { item->Click(); });
  return true;
}

TPopupMenu::TPopupMenu(std::wstring name)
    : name_(std::move(name)), menu_(CreatePopupMenu()), root_(nullptr, L"", L"") {
  root_.ownerMenu_ = menu_.Get();
}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y) {
  if (!menu_ || GetMenuItemCount(menu_.Get()) <= 0) return;
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(menu_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, Application().Handle(), nullptr));
  if (TMenuItem* item = command ? root_.FindCommand(command) : nullptr) {
    CallHandler([item] { item->Click(); });
  }
}

}  // namespace fm::ui
