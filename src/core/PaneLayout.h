// Widths of the left pane's controls and the function-key buttons for a window width.
#pragma once

namespace fm {

struct PaneWidths {
  int leftView;
  int drivesLeft;
  int cbLeftPath;
  int currentPath;
  int statusLeft;
  int functionKeyButton;  // each of BTN_F03 to BTN_F10
};

// driveBandWidth is the client-wide drive band, outerWidth the window's width with its
// borders, both in pixels at the window's dpi. The left pane keeps about half the band at
// any window size; the gaps it leaves are 96-dpi numbers scaled to dpi.
PaneWidths LayoutPaneWidths(int driveBandWidth, int outerWidth, int dpi);

}  // namespace fm
