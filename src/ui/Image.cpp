#include "ui/Image.h"

#include <commctrl.h>

namespace fm::ui {

TImage::TImage(TControl& parent, std::wstring name) : TControl(&parent, std::move(name)) {
  SetColor(parent.Color());
  CreateHandle(WC_STATICW, WS_VISIBLE | SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, 0);
}

void TImage::SetIcon(int iconResource) {
  iconResource_ = iconResource;
  UniqueHIcon icon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource),
                                    IMAGE_ICON, Width(), Height(), 0)));
  SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
  // The control no longer shows the icon it had.
  icon_ = std::move(icon);
}

void TImage::DpiChanged() {
  if (iconResource_) SetIcon(iconResource_);
}

}  // namespace fm::ui
