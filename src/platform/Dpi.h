// The DPI of windows and the process's awareness of it. The calls that know about DPI
// came with later versions of Windows; on older ones these fall back to the one DPI of
// the screen.
#pragma once

#include <windows.h>

namespace fm {

// Asks for per-monitor awareness (version 2, else version 1, else the system DPI) before
// the first window is made. An awareness already set (by the manifest, or by the system)
// is kept: the request then fails, and the program goes on with what it has.
void RequestDpiAwareness();

// The DPI the window is shown at; the screen's when the system cannot tell per window.
int WindowDpi(HWND window);
// The DPI of the screen as the process sees it.
int SystemDpi();

// The window rectangle around a client rectangle, with frame and menu bar at dpi.
void AdjustWindowRectToDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
// A system metric (SM_CXSMICON, ...) at dpi.
int SystemMetricForDpi(int index, int dpi);

}  // namespace fm
