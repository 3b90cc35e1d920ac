// The window moved to a screen of another DPI: its controls took their design numbers at
// the new DPI already; the rows' icons and the panes' widths follow here.
#include "MainUnit.h"
#include "platform/Dpi.h"
#include "platform/Shell.h"

namespace MainUnit {

void TMain::FormDpiChanged() {
  // The system keeps image lists of a few sizes only; each list takes the nearest.
  HIMAGELIST small = fm::NearestSystemImageList(fm::SystemMetricForDpi(SM_CXSMICON, Dpi()));
  HIMAGELIST large = fm::NearestSystemImageList(fm::SystemMetricForDpi(SM_CXICON, Dpi()));
  if (small && large) {
    for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) pane->SetImageLists(small, large);
  }
  LayoutPanes();
}

}  // namespace MainUnit
