// The left pane keeps half of the window, and the function-key buttons share the bottom band.
#include <algorithm>

#include "MainUnit.h"
#include "core/PaneLayout.h"

namespace MainUnit {

void TMain::FormResize() { LayoutPanes(); }

void TMain::LayoutPanes() {
  // Widths below zero come out of a very narrow window; no control gets one.
  auto width = [](int value) { return std::max(0, value); };
  const fm::PaneWidths widths = fm::LayoutPaneWidths(DrivePanel->Width(), Width(), Dpi());
  LeftView->BeginUpdate();
  // A change of height makes each list share out its columns again, even at the same width.
  LeftView->SetHeight(LeftView->Height() - 1);
  RightView->SetHeight(RightView->Height() - 1);
  LeftView->SetWidth(width(widths.leftView));
  LeftView->EndUpdate();
  DrivesLeft->SetWidth(width(widths.drivesLeft));
  cbLeftPath->SetWidth(width(widths.cbLeftPath));
  currentPath->SetWidth(width(widths.currentPath));
  StatusLeft->SetWidth(width(widths.statusLeft));
  for (TSpeedButton* button : FunctionKeyButtons) button->SetWidth(width(widths.functionKeyButton));
}

}  // namespace MainUnit
