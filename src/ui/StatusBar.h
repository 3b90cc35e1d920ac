// A status bar with panels of fixed widths.
#pragma once

#include "ui/Control.h"

namespace fm::ui {

class TStatusBar : public TControl {
 public:
  struct Panel {
    std::wstring text;
    int width;
  };

  TStatusBar(TControl& parent, std::wstring name, std::vector<Panel> panels);

  std::wstring PanelText(int index) const;
  void SetPanelText(int index, const std::wstring& text);
  // Sets the texts of the first panels, in order, and paints the bar once for them all.
  void SetPanelTexts(const std::vector<std::wstring>& texts);
};

}  // namespace fm::ui
