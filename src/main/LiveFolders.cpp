// What keeps the window true to the disk: the watcher's posted changes go to the pane
// that watches, F10 reads the active pane again, and a drive that comes or goes refreshes
// the drive boxes.
#include <windows.h>

#include <dbt.h>

#include <string_view>

#include "MainUnit.h"
#include "core/CaseFold.h"
#include "core/PathText.h"

namespace MainUnit {

void TMain::Refresh() {
  RefreshDrives();
  FActivePane->Refresh();
}

namespace {

// Two paths of one folder as the file system compares them.
bool SameFolder(std::wstring_view a, std::wstring_view b) {
  const auto trimmed = [](std::wstring_view path) {
    if (path.size() > 3 && path.back() == L'\\') path.remove_suffix(1);
    return path;
  };
  a = trimmed(a);
  b = trimmed(b);
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

std::vector<TPane*> TMain::PanesFollowing(const std::wstring& Folder) {
  std::vector<TPane*> panes;
  for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) {
    if (!pane->WatchedFolder().empty() && SameFolder(pane->WatchedFolder(), Folder)) panes.push_back(pane);
  }
  return panes;
}

void TMain::RefreshFolder(const std::wstring& Folder) {
  for (TPane* pane : PanesFollowing(Folder)) pane->Refresh();
}

void TMain::ShellChanged(const fm::ShellChange& Change) {
  constexpr LONG kDrives = SHCNE_DRIVEADD | SHCNE_DRIVEADDGUI | SHCNE_DRIVEREMOVED | SHCNE_MEDIAINSERTED |
                           SHCNE_MEDIAREMOVED;
  constexpr LONG kItems = SHCNE_CREATE | SHCNE_DELETE | SHCNE_MKDIR | SHCNE_RMDIR | SHCNE_RENAMEITEM |
                          SHCNE_RENAMEFOLDER | SHCNE_UPDATEITEM | SHCNE_ATTRIBUTES;
  if (Change.event & kDrives) {
    RefreshDrives();
  } else if (Change.event == SHCNE_UPDATEDIR && Change.path.empty()) {
    // A folder that is not the file system's: no watch follows it, a pane that shows one
    // reads it again.
    for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) {
      if (pane->HasItemList() && pane->WatchedFolder().empty()) pane->Refresh();
    }
  } else if (Change.event == SHCNE_UPDATEDIR) {
    fm::FolderChanges whole;
    whole.Overflow();
    for (TPane* pane : PanesFollowing(Change.path)) pane->ApplyFolderChanges(whole);
  } else if (Change.event & kItems) {
    for (const std::wstring* path : {&Change.path, &Change.otherPath}) {
      if (path->empty()) continue;
      fm::FolderChanges item;
      item.Add(fm::LastPathPart(*path));
      for (TPane* pane : PanesFollowing(fm::FolderPart(*path))) pane->ApplyFolderChanges(item);
      if (Change.event & (SHCNE_RMDIR | SHCNE_RENAMEFOLDER)) {
        // The folder itself gone from where a pane shows it: its watch is as good as over.
        fm::FolderChanges ended;
        ended.End();
        for (TPane* pane : PanesFollowing(*path)) pane->ApplyFolderChanges(ended);
      }
    }
  }
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

bool TMain::LiveMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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
  if (message == kShellChangedMessage) {
    const fm::ShellChange change = fm::ReadShellChange(wParam, lParam);
    fm::ui::CallHandler([&] { ShellChanged(change); });
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
