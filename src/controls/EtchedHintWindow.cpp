#include <windows.h>

#include <versionhelpers.h>

#include "controls/Vcl_Interceptors.h"

namespace Vcl_Interceptors {

void THintWindow::PaintFrame(HDC dc, RECT& client) {
  // The hint window has no frame of its own: its client area is the whole window, so
  // the edge drawn here is the window's edge.
  // An etched edge is two lines wide; the text keeps clear of both.
  DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT | BF_MONO | BF_ADJUST);
}

DWORD THintWindow::ClassStyle() const { return IsWindowsXPOrGreater() ? CS_DROPSHADOW : 0; }

}  // namespace Vcl_Interceptors
