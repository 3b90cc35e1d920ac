#include "platform/Dpi.h"

#include <shellscalingapi.h>

#include "core/DpiScale.h"

namespace fm {

namespace {

// A function of user32 that older systems lack, or null.
template <class Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

void RequestDpiAwareness() {
  using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  if (auto setContext = User32Function<SetContext>("SetProcessDpiAwarenessContext")) {
    if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
    if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) return;
    // Refused because the awareness is set already, or not known here: either way the
    // process keeps what it has.
    return;
  }
  // Windows 8.1 asks shcore; the library is loaded only for the one call.
  if (HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    using SetAwareness = HRESULT(WINAPI*)(PROCESS_DPI_AWARENESS);
    auto setAwareness = reinterpret_cast<SetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(shcore, "SetProcessDpiAwareness")));
    const bool set = setAwareness && SUCCEEDED(setAwareness(PROCESS_PER_MONITOR_DPI_AWARE));
    FreeLibrary(shcore);
    if (set) return;
  }
  SetProcessDPIAware();
}

int SystemDpi() {
  using GetForSystem = UINT(WINAPI*)();
  if (auto getForSystem = User32Function<GetForSystem>("GetDpiForSystem")) {
    if (const UINT dpi = getForSystem()) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
  using GetForWindow = UINT(WINAPI*)(HWND);
  static const auto getForWindow = User32Function<GetForWindow>("GetDpiForWindow");
  if (getForWindow && window) {
    if (const UINT dpi = getForWindow(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

void AdjustWindowRectToDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi");
  if (adjustForDpi && adjustForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, menu, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
  using MetricForDpi = int(WINAPI*)(int, UINT);
  static const auto metricForDpi = User32Function<MetricForDpi>("GetSystemMetricsForDpi");
  if (metricForDpi) return metricForDpi(index, static_cast<UINT>(dpi));
  // Older systems answer at the screen's one DPI.
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

}  // namespace fm
