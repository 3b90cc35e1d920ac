#include "ui/HintWindow.h"

#include <algorithm>

#include "core/DpiScale.h"
#include "core/HintPlacement.h"
#include "ui/WindowClass.h"

namespace fm::ui {

namespace {

constexpr wchar_t kHintClassName[] = L"FoldmereHint";

// The work area of the monitor nearest to a point of the screen.
RECT WorkAreaAt(POINT point) {
  MONITORINFO info{sizeof(info)};
  if (!GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info)) {
    RECT screen{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    return screen;
  }
  return info.rcWork;
}

}  // namespace

THintWindow::THintWindow() = default;

THintWindow::~THintWindow() {
  // The messages of the window's destruction come when this object is gone.
  if (hwnd_) SetWindowLongPtrW(hwnd_.Get(), GWLP_USERDATA, 0);
}

bool THintWindow::Showing() const { return hwnd_ && IsWindowVisible(hwnd_.Get()); }

int THintWindow::Padding() const { return ScaleToDpi(kDesignPadding, dpi_); }

void THintWindow::ActivateHint(POINT position, const std::wstring& text, int maxWidth, int dpi) {
  text_ = text;
  dpi_ = dpi;
  if (!hwnd_) {
    // The class is registered per style so that a hint window with a shadow of its own
    // can stand beside one without.
    const DWORD classStyle = ClassStyle() | CS_SAVEBITS;
    const std::wstring className = kHintClassName + std::to_wstring(classStyle);
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = classStyle;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className.c_str();
    RegisterWindowClass(wc);
    hwnd_.Reset(CreateWindowChecked(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, className.c_str(), L"",
                                    WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr));
    SetWindowLongPtrW(hwnd_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  SetWindowTextW(hwnd_.Get(), text_.c_str());
  // The screen's work area where the hint comes up bounds it as the width limit does.
  const RECT area = WorkAreaAt(position);
  const int areaWidth = static_cast<int>(area.right - area.left);
  if (maxWidth <= 0 || maxWidth > areaWidth) maxWidth = areaWidth;
  // Measure the text as it will be drawn, wrapping at the width limit. As in an edit
  // control, a word longer than a line (a long path) is broken too.
  RECT measure{0, 0, maxWidth > 0 ? std::max(1, maxWidth - 2 * Padding() - 2) : 32767, 0};
  {
    const WindowDc dc(hwnd_.Get());
    const SelectObjectScope font(dc.Get(), font_.Handle(dpi_));
    DrawTextW(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &measure,
              DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL | DT_LEFT);
  }
  int width = measure.right + 2 * Padding() + 2;
  if (maxWidth > 0) width = std::min(width, maxWidth);
  const int height = measure.bottom + 2 * Padding() + 2;
  const ScreenBox shown = FitWithin({position.x, position.y, position.x + width, position.y + height},
                                    {area.left, area.top, area.right, area.bottom});
  SetWindowPos(hwnd_.Get(), HWND_TOPMOST, shown.left, shown.top, shown.right - shown.left,
               shown.bottom - shown.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(hwnd_.Get(), nullptr, TRUE);
}

void THintWindow::ReleaseHandle() {
  if (hwnd_) ShowWindow(hwnd_.Get(), SW_HIDE);
}

void THintWindow::PaintFrame(HDC dc, RECT& client) {
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&client, -1, -1);
}

void THintWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_.Get(), &ps);
  RECT client;
  GetClientRect(hwnd_.Get(), &client);
  FillRect(dc, &client, brush_.Handle());
  PaintFrame(dc, client);
  InflateRect(&client, -Padding(), -Padding());
  {
    const SelectObjectScope font(dc, font_.Handle(dpi_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(font_.Color()));
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &client,
              DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL | DT_LEFT);
  }
  EndPaint(hwnd_.Get(), &ps);
}

LRESULT CALLBACK THintWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<THintWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) {
    switch (message) {
      case WM_PAINT:
        self->Paint();
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_NCHITTEST:
        return HTTRANSPARENT;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace fm::ui
