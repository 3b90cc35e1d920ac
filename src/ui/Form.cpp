#include "ui/Form.h"

#include "platform/Dpi.h"
#include "ui/Application.h"
#include "ui/Menus.h"

#include <vector>

namespace fm::ui {

TForm::TForm(std::wstring name, int clientWidth, int clientHeight, const TCreateParams& params)
    : TControl(nullptr, std::move(name)) {
  SetColor(clBtnFace);
  CreateHandle(OwnClass(L"FoldmereForm." + Name(), params.ClassStyle), params.Style, params.ExStyle,
               L"", nullptr, params.Parent);
  // A form made again under the same name finds its class as the first one left it.
  SetClassStyle(params.ClassStyle);
  SetDesignClientSize(clientWidth, clientHeight);
}

void TForm::SetClassStyle(UINT classStyle) {
  if (Handle() && ClassStyle() != classStyle) SetClassLongPtrW(Handle(), GCL_STYLE, classStyle);
}

UINT TForm::ClassStyle() const {
  return Handle() ? static_cast<UINT>(GetClassLongPtrW(Handle(), GCL_STYLE)) : 0;
}

void TForm::SetAlphaBlendValue(BYTE alpha) {
  const LONG exStyle = GetWindowLongW(Handle(), GWL_EXSTYLE);
  SetWindowLongW(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  SetLayeredWindowAttributes(Handle(), 0, alpha, LWA_ALPHA);
}

void TForm::Invalidate() {
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

TForm::~TForm() {
  if (Application().MainForm() == this) Application().SetMainForm(nullptr);
  // The menu belongs to menu_, not to the window that shows it.
  if (Handle()) SetMenu(Handle(), nullptr);
}

void TForm::DestroyWindowFirst() {
  OnClose = nullptr;
  OnPaint = nullptr;
  OnDpiChanged = nullptr;
  OnShortCut = nullptr;
  OnResize = nullptr;
  if (Handle()) SetMenu(Handle(), nullptr);
  DestroyHandle();
}

void TForm::AttachMenu(std::unique_ptr<TMainMenu> menu) {
  menu_ = std::move(menu);
  SetMenu(Handle(), menu_->Handle());
}

void TForm::SetClientSize(int width, int height) {
  // Items added to the menu bar after it was attached count only once it is laid out again.
  if (GetMenu(Handle())) DrawMenuBar(Handle());
  RECT rect{0, 0, width, height};
  const DWORD style = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_EXSTYLE));
  AdjustWindowRectToDpi(rect, style, GetMenu(Handle()) != nullptr, exStyle, Dpi());
  RECT bounds = BoundsRect();
  SetBounds(bounds.left, bounds.top, rect.right - rect.left, rect.bottom - rect.top);
  // The menu bar may wrap at the new width; fix the client size once more.
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right != width || client.bottom != height) {
    SetBounds(bounds.left, bounds.top, Width() + width - client.right, Height() + height - client.bottom);
  }
}

void TForm::SetDesignClientSize(int width, int height) {
  SetClientSize(Scaled(width), Scaled(height));
}

void TForm::SetIcon(int iconResource) {
  iconResource_ = iconResource;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // Icons of the sizes of this DPI; a shared icon would keep the size first asked for.
  auto load = [&](int metric) {
    const int size = SystemMetricForDpi(metric, Dpi());
    return UniqueHIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON, size, size, 0)));
  };
  UniqueHIcon big = load(SM_CXICON);
  UniqueHIcon small = load(SM_CXSMICON);
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
  // The window no longer shows the icons it had.
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

void TForm::DpiChanged() {
  if (iconResource_) SetIcon(iconResource_);
}

void TForm::ChangeDpi(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  SetDpi(dpi);
  ApplyDpi();
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Realign();
  if (OnDpiChanged) OnDpiChanged();
}

void TForm::CenterOnScreen() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = Width();
  const int height = Height();
  SetBounds(work.left + (work.right - work.left - width) / 2,
            work.top + (work.bottom - work.top - height) / 2, width, height);
}

void TForm::CenterOn(const TForm& other) {
  const RECT around = other.BoundsRect();
  const int width = Width();
  const int height = Height();
  SetBounds(around.left + (around.right - around.left - width) / 2,
            around.top + (around.bottom - around.top - height) / 2, width, height);
}

void TForm::CenterOnWindow(HWND other) {
  RECT around{};
  if (!other || !GetWindowRect(other, &around)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  const int width = Width();
  const int height = Height();
  SetBounds(around.left + (around.right - around.left - width) / 2,
            around.top + (around.bottom - around.top - height) / 2, width, height);
}

TCreateParams ModalBoxParams(HWND owner) {
  TCreateParams params;
  params.Style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_DLGMODALFRAME;
  params.Parent = owner;
  return params;
}

bool TForm::ShowModal() {
  if (!Handle()) return false;
  HWND previous = GetActiveWindow();
  // Every other enabled window of the thread waits until this one closes.
  struct Others {
    HWND self;
    std::vector<HWND> windows;
  } others{Handle(), {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto& found = *reinterpret_cast<Others*>(data);
        if (window != found.self && IsWindowVisible(window) && IsWindowEnabled(window)) {
          found.windows.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&others));
  const std::vector<HWND>& disabled = others.windows;
  for (HWND window : disabled) EnableWindow(window, FALSE);
  closed_ = false;
  modal_ = true;
  Show();
  MSG message;
  while (!closed_) {
    if (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) break;
    Application().ProcessMessages();
    if (!closed_) WaitMessage();
  }
  modal_ = false;
  for (HWND window : disabled) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  // The window that was active before takes over again, before this one goes: the
  // system would otherwise find no enabled window to activate.
  if (previous && previous != Handle() && IsWindow(previous)) SetForegroundWindow(previous);
  ShowWindow(Handle(), SW_HIDE);
  return true;
}

void TForm::Show() {
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  if (activeControl_) activeControl_->SetFocus();
}

void TForm::Close() {
  if (Handle()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: {
      TCloseAction action = Application().MainForm() == this ? TCloseAction::caFree : TCloseAction::caHide;
      if (OnClose) OnClose(action);
      if (action == TCloseAction::caNone) return 0;
      closed_ = true;
      ShowWindow(Handle(), SW_HIDE);
      if (Application().MainForm() == this) Application().Terminate();
      return 0;
    }
    case WM_PAINT:
      if (OnPaint) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        CallHandler([&] { OnPaint(dc); });
        EndPaint(Handle(), &ps);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_COMMAND:
      // Menu commands come without a control window.
      if (lParam == 0 && HIWORD(wParam) == 0 && menu_) {
        if (menu_->DispatchCommand(LOWORD(wParam))) return 0;
      }
      break;
    case WM_ACTIVATE: {
      // Coming back, the focus returns to the control that had it when the form lost it.
      HWND focus = GetFocus();
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        break;
      }
      HWND target = (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_))
                        ? lastFocus_
                        : (activeControl_ ? activeControl_->Handle() : nullptr);
      if (target) {
        ::SetFocus(target);
        return 0;
      }
      break;
    }
    case WM_SETFOCUS:
      if (activeControl_ && activeControl_->Handle()) {
        activeControl_->SetFocus();
        return 0;
      }
      break;
    default:
      break;
  }
  return TControl::WndProc(message, wParam, lParam);
}

}  // namespace fm::ui
