#include "core/PaneLayout.h"

#include "core/DpiScale.h"

namespace fm {

PaneWidths LayoutPaneWidths(int driveBandWidth, int outerWidth, int dpi) {
  auto scaled = [dpi](int designPixels) { return ScaleToDpi(designPixels, dpi); };
  const int half = (driveBandWidth - scaled(13)) / 2;
  return {
      .leftView = half,
      .drivesLeft = half,
      .cbLeftPath = driveBandWidth / 2 - scaled(52),
      .currentPath = half - scaled(10),
      .statusLeft = half,
      .functionKeyButton = outerWidth / 8 - scaled(3),
  };
}

}  // namespace fm
