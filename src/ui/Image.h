// A picture control that shows the program's icon, scaled to the control.
#pragma once

#include "platform/Handles.h"
#include "ui/Control.h"

namespace fm::ui {

class TImage : public TControl {
 public:
  TImage(TControl& parent, std::wstring name);

  // The icon resource, drawn at the control's size (so keeping its proportions in a
  // square control) over the parent's background.
  void SetIcon(int iconResource);
  HICON Icon() const { return icon_.Get(); }

 private:
  UniqueHIcon icon_;
};

}  // namespace fm::ui
