#include "ui/ProgressBar.h"

#include <commctrl.h>

namespace fm::ui {

TProgressBar::TProgressBar(TControl& parent, std::wstring name) : TControl(&parent, std::move(name)) {
  CreateHandle(PROGRESS_CLASSW, WS_VISIBLE, 0);
  SendMessageW(Handle(), PBM_SETRANGE32, 0, 1000);
}

void TProgressBar::SetPosition(int permille) { SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(permille), 0); }

int TProgressBar::Position() const { return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0)); }

}  // namespace fm::ui
