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

 protected:
  // The icon is loaded again at the control's new size.
  void DpiChanged() override;

 private:
  int iconResource_ = 0;
  UniqueHIcon icon_;
};

}  // namespace fm::ui
