// The main window: the window-wide things (start-up and shutdown, layout, the command box,
// the function keys, the about box) and the two panes it owns (src/pane/). The class is
// implemented in one file per concern in this folder; its design (controls, sizes,
// colours) is built in resources/MainDesign.cpp, and EventWiring.cpp ties the window's
// own controls to its handlers.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Pane.h"
#include "controls/Vcl_Interceptors.h"
#include "core/FileCommandText.h"
#include "platform/ComPtr.h"
#include "platform/FolderWatcher.h"
#include "platform/ShellChanges.h"
#include "platform/VolumeFacts.h"
#include "platform/FileJobs.h"
#include "ui/JobProgressWindow.h"

namespace MainUnit {

using namespace Vcl_Interceptors;
using fm::ui::TCanvas;
using fm::ui::TCheckBox;
using fm::ui::TCloseAction;
using fm::ui::TImageList;
using fm::ui::TLabel;
using fm::ui::TPanel;
using fm::ui::TStatusBar;
using fm::ui::TToolBar;

using PaneUnit::IsFolderItem;
using PaneUnit::SetHeaderImage;
using PaneUnit::TLeftShellItem;
using PaneUnit::TPane;

// The window's own messages have one number each: WM_APP + 1 to WM_APP + 5.
// The watcher's word that a watch has changes to take; wParam names the watch.
inline constexpr UINT kFolderChangedMessage = WM_APP + 2;
// The shell's word of a change; read back with fm::ReadShellChange.
inline constexpr UINT kShellChangedMessage = WM_APP + 3;

class TMain : public TForm, private PaneUnit::TPaneHost {
 public:
  // Builds the window from its design and runs the start-up sequence; an error in it is
  // shown in the error box and ends the sequence at that step.
  TMain();
  ~TMain() override;

  TPane& LeftPane() { return *FLeftPane; }
  TPane& RightPane() { return *FRightPane; }
  // The pane whose list, path box or drive box last had the keyboard focus.
  TPane& ActivePane() { return *FActivePane; }
  // Reads again, keeping its place, every pane that follows the file-system folder Folder
  // (letter case and a final backslash aside): for a change the program made itself,
  // shown at once rather than when the watch tells of it.
  void RefreshFolder(const std::wstring& Folder);

  // The left pane's entry points, as the rest of the program knows them.
  TLeftShellItem* GetLeftItem(std::int32_t index) { return FLeftPane->GetItem(index); }
  void ClearLeftItems() { FLeftPane->ClearItems(); }
  void AppendLeftItem(TLeftShellItem item) { FLeftPane->AppendItem(std::move(item)); }
  int LeftItemCount() const { return FLeftPane->ItemCount(); }
  bool HasItemList() const { return FLeftPane->HasItemList(); }
  void BrowseToPIDL(LPITEMIDLIST PIDL) { FLeftPane->BrowseToPIDL(PIDL); }
  void BrowseToPath(const std::wstring& Path) { FLeftPane->BrowseToPath(Path); }
  void ReadFolder(fm::ComPtr<IShellFolder> Folder, const std::function<void()>& AlongWith = {}) {
    FLeftPane->ReadFolder(std::move(Folder), AlongWith);
  }
  void FillItemDetails(std::int32_t StartIndex, std::int32_t EndIndex) {
    FLeftPane->FillItemDetails(StartIndex, EndIndex);
  }
  const std::wstring& Path() const { return FLeftPane->Path(); }
  std::uint64_t Files() const { return FLeftPane->Files(); }
  std::uint64_t Folders() const { return FLeftPane->Folders(); }
  std::uint64_t AllSize() const { return FLeftPane->AllSize(); }
  void ShowShellContextMenu(fm::ui::TControl& Control, IContextMenu& Handler, int X, int Y, bool ExtendedVerbs) {
    FLeftPane->ShowShellContextMenu(Control, Handler, X, Y, ExtendedVerbs);
  }
  // Whether a drive letter is in use, as the drive boxes ask it.
  void SetDriveInUseTest(std::function<bool(wchar_t)> test) { FDriveInUse = std::move(test); }
  void SetDesktopFolder(fm::ComPtr<IShellFolder> desktop) { FLeftPane->SetDesktopFolder(std::move(desktop)); }
  void SetFileExistsTest(std::function<bool(const std::wstring&)> test) { FLeftPane->SetFileExistsTest(std::move(test)); }
  void SetFolderBinding(std::function<fm::ComPtr<IShellFolder>(IShellFolder& Desktop, LPCITEMIDLIST PIDL)> bind) {
    FLeftPane->SetFolderBinding(std::move(bind));
  }
  void SetFinalPathQuery(std::function<fm::FinalPath(const std::wstring&)> query) {
    FLeftPane->SetFinalPathQuery(std::move(query));
  }

  void LayoutPanes() override;
  // Reads the active pane again, keeping its place, and the drive boxes with it.
  void Refresh() override;
  // The folders watched for the panes.
  fm::FolderWatcher& Watcher() override { return *FWatcher; }
  // Fills both drive boxes and selects the drive named by StartDrive's first two characters.
  void FillDriveLists(const std::wstring& StartDrive);

  // How the window beeps; a test may listen instead of the speaker.
  void SetBeep(std::function<void()> beep) { FBeep = std::move(beep); }
  // How the window hands a launch record to the shell; a test may watch the records.
  void SetShellExecute(std::function<bool(SHELLEXECUTEINFOW&)> shellExecute) {
    FShellExecute = std::move(shellExecute);
  }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Posted to the window to show a pane's message after the event that made it.
  static constexpr UINT kShowLabelResult = WM_APP + 1;
  // Posted by the file-operation engine's worker: there is news to take.
  static constexpr UINT kFileJobNews = WM_APP + 5;
  // Posted to the window to run what waits for the end of the event under way.
  static constexpr UINT kRunLater = WM_APP + 4;

  // The window design: every control with its place, size and colours.
  void CreateDesign();
  // Ties the design's window-wide events to the window's handlers.
  void WireEvents();

  void FormCreate();
  void FormClose(TCloseAction& action);
  void FormResize();
  // Gives the rows icons of the new DPI's sizes and lays the panes out again.
  void FormDpiChanged();
  void mmExitClick();
  // Opens the about box; the window's own Close command is withdrawn while it is open.
  void mnuAboutClick();
  void Exec_CMDKeyDown(WORD& Key, fm::ui::TShiftState Shift);
  void BTN_F09Click();
  // The drive boxes read again, each keeping the drive it shows where it is still there;
  // a pane that shows the drives reads them again too.
  void RefreshDrives();
  // The panes that follow the file-system folder Folder.
  std::vector<TPane*> PanesFollowing(const std::wstring& Folder);
  // Brings the panes up to date with what the shell tells of, as with the watch's word.
  void ShellChanged(const fm::ShellChange& Change);
  // The watcher's posted changes, the shell's word of a change and the system's word of a
  // drive come or gone; false for any other message.
  bool LiveMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The function keys of the lists: F4 to F8 act on the active pane; false for any other key.
  bool FunctionKey(WORD Key, fm::ui::TShiftState Shift);
  // F4: the focused file in the shell's editor for its type, else in Notepad.
  void EditFocusedFile();
  // F5, F6: the active pane's items into the other pane's folder, through the copy dialog.
  void CopyOrMove(fm::FileCommand Command);
  // F7: a folder of a name asked for, in the active pane's folder.
  void NewFolder();
  // F8 to the Recycle Bin, Shift+F8 for good; each asks first.
  void DeleteItems(bool Permanently);
  // Asks with the question box; the index of the button chosen.
  int Ask(const std::wstring& Text, const std::vector<std::wstring>& Buttons, int FocusIndex, int CancelIndex);
  // Runs Action once the event under way has ended.
  void RunLater(std::function<void()> Action);
  void RunWaitingActions();

  // The file-operation engine, made with the first job.
  fm::FileJobEngine& Engine();
  // Queues a job with its progress window; the panes showing Folders read them again
  // when it ends. A job the engine refuses is told in a box.
  void StartJob(fm::JobRequest Request, const std::wstring& Title, std::vector<std::wstring> Folders);
  // Takes the engine's news: progress shown, finished jobs' windows closed and their
  // folders read again, questions asked.
  void TakeJobNews();
  void AskJobQuestions();
  fm::Answer AskJobQuestion(const fm::JobQuestion& Question);
  void JobEnded(const fm::JobProgress& Job);
  // Each pane that shows one of the folders reads it again, keeping its place.
  void ReadFoldersAgain(const std::vector<std::wstring>& Folders);

  // What the panes ask of the window.
  HWND OwnerWindow() const override { return Handle(); }
  void Beep() override { FBeep(); }
  bool LaunchFile(HWND OwnerWindow, const std::wstring& FileName, const std::wstring& Parameters,
                  const std::wstring& Directory, int ShowCommand, LPCITEMIDLIST Item = nullptr) override;
  bool ExecuteVerb(LPCITEMIDLIST Item, const std::wstring& Verb) override;
  void ShowMessageLater(std::wstring Text) override;
  // Shows the message a pane left for after its event.
  void ShowLabelResult();
  void ShowOpenedPath(const std::wstring& Path) override { Exec_CMD->SetText(Path); }
  void PaneEntered(TPane& Pane) override;
  void FocusOtherPane(TPane& Pane) override;
  void RenamedInPlace(TPane& Pane, std::wstring NewName) override;
  // Hands the record to the shell and closes the process handle that may come back.
  bool RunShellExecute(SHELLEXECUTEINFOW& info);

  // The executable's own path, as the process was started.
  static std::wstring ExecutablePath();
  // The system's Windows folder (C:\Windows), whose drive stands in for a share.
  static std::wstring SystemWindowsFolder();

  // Controls, from the top band down.
  TPanel* DrivePanel = nullptr;
  TComboBox* DrivesLeft = nullptr;
  TComboBox* DrivesRight = nullptr;
  TPanel* PathPanel = nullptr;
  TComboBox* cbLeftPath = nullptr;
  TToolBar* LeftUpIcon = nullptr;
  TToolButton* BtnLeftBack = nullptr;
  TSpeedButton* BtnLeftRoot = nullptr;
  TComboBox* cbRightPath = nullptr;
  TToolBar* RightUpIcon = nullptr;
  TToolButton* BtnRightBack = nullptr;
  TSpeedButton* BtnRightRoot = nullptr;
  TPanel* ViewPanel = nullptr;
  TListView* LeftView = nullptr;
  TListView* RightView = nullptr;
  TPanel* CMDPanel = nullptr;
  TLabel* currentPath = nullptr;
  TLabel* currentPathRight = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TEdit* Exec_CMD = nullptr;
  TPanel* StatusPanel = nullptr;
  TStatusBar* StatusLeft = nullptr;
  TStatusBar* StatusRight = nullptr;
  TPanel* BTN_Panel = nullptr;
  std::vector<TSpeedButton*> FunctionKeyButtons;
  TSpeedButton* BTN_F04 = nullptr;
  TSpeedButton* BTN_F05 = nullptr;
  TSpeedButton* BTN_F06 = nullptr;
  TSpeedButton* BTN_F07 = nullptr;
  TSpeedButton* BTN_F08 = nullptr;
  TSpeedButton* BTN_F09 = nullptr;
  TMainMenu* MainMenu = nullptr;
  TMenuItem* mmFile = nullptr;
  TMenuItem* mmExit = nullptr;
  TMenuItem* mmHelp = nullptr;
  TMenuItem* mnuAbout = nullptr;

  TSpeedButton* BTN_F10 = nullptr;
  std::function<bool(wchar_t)> FDriveInUse = fm::DriveInUse;
  // Declared before the panes, whose watches end before it does.
  std::unique_ptr<fm::FolderWatcher> FWatcher;
  std::optional<fm::ShellChangeRegistration> FShellChanges;
  std::unique_ptr<TPane> FLeftPane;
  std::unique_ptr<TPane> FRightPane;
  TPane* FActivePane = nullptr;
  fm::ComPtr<IShellFolder> FIDesktopFolder;
  std::function<void()> FBeep = [] { MessageBeep(MB_OK); };
  std::function<bool(SHELLEXECUTEINFOW&)> FShellExecute = [](SHELLEXECUTEINFOW& info) {
    return ShellExecuteExW(&info) != 0;
  };
  // The outcome of the last label edit, until it is shown.
  std::optional<std::wstring> FLabelResult;
  std::vector<std::function<void()>> FWaitingActions;

  // A job's window and the folders read again when it ends.
  struct TRunningJob {
    std::unique_ptr<fm::ui::TJobProgressWindow> Window;
    std::vector<std::wstring> Folders;
  };
  std::map<fm::JobId, TRunningJob> FJobs;
  // Questions of the engine not yet asked; one box at a time.
  std::deque<fm::JobQuestion> FJobQuestions;
  bool FAskingJobQuestion = false;
  // The job whose question is in the box now.
  std::optional<fm::JobId> FAskedJob;
  std::unique_ptr<fm::FileJobEngine> FEngine;
};

}  // namespace MainUnit
