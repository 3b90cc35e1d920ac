// The system's progress bar, in thousandths.
#pragma once

#include "ui/Control.h"

namespace fm::ui {

class TProgressBar : public TControl {
 public:
  TProgressBar(TControl& parent, std::wstring name);

  // From 0 to 1000.
  void SetPosition(int permille);
  int Position() const;
};

}  // namespace fm::ui
