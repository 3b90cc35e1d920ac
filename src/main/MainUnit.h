// The main window and the state of the left pane. The class is implemented in one file
// per concern in this folder; its design (controls, sizes, colours) is built in
// resources/MainDesign.cpp, and EventWiring.cpp ties the controls' events to the handlers.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/Vcl_Interceptors.h"
#include "platform/ComPtr.h"
#include "platform/FinalPath.h"
#include "platform/FolderDetails.h"
#include "platform/Shell.h"
#include "platform/ShellItemIdList.h"

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

// One row of the left pane. The entry owns its item ID lists and its strings.
struct TLeftShellItem {
  TLeftShellItem();
  ~TLeftShellItem();
  TLeftShellItem(const TLeftShellItem&) = delete;
  TLeftShellItem& operator=(const TLeftShellItem&) = delete;

  // Entries alive now: debug builds report those left at exit.
  static std::int64_t Live();

  fm::ItemIdList FullID;  // absolute; set when the details are loaded
  fm::ItemIdList ID;      // relative to the shown folder
  bool Empty = true;      // details not loaded yet
  std::wstring DisplayName;
  std::wstring FullPath;
  std::wstring TypeName;
  std::int32_t ImageIndex = 0;
  std::int32_t Attributes = 0;
  std::uint64_t Size = 0;
  std::wstring ModDate;
};

// Whether the shell browses Item, a list relative to Folder, as a folder.
bool IsFolderItem(IShellFolder& Folder, LPCITEMIDLIST Item);

// Gives header item Index of the list the image ImageIndex to the left of its caption.
void SetHeaderImage(TListView& ListView, int Index, int ImageIndex);

class TMain : public TForm {
 public:
  // Builds the window from its design and runs the start-up sequence; an error in it is
  // shown in the error box and ends the sequence at that step.
  TMain();
  ~TMain() override;

  // Entry index of the item list; an index outside it raises the list's index error.
  TLeftShellItem* GetLeftItem(std::int32_t index);
  // Releases every entry and empties the item list.
  void ClearLeftItems();
  void AppendLeftItem(std::unique_ptr<TLeftShellItem> item);
  int LeftItemCount() const { return FIDList ? static_cast<int>(FIDList->size()) : 0; }
  // Whether the start-up sequence came as far as making the item list.
  bool HasItemList() const { return FIDList.has_value(); }

  void LayoutPanes();

  // Navigation: shows the folder of an absolute item ID list, which the window keeps
  // until it closes.
  void BrowseToPIDL(LPITEMIDLIST PIDL);
  // Shows the folder the desktop parses path into.
  void BrowseToPath(const std::wstring& Path);
  // Replaces the item list by the contents of Folder. The entries are read aside, then
  // the folder, its entries and what AlongWith sets are changed together; a read that
  // failed half-way commits what it read, then raises its error.
  void ReadFolder(fm::ComPtr<IShellFolder> Folder, const std::function<void()>& AlongWith = {});
  // Loads the details of the entries StartIndex to EndIndex that lack them.
  void FillItemDetails(std::int32_t StartIndex, std::int32_t EndIndex);
  // Fills both drive boxes and selects the drive named by StartDrive's first two characters.
  void FillDriveLists(const std::wstring& StartDrive);

  const std::wstring& Path() const { return FPath; }
  std::uint64_t Files() const { return FFiles; }
  std::uint64_t Folders() const { return FFolders; }
  std::uint64_t AllSize() const { return FAllSize; }
  // How the window beeps; a test may listen instead of the speaker.
  void SetBeep(std::function<void()> beep) { FBeep = std::move(beep); }
  // How the window hands a launch record to the shell; a test may watch the records.
  void SetShellExecute(std::function<bool(SHELLEXECUTEINFOW&)> shellExecute) {
    FShellExecute = std::move(shellExecute);
  }

  // The menu of Handler, shown at X, Y of Control's client area with the extended verbs
  // or without; the command picked is carried out.
  void ShowShellContextMenu(fm::ui::TControl& Control, IContextMenu& Handler, int X, int Y, bool ExtendedVerbs);
  // How the window reaches the namespace; a test may put a folder of its own in front.
  void SetDesktopFolder(fm::ComPtr<IShellFolder> desktop) { FIDesktopFolder = std::move(desktop); }
  // How the window binds an absolute item ID list to its folder; a test may hand out a
  // stand-in folder.
  void SetFolderBinding(std::function<fm::ComPtr<IShellFolder>(IShellFolder& Desktop, LPCITEMIDLIST PIDL)> bind) {
    FBindToFolder = std::move(bind);
  }
  // How the read asks for a path's final path; a test may answer for a network drive.
  void SetFinalPathQuery(std::function<fm::FinalPath(const std::wstring&)> query) { FFinalPath = std::move(query); }
  // How the rows test whether a path names an existing file; a test may count the tests.
  void SetFileExistsTest(std::function<bool(const std::wstring&)> test) { FFileExists = std::move(test); }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Posted to the window to show a label edit's outcome after the edit.
  static constexpr UINT kShowLabelResult = WM_APP + 1;

  // The window design: every control with its place, size and colours.
  void CreateDesign();
  // Ties the design's events to the window's handlers.
  void WireEvents();

  void FormCreate();
  void FormClose(TCloseAction& action);
  void FormResize();
  void mmExitClick();
  // Opens the about box; the window's own Close command is withdrawn while it is open.
  void mnuAboutClick();

  void cbLeftPathKeyDown(WORD& Key, fm::ui::TShiftState Shift);
  void cbLeftPathClick();
  void DrivesLeftChange();
  void BtnLeftRootClick();
  void BtnLeftBackClick();
  void LeftViewDataHint(std::int32_t StartIndex, std::int32_t EndIndex);
  void LeftViewData(fm::ui::TListItem& Item);
  void LeftViewDataFind(fm::ui::TItemFind Find, const std::wstring& FindString, POINT FindPosition, void* FindData,
                        std::int32_t StartIndex, fm::ui::TSearchDirection Direction, bool Wrap, int& Index);
  void LeftViewCustomDraw(const RECT& ARect, bool& DefaultDraw);
  void LeftViewCustomDrawItem(fm::ui::TListItem* Item, UINT State, bool& DefaultDraw);
  void LeftViewCustomDrawSubItem(fm::ui::TListItem* Item, int SubItem, UINT State, bool& DefaultDraw);
  void LeftViewInfoTip(fm::ui::TListItem& Item, std::wstring& InfoTip);
  void LeftViewDblClick();
  void LeftViewKeyDown(WORD& Key, fm::ui::TShiftState Shift);
  void LeftViewMouseDown(fm::ui::TMouseButton Button, fm::ui::TShiftState Shift, int X, int Y);
  void LeftViewEditing(fm::ui::TListItem& Item, bool& AllowEdit);
  void LeftViewEdited(fm::ui::TListItem& Item, std::wstring& S);
  void Exec_CMDKeyDown(WORD& Key, fm::ui::TShiftState Shift);
  void BTN_F09Click();

  // The shell's menu of row Row at X, Y of the list, or of the folder shown for no row.
  void ShowLeftContextMenu(int Row, int X, int Y, bool ExtendedVerbs);
  // The menu of the focused row, placed at the row (the menu key, Shift+F10).
  void ShowFocusedContextMenu();
  fm::ComPtr<IContextMenu> RowMenuHandler(int Row);
  // Null where the folder shown has no menu here.
  fm::ComPtr<IContextMenu> FolderMenuHandler();
  // Shows the outcome of a label edit once the edit has ended.
  void ShowLabelResult();
  // The drive root of row, a drive's row; empty for any other row.
  std::wstring DriveRootOf(std::int32_t row);
  // Opens the entry of row index: enters a folder, hands anything else to the shell.
  void OpenLeftItem(std::int32_t index);
  // The shell's properties of the selected row's item; nothing without a selection.
  void ShowLeftItemProperties();
  // Asks the shell to open FileName with its default action; given Item, an absolute list,
  // the shell opens that item instead of parsing a name.
  bool LaunchFile(HWND OwnerWindow, const std::wstring& FileName, const std::wstring& Parameters,
                  const std::wstring& Directory, int ShowCommand, LPCITEMIDLIST Item = nullptr);
  // Asks the shell to carry out Verb on Item, an absolute list, through its context-menu
  // handlers.
  bool ExecuteVerb(LPCITEMIDLIST Item, const std::wstring& Verb);
  // The absolute item ID list of an entry of the shown folder.
  fm::ItemIdList AbsoluteIDList(const TLeftShellItem& item) const;
  // Hands the record to the shell and closes the process handle that may come back.
  bool RunShellExecute(SHELLEXECUTEINFOW& info);

  // Keeps a folder's item ID list until the window closes and hands out a pointer to it.
  LPITEMIDLIST KeepFolderIDList(fm::ItemIdList list);
  void WriteTotals(const wchar_t* foldersLabel);
  // Whether the path of entry row names an existing file: the cells and the colour of a
  // row ask it many times in one paint, the file system is asked once per paint.
  bool RowNamesFile(std::int32_t row);

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
  TCheckBox* CheckBox1 = nullptr;
  TEdit* Exec_CMD = nullptr;
  TPanel* StatusPanel = nullptr;
  TStatusBar* StatusLeft = nullptr;
  TStatusBar* StatusRight = nullptr;
  TPanel* BTN_Panel = nullptr;
  std::vector<TSpeedButton*> FunctionKeyButtons;
  TSpeedButton* BTN_F09 = nullptr;
  TMainMenu* MainMenu = nullptr;
  TMenuItem* mmFile = nullptr;
  TMenuItem* mmExit = nullptr;
  TMenuItem* mmHelp = nullptr;
  TMenuItem* mnuAbout = nullptr;
  // Shared with the tool bars that draw with it.
  std::shared_ptr<TImageList> ToolbarImages;

  // State of the left pane.
  LPITEMIDLIST FPIDL = nullptr;
  // The owner of FPIDL and of the lists attached to the path box's lines.
  std::vector<fm::ItemIdList> FFolderIDLists;
  std::function<void()> FBeep = [] { MessageBeep(MB_OK); };
  std::function<bool(SHELLEXECUTEINFOW&)> FShellExecute = [](SHELLEXECUTEINFOW& info) {
    return ShellExecuteExW(&info) != 0;
  };
  std::optional<std::vector<std::unique_ptr<TLeftShellItem>>> FIDList;
  fm::ComPtr<IShellFolder> FIShellFolder;
  // Asks FIShellFolder about its items' icons, types and paths.
  fm::FolderDetails FDetails;
  std::function<bool(const std::wstring&)> FFileExists = fm::FileExists;
  std::function<fm::ComPtr<IShellFolder>(IShellFolder&, LPCITEMIDLIST)> FBindToFolder =
      [](IShellFolder& desktop, LPCITEMIDLIST pidl) { return fm::BindToFolder(desktop, pidl); };
  std::function<fm::FinalPath(const std::wstring&)> FFinalPath = fm::GetFinalPath;
  // RowNamesFile's answers in the paint under way, by row; dropped when a paint begins.
  std::unordered_map<std::int32_t, bool> FRowNamesFile;
  fm::ComPtr<IShellFolder> FIDesktopFolder;
  std::uint64_t FFiles = 0;
  std::uint64_t FFolders = 0;
  std::uint64_t FAllSize = 0;
  std::wstring FPath;
  bool FLeftIsVolume = false;
  // The outcome of the last label edit, until it is shown.
  std::optional<std::wstring> FLabelResult;
};

}  // namespace MainUnit
