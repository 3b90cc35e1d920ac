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

  int PanelCount() const { return static_cast<int>(widths_.size()); }
  int PanelWidth(int index) const { return widths_.at(static_cast<size_t>(index)); }
  std::wstring PanelText(int index) const;
  void SetPanelText(int index, const std::wstring& text);

 private:
  std::vector<int> widths_;
};

}  // namespace fm::ui
