// Help > About: the about box, shown modally while the window's Close command is withdrawn.
#include "MainUnit.h"
#include "helpers/WindowMenu.h"
#include "uAbout.h"

namespace MainUnit {

namespace {

// Takes the window's Close command away while it lives: an enabled one is greyed in its
// place, one already greyed (or missing) is removed and afterwards appended as the last
// item with the caption it had. Whatever happens in between, the command comes back.
class CloseWithdrawn {
 public:
  explicit CloseWithdrawn(HWND window)
      : window_(window), caption_(myHelper::GetSysMenuItemText(window, SC_CLOSE)) {
    if (myHelper::EnableSysMenuItem(window_, SC_CLOSE, false)) {
      removed_ = myHelper::DeleteSysMenuItem(window_, SC_CLOSE);
    }
  }
  ~CloseWithdrawn() {
    if (removed_) {
      myHelper::AppendSysMenuItem(window_, SC_CLOSE, caption_);
    } else {
      myHelper::EnableSysMenuItem(window_, SC_CLOSE, true);
    }
  }
  CloseWithdrawn(const CloseWithdrawn&) = delete;
  CloseWithdrawn& operator=(const CloseWithdrawn&) = delete;

 private:
  HWND window_;
  std::wstring caption_;
  bool removed_ = false;
};

}  // namespace

void TMain::mnuAboutClick() {
  CloseWithdrawn close(Handle());
  auto about = std::make_unique<uAbout::TfrmAbout>(*this, ExecutablePath());
  for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_SIZE, SC_RESTORE}) {
    myHelper::DeleteSysMenuItem(about->Handle(), command);
  }
  about->ShowModal();
}

}  // namespace MainUnit
