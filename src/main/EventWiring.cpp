// Which handler of the window answers which event of its window-wide controls; each pane
// ties its own controls to its handlers.
#include "MainUnit.h"

namespace MainUnit {

void TMain::WireEvents() {
  OnClose = [this](TCloseAction& action) { FormClose(action); };
  OnResize = [this] { FormResize(); };
  mmExit->OnClick = [this] { mmExitClick(); };
  mnuAbout->OnClick = [this] { mnuAboutClick(); };
  Exec_CMD->OnKeyDown() = [this](WORD& key, fm::ui::TShiftState shift) { Exec_CMDKeyDown(key, shift); };
  BTN_F09->OnClick = [this] { BTN_F09Click(); };
  BTN_F10->OnClick = [this] { Refresh(); };
}

}  // namespace MainUnit
