#include "core/PaneLayout.h"

namespace fm {

PaneWidths LayoutPaneWidths(int driveBandWidth, int outerWidth) {
  const int half = (driveBandWidth - 13) / 2;
  return {
      .leftView = half,
      .drivesLeft = half,
      .cbLeftPath = driveBandWidth / 2 - 52,
      .currentPath = half - 10,
      .statusLeft = half,
      .functionKeyButton = outerWidth / 8 - 3,
  };
}

}  // namespace fm
