#include "ui/Control.h"

#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <set>
#include <unordered_map>

#include "core/DpiScale.h"
#include "platform/Dpi.h"
#include "ui/Application.h"
#include "ui/Menus.h"
#include "ui/WindowClass.h"

namespace fm::ui {

namespace {

constexpr wchar_t kOwnClassName[] = L"FoldmereWindow";

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The control of each window of the process. A window property would do the same, but
// Wine asks its server for every property read, and a list's paint looks up its control
// for each of the dozens of notifications a row sends.
class ControlTable {
 public:
  struct Slot {
    TControl* control = nullptr;
    // The system class's procedure of a window whose procedure the control replaced.
    WNDPROC classProc = nullptr;
  };
  void Add(HWND hwnd, TControl* control, WNDPROC classProc) {
    const Locked hold(lock_);
    controls_[hwnd] = Slot{control, classProc};
  }
  void Remove(HWND hwnd) {
    const Locked hold(lock_);
    controls_.erase(hwnd);
  }
  // The control goes; its window's messages still reach the class through the slot.
  void Orphan(HWND hwnd) {
    const Locked hold(lock_);
    const auto found = controls_.find(hwnd);
    if (found != controls_.end()) found->second.control = nullptr;
  }
  Slot Find(HWND hwnd) const {
    const Locked hold(lock_);
    const auto found = controls_.find(hwnd);
    return found == controls_.end() ? Slot{} : found->second;
  }

 private:
  // The system's own lock: the standard library's would bring its error texts along.
  struct Locked {
    SRWLOCK& lock;
    explicit Locked(SRWLOCK& l) : lock(l) { AcquireSRWLockExclusive(&lock); }
    ~Locked() { ReleaseSRWLockExclusive(&lock); }
  };

  mutable SRWLOCK lock_ = SRWLOCK_INIT;
  std::unordered_map<HWND, Slot> controls_;
};

// Never destroyed: controls owned by other static objects leave it at the process's end.
ControlTable& WindowControls() {
  static auto* table = new ControlTable;
  return *table;
}

}  // namespace

TShiftState CurrentShiftState() {
  TShiftState state;
  state.Shift = KeyDown(VK_SHIFT);
  state.Ctrl = KeyDown(VK_CONTROL);
  state.Alt = KeyDown(VK_MENU);
  state.Left = KeyDown(VK_LBUTTON);
  state.Right = KeyDown(VK_RBUTTON);
  state.Middle = KeyDown(VK_MBUTTON);
  return state;
}

// The one place where messages enter C++ code: nothing thrown passes back to the system.
LRESULT DispatchMessageTo(TControl* control, UINT message, WPARAM wParam,
                          LPARAM lParam) noexcept {
  if (message == WM_NCDESTROY) {
    const HWND hwnd = control->hwnd_;
    LRESULT result = control->DefaultProc(message, wParam, lParam);
    control->Detach();
    // The window is gone: nothing passes its messages on any more.
    WindowControls().Remove(hwnd);
    return result;
  }
  const TApplication::THandlerScope scope;
  try {
    return control->WndProc(message, wParam, lParam);
  } catch (...) {
    Application().HandleException(std::current_exception());
    return control->FailedHandlerResult(message, lParam);
  }
}

// What a message means when its handler failed. The system's own default would act as if
// the handler had agreed: close the window (leaving the message loop without a window),
// or let an edit begin.
LRESULT TControl::FailedHandlerResult(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // The window stays open.
      return 0;
    case WM_PAINT:
      // Counted as painted, or the same failure would come back at once.
      if (hwnd_) ValidateRect(hwnd_, nullptr);
      return 0;
    case WM_NOTIFY: {
      const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
      // A label edit that was to be asked about is refused.
      if (code == LVN_BEGINLABELEDITW || code == LVN_BEGINLABELEDITA) return TRUE;
      // A find that failed found nothing.
      if (code == LVN_ODFINDITEMW || code == LVN_ODFINDITEMA) return -1;
      return 0;
    }
    default:
      // Anything else counts as handled.
      return 0;
  }
}

TControl::TControl(TControl* parent, std::wstring name) : parent_(parent), name_(std::move(name)) {
  if (parent) font_ = parent->font_;
}

TControl::~TControl() {
  Application().ControlDestroyed(*this);
  DestroyHandle();
}

void TControl::DestroyHandle() {
  // Children first, so that no child outlives the window it lives in.
  while (!children_.empty()) children_.pop_back();
  if (hwnd_) {
    HWND hwnd = hwnd_;
    Detach();
    DestroyWindow(hwnd);
  }
}

TControl* TControl::FromHandle(HWND hwnd) {
  return hwnd ? WindowControls().Find(hwnd).control : nullptr;
}

TControl* TControl::FindChild(const std::wstring& name) const {
  for (const auto& child : children_) {
    if (child->name_ == name) return child.get();
    if (TControl* found = child->FindChild(name)) return found;
  }
  return nullptr;
}

const wchar_t* TControl::OwnClass(const std::wstring& name, UINT classStyle) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.style = classStyle;
  wc.lpfnWndProc = OwnClassProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  RegisterWindowClass(wc);
  // The names stay for the life of the process, as the classes do.
  static std::set<std::wstring> names;
  return names.insert(name).first->c_str();
}

void TControl::CreateHandle(const wchar_t* className, DWORD style, DWORD exStyle,
                            const wchar_t* text, HMENU menu, HWND owner) {
  Application().Initialize();
  if (!className) className = OwnClass(kOwnClassName, CS_DBLCLKS);
  WNDCLASSEXW info{sizeof(info)};
  const bool ownClass = GetClassInfoExW(GetModuleHandleW(nullptr), className, &info) &&
                        info.lpfnWndProc == OwnClassProc;
  HWND parentWindow = parent_ ? parent_->Handle() : owner;
  if (parent_) style |= WS_CHILD;
  HWND hwnd = CreateWindowChecked(exStyle, className, text, style, 0, 0, 0, 0, parentWindow, menu,
                                  ownClass ? this : nullptr);
  if (!ownClass) Attach(hwnd, false);
  if (!parent_) dpi_ = WindowDpi(hwnd);
  ApplyFont();
}

void TControl::Attach(HWND hwnd, bool ownClass) {
  hwnd_ = hwnd;
  ownClass_ = ownClass;
  // The window procedure replaced by hand rather than by the common controls' subclass
  // chain: that looks its chain up in a window property for every message, and Wine asks
  // its server for each property read.
  classProc_ = ownClass ? nullptr : reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  WindowControls().Add(hwnd, this, classProc_);
  if (!ownClass) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc));
}

void TControl::Detach() {
  if (!hwnd_) return;
  if (!ownClass_ && GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(SubclassProc)) {
    // Another procedure replaced ours after us and still passes messages on to it.
    WindowControls().Orphan(hwnd_);
  } else {
    if (!ownClass_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
    WindowControls().Remove(hwnd_);
  }
  if (ownClass_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
}

LRESULT CALLBACK TControl::OwnClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* control = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    control->Attach(hwnd, true);
  }
  auto* control = reinterpret_cast<TControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!control) return DefWindowProcW(hwnd, message, wParam, lParam);
  return DispatchMessageTo(control, message, wParam, lParam);
}

LRESULT CALLBACK TControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto slot = WindowControls().Find(hwnd);
  if (slot.control) return DispatchMessageTo(slot.control, message, wParam, lParam);
  const LRESULT result = slot.classProc
                             ? CallWindowProcW(slot.classProc, hwnd, message, wParam, lParam)
                             : DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) WindowControls().Remove(hwnd);
  return result;
}

LRESULT TControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd_) return 0;
  if (ownClass_) return DefWindowProcW(hwnd_, message, wParam, lParam);
  return CallWindowProcW(classProc_, hwnd_, message, wParam, lParam);
}

LRESULT TControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToChild(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_SIZE:
      result = DefaultProc(message, wParam, lParam);
      Resized();
      return result;
    case WM_ERASEBKGND: {
      if (!ownClass_) break;
      RECT client;
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush_.Handle());
      return 1;
    }
    case WM_SETCURSOR:
      if (HCURSOR cursor = Application().CursorOverride()) {
        SetCursor(cursor);
        return TRUE;
      }
      break;
    case WM_CONTEXTMENU:
      if (ShowPopupMenu(lParam)) return 0;
      break;
    case WM_MOUSEMOVE:
      Application().HintMouseMove(*this, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Application().CancelHint();
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

bool TControl::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      TControl* child = FromHandle(header->hwndFrom);
      return child && child != this && child->Notify(*header, result);
    }
    case WM_COMMAND: {
      TControl* child = lParam ? FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr;
      if (!child || child == this || !child->Command(HIWORD(wParam), LOWORD(wParam))) return false;
      result = 0;
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // The edit field of a combo box reports through the combo box.
      HWND from = reinterpret_cast<HWND>(lParam);
      TControl* control = FromHandle(from);
      if (!control) control = FromHandle(GetParent(from));
      HBRUSH brush = control ? control->CtlColor(reinterpret_cast<HDC>(wParam)) : nullptr;
      if (!brush) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    default:
      return false;
  }
}

bool TControl::Notify(NMHDR&, LRESULT&) { return false; }

bool TControl::ShowPopupMenu(LPARAM screenPosition) {
  if (!popupMenu_) return false;
  POINT at{GET_X_LPARAM(screenPosition), GET_Y_LPARAM(screenPosition)};
  if (screenPosition == -1) {
    // From the keyboard: at the control's top left corner.
    at = POINT{0, 0};
    ClientToScreen(hwnd_, &at);
  }
  popupMenu_->Popup(at.x, at.y);
  return true;
}

bool TControl::Command(WORD, WORD) { return false; }

HBRUSH TControl::CtlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(font_.Color()));
  SetBkColor(dc, ColorToRGB(color_));
  return brush_.Handle();
}

RECT TControl::AlignRect() const {
  RECT rect{};
  if (hwnd_) GetClientRect(hwnd_, &rect);
  return rect;
}

void TControl::Resized() {
  Realign();
  if (OnResize) OnResize();
}

void TControl::ApplyFont() {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle(Dpi())), TRUE);
}

RECT TControl::BoundsRect() const {
  RECT rect{};
  if (!hwnd_) return rect;
  GetWindowRect(hwnd_, &rect);
  HWND parent = GetParent(hwnd_);
  if (parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

int TControl::Width() const {
  RECT rect = BoundsRect();
  return rect.right - rect.left;
}

int TControl::Height() const {
  RECT rect = BoundsRect();
  return rect.bottom - rect.top;
}

int TControl::ClientWidth() const {
  RECT rect{};
  if (hwnd_) GetClientRect(hwnd_, &rect);
  return rect.right;
}

int TControl::ClientHeight() const {
  RECT rect{};
  if (hwnd_) GetClientRect(hwnd_, &rect);
  return rect.bottom;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, left, top, std::max(0, width), std::max(0, height),
               SWP_NOZORDER | SWP_NOACTIVATE);
  // An aligned control that changed size makes its parent lay out again, so the
  // controls beside it follow.
  if (align_ != TAlign::alNone && parent_ && !parent_->realigning_) parent_->Realign();
}

void TControl::SetWidth(int width) {
  RECT rect = BoundsRect();
  SetBounds(rect.left, rect.top, width, rect.bottom - rect.top);
}

void TControl::SetHeight(int height) {
  RECT rect = BoundsRect();
  SetBounds(rect.left, rect.top, rect.right - rect.left, height);
}

int TControl::Dpi() const {
  const TControl* top = this;
  while (top->parent_) top = top->parent_;
  return top->dpi_ > 0 ? top->dpi_ : kDesignDpi;
}

int TControl::Scaled(int designPixels) const { return ScaleToDpi(designPixels, Dpi()); }

void TControl::SetDesignBounds(int left, int top, int width, int height) {
  designBounds_ = RECT{left, top, left + width, top + height};
  SetBounds(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
}

void TControl::ApplyDpi() {
  ApplyFont();
  if (designBounds_) {
    const RECT& d = *designBounds_;
    SetBounds(Scaled(d.left), Scaled(d.top), Scaled(d.right - d.left), Scaled(d.bottom - d.top));
  }
  DpiChanged();
  for (const auto& child : children_) child->ApplyDpi();
  Realign();
}

TMargins TControl::ScaledMargins() const {
  return {Scaled(margins_.Left), Scaled(margins_.Top), Scaled(margins_.Right),
          Scaled(margins_.Bottom)};
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetMargins(TMargins margins, bool alignWithMargins) {
  margins_ = margins;
  alignWithMargins_ = alignWithMargins;
  if (parent_) parent_->Realign();
}

bool TControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void TControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

bool TControl::Visible() const { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void TControl::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  if (parent_) parent_->Realign();
}

bool TControl::TabStop() const { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_TABSTOP); }

void TControl::SetTabStop(bool tabStop) {
  if (!hwnd_) return;
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void TControl::SetColor(TColor color) {
  color_ = color;
  brush_.SetColor(color);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TControl::SetFont(const TFont& font) {
  font_ = font;
  ApplyFont();
}

std::wstring TControl::Text() const {
  if (!hwnd_) return {};
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
  return text;
}

void TControl::SetText(const std::wstring& text) {
  if (hwnd_) SetWindowTextW(hwnd_, text.c_str());
}

void TControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

bool TControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

void TControl::PlaceAligned(TControl& child, RECT target) {
  if (child.alignWithMargins_) {
    const TMargins margins = child.ScaledMargins();
    target.left += margins.Left;
    target.top += margins.Top;
    target.right -= margins.Right;
    target.bottom -= margins.Bottom;
  }
  target.right = std::max(target.left, target.right);
  target.bottom = std::max(target.top, target.bottom);
  const RECT now = child.BoundsRect();
  if (EqualRect(&target, &now)) return;
  SetWindowPos(child.hwnd_, nullptr, target.left, target.top, target.right - target.left,
               target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::EnableAlign() {
  if (alignHeld_ > 0 && --alignHeld_ == 0) RealignTree();
}

void TControl::RealignTree() {
  Realign();
  for (const auto& child : children_) child->RealignTree();
}

bool TControl::AlignHeld() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (c->alignHeld_ > 0) return true;
  }
  return false;
}

void TControl::Realign() {
  if (!hwnd_ || realigning_ || AlignHeld()) return;
  realigning_ = true;
  RECT area = AlignRect();
  auto outerWidth = [](const TControl& c) {
    if (!c.alignWithMargins_) return c.Width();
    const TMargins margins = c.ScaledMargins();
    return c.Width() + margins.Left + margins.Right;
  };
  auto outerHeight = [](const TControl& c) {
    if (!c.alignWithMargins_) return c.Height();
    const TMargins margins = c.ScaledMargins();
    return c.Height() + margins.Top + margins.Bottom;
  };
  auto aligned = [&](TAlign align) {
    std::vector<TControl*> result;
    for (const auto& child : children_) {
      if (child->align_ == align && child->hwnd_ && child->Visible()) result.push_back(child.get());
    }
    return result;
  };
  // Bands in the order they were added: tops from the top down, bottoms so that the
  // first added lies highest, lefts from the left, rights so that the first added lies
  // leftmost; the client control takes what is left.
  for (TControl* c : aligned(TAlign::alTop)) {
    const int h = outerHeight(*c);
    PlaceAligned(*c, RECT{area.left, area.top, area.right, area.top + h});
    area.top += h;
  }
  auto bottoms = aligned(TAlign::alBottom);
  for (auto it = bottoms.rbegin(); it != bottoms.rend(); ++it) {
    const int h = outerHeight(**it);
    PlaceAligned(**it, RECT{area.left, area.bottom - h, area.right, area.bottom});
    area.bottom -= h;
  }
  for (TControl* c : aligned(TAlign::alLeft)) {
    const int w = outerWidth(*c);
    PlaceAligned(*c, RECT{area.left, area.top, area.left + w, area.bottom});
    area.left += w;
  }
  auto rights = aligned(TAlign::alRight);
  for (auto it = rights.rbegin(); it != rights.rend(); ++it) {
    const int w = outerWidth(**it);
    PlaceAligned(**it, RECT{area.right - w, area.top, area.right, area.bottom});
    area.right -= w;
  }
  for (TControl* c : aligned(TAlign::alClient)) PlaceAligned(*c, area);
  realigning_ = false;
}

bool TControl::HintAt(POINT, RECT& bounds) {
  if (!showHint_ || hint_.empty()) return false;
  GetClientRect(hwnd_, &bounds);
  return true;
}

std::wstring TControl::HintText(POINT) { return hint_; }

POINT TControl::HintPosition(POINT cursorScreen, const RECT&, int& maxWidth) {
  maxWidth = 0;
  return POINT{cursorScreen.x, cursorScreen.y + SystemMetricForDpi(SM_CYCURSOR, Dpi())};
}

}  // namespace fm::ui
