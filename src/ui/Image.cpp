#include "ui/Image.h"

#include <commctrl.h>

namespace fm::ui {

TImage::TImage(TControl& parent, std::wstring name) : TControl(&parent, std::move(name)) {
  SetColor(parent.Color());
  CreateHandle(WC_STATICW, WS_VISIBLE | SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, 0);
}

void TImage::SetIcon(int iconResource) {
  icon_.Reset(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource),
                                    IMAGE_ICON, Width(), Height(), 0)));
  SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
}

}  // namespace fm::ui
