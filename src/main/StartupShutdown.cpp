// The window's creation (the start-up sequence) and its closing (the shutdown sequence).
#include <windows.h>

#include <shellapi.h>

#include "MainUnit.h"
#include "core/Error.h"
#include "core/StartDrive.h"
#include "core/VersionText.h"
#include "helpers/Privileges.h"
#include "helpers/VersionInfo.h"
#include "platform/Shell.h"

namespace MainUnit {

namespace {

// The ordinary privileges, then, when elevated, the administrator's. One that cannot be
// enabled (unknown to this system, or not held by this user's token) is passed over, so
// that the window still gets its item list and shell folders.
void EnableProcessPrivileges() {
  auto enable = [](const wchar_t* name) {
    try {
      myHelper::EnablePrivilege(0, name, true);
    } catch (const fm::Error&) {
    }
  };
  for (const wchar_t* name : myHelper::UserPrivileges) enable(name);
  if (!myHelper::IsElevated()) return;
  for (const wchar_t* name : myHelper::AdminPrivileges) enable(name);
}

}  // namespace

TMain::TMain() : TForm(L"Main", 1429, 863) {
  DisableAlign();
  CreateDesign();
  FWatcher = std::make_unique<fm::FolderWatcher>(Handle(), kFolderChangedMessage);
  FShellChanges.emplace(Handle(), kShellChangedMessage);
  PaneUnit::TPaneHost& host = *this;
  FLeftPane = std::make_unique<TPane>(
      host, PaneUnit::TPaneControls{LeftView, DrivesLeft, cbLeftPath, BtnLeftBack, BtnLeftRoot, currentPath, StatusLeft});
  FRightPane = std::make_unique<TPane>(host, PaneUnit::TPaneControls{RightView, DrivesRight, cbRightPath, BtnRightBack,
                                                                     BtnRightRoot, currentPathRight, StatusRight});
  PaneEntered(*FLeftPane);
  WireEvents();
  // The menu bar takes its height from the window, not from the client area.
  SetDesignClientSize(1429, 863);
  EnableAlign();
  fm::ui::CallHandler([this] { FormCreate(); });
  fm::ui::CallHandler([this] { FormResize(); });
  CenterOnScreen();
  // The design has the window visible: it shows as soon as its creation is complete.
  Show();
}

TMain::~TMain() {
  // The engine's worker stops (cancelling what runs) before the windows it reports to go.
  FEngine.reset();
  FJobs.clear();
  DestroyWindowFirst();
}

std::wstring TMain::ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring TMain::SystemWindowsFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemWindowsDirectoryW(path, MAX_PATH);
  return length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

void TMain::FormCreate() {
  const std::wstring executable = ExecutablePath();

  myHelper::TFileVersionInfo version;
  myHelper::ReadFileVersionInfo(version, executable);
  const std::wstring title = fm::ApplicationTitle(version.ProductName, version.FileVersion);
  SetCaption(fm::WindowCaption(title, version.LegalCopyRight));
  fm::ui::Application().SetTitle(title);

  EnableProcessPrivileges();

  mmHelp->SetalRight(true);
  SetEnableDropShadow(true);

  // Empty when the program was started from a share: no drive line is selected then.
  const std::wstring drive = fm::DriveOfPath(executable);
  FillDriveLists(drive);

  FIDesktopFolder = fm::DesktopFolder();
  for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) pane->Start(FIDesktopFolder);

  // The system's image lists index the icons of the rows; they belong to the system.
  // They are asked for through a drive's root: from a share, the system's drive.
  const std::wstring root = (drive.empty() ? fm::DriveOfPath(SystemWindowsFolder()) : drive) + L"\\";
  SHFILEINFOW info{};
  auto small = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(root.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  info = SHFILEINFOW{};
  auto large = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(root.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX));
  for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) pane->SetImageLists(small, large);

  // Each pane keeps its own list of the folder, as it keeps every folder it shows.
  for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) {
    pane->BrowseToPIDL(
        pane->KeepFolderIDList(fm::SpecialFolderLocation(fm::ui::Application().Handle(), CSIDL_DRIVES)));
  }

  LeftView->SetFocus();
  cbLeftPath->SetSelection(0, static_cast<int>(cbLeftPath->Text().size()));
}

void TMain::FormClose(TCloseAction&) {
  for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) pane->Close();
}

void TMain::mmExitClick() { Close(); }

}  // namespace MainUnit
