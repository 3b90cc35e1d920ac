// What keeps the window true to the disk: the watcher's posted changes go to the pane
// that watches, F10 reads the active pane again, and a drive that comes or goes refreshes
// the drive boxes.
#include <windows.h>

#include <dbt.h>

#include "MainUnit.h"
#include "core/CaseFold.h"

namespace MainUnit {

void TMain::Refresh() {
  RefreshDrives();
  FActivePane->Refresh();
}

void TMain::RefreshDrives() {
  const std::wstring left = DrivesLeft->Text().substr(0, 2);
  const std::wstring right = DrivesRight->Text().substr(0, 2);
  FillDriveLists(left);
  DrivesRight->SetItemIndex(-1);
  for (int i = 0; i < DrivesRight->Count(); ++i) {
    if (!right.empty() && fm::StartsWithAsciiNoCase(DrivesRight->Item(i), right)) DrivesRight->SetItemIndex(i);
  }
  for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) {
    if (pane->HasItemList() && pane->Path() == L"Drives") pane->Refresh();
  }
}

bool TMain::LiveMessage(UINT message, WPARAM wParam, LRESULT& result) {
  if (message == kFolderChangedMessage) {
    const int watch = static_cast<int>(wParam);
    // Taken also when no pane watches any more, so the gathering starts anew.
    const fm::FolderChanges changes = FWatcher->Take(watch);
    for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) {
      if (pane && pane->OwnsWatch(watch)) fm::ui::CallHandler([&] { pane->FolderChanged(watch, changes); });
    }
    result = 0;
    return true;
  }
  if (message == WM_DEVICECHANGE && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
    fm::ui::CallHandler([this] { RefreshDrives(); });
    result = TRUE;
    return true;
  }
  return false;
}

}  // namespace MainUnit
