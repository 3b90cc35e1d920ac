// A status bar with panels of fixed widths.
#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"

namespace fm::ui {

class TStatusBar : public TControl {
 public:
  struct Panel {
    std::wstring text;
    int width;  // in 96-dpi pixels
  };

  TStatusBar(TControl& parent, std::wstring name, std::vector<Panel> panels);

  std::wstring PanelText(int index) const;
  void SetPanelText(int index, const std::wstring& text);
  // Sets the texts of the first panels, in order, and paints the bar once for them all.
  void SetPanelTexts(const std::vector<std::wstring>& texts);
  // The right edge of each panel in pixels, -1 for the one that reaches the bar's end.
  std::vector<int> PanelEdges() const;

 protected:
  void DpiChanged() override;

 private:
  std::vector<int> designWidths_;
};

}  // namespace fm::ui
