// One pane of the main window: the folder it shows, its entries and totals, and the
// behaviour of its list, drive box, path box, back and root buttons, label and status
// bar. The window owns one per side; each is bound to its own controls when it is made.
// The pane is implemented in one file per concern in this folder.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Entry.h"
#include "controls/Vcl_Interceptors.h"
#include "platform/ComPtr.h"
#include "core/RowMerge.h"
#include "platform/FinalPath.h"
#include "platform/FolderDetails.h"
#include "platform/FolderWatcher.h"
#include "platform/Shell.h"
#include "platform/ShellItemIdList.h"

namespace PaneUnit {

using namespace Vcl_Interceptors;
using fm::ui::TCanvas;
using fm::ui::TLabel;
using fm::ui::TStatusBar;

// Whether the shell browses Item, a list relative to Folder, as a folder.
bool IsFolderItem(IShellFolder& Folder, LPCITEMIDLIST Item);

// Gives header item Index of the list the image ImageIndex to the left of its caption.
void SetHeaderImage(TListView& ListView, int Index, int ImageIndex);

// The controls of one side of the window.
struct TPaneControls {
  TListView* View = nullptr;
  TComboBox* Drives = nullptr;
  TComboBox* PathBox = nullptr;
  TToolButton* BackButton = nullptr;
  TSpeedButton* RootButton = nullptr;
  TLabel* PathLabel = nullptr;
  TStatusBar* Status = nullptr;
};

class TPane;

// What a pane asks of the window that holds it: the window-wide things.
// The watches that keep the rows of a file-system folder true to it.
struct TFolderWatches {
  std::wstring Folder;  // empty: nothing watched
  fm::FolderWatch Items;
  // The folder's parent, for its names only: a folder renamed away tells nothing itself.
  fm::FolderWatch Parent;
};

class TPaneHost {
 public:
  // The window that owns the shell's menus and dialogs.
  virtual HWND OwnerWindow() const = 0;
  virtual void Beep() = 0;
  // Asks the shell to open FileName with its default action; given Item, an absolute list,
  // the shell opens that item instead of parsing a name.
  virtual bool LaunchFile(HWND OwnerWindow, const std::wstring& FileName, const std::wstring& Parameters,
                          const std::wstring& Directory, int ShowCommand, LPCITEMIDLIST Item = nullptr) = 0;
  // Asks the shell to carry out Verb on Item, an absolute list, through its context-menu
  // handlers.
  virtual bool ExecuteVerb(LPCITEMIDLIST Item, const std::wstring& Verb) = 0;
  // Shows Text in a plain message box once the event under way has ended.
  virtual void ShowMessageLater(std::wstring Text) = 0;
  // The path of a file a pane opened, for the command box to run again.
  virtual void ShowOpenedPath(const std::wstring& Path) = 0;
  virtual void LayoutPanes() = 0;
  // The pane's list, path box or drive box got the keyboard focus.
  virtual void PaneEntered(TPane& Pane) = 0;
  // Tab in the pane's list: the focus goes to the other pane's list.
  virtual void FocusOtherPane(TPane& Pane) = 0;
  // The one watcher of the folders both panes show.
  virtual fm::FolderWatcher& Watcher() = 0;
  // F10 in the pane's list: the active pane and the drive boxes are read again.
  virtual void Refresh() = 0;
  // An item of the pane's folder was renamed in place to NewName: the panes that show
  // the folder read it again once the edit has ended.
  virtual void RenamedInPlace(TPane& Pane, std::wstring NewName) = 0;

 protected:
  ~TPaneHost() = default;
};

class TPane {
 public:
  TPane(TPaneHost& Host, const TPaneControls& Controls);
  TPane(const TPane&) = delete;
  TPane& operator=(const TPane&) = delete;

  // The start: the desktop folder, also as the folder shown until the first navigation,
  // and an empty item list.
  void Start(fm::ComPtr<IShellFolder> DesktopFolder);
  // The system's image lists that the rows' icon indexes index; they belong to the system.
  void SetImageLists(HIMAGELIST Small, HIMAGELIST Large);
  // The end: every entry released, and the item list with them.
  void Close();

  // Entry index of the item list; an index outside it raises the list's index error.
  TLeftShellItem* GetItem(std::int32_t index);
  // Releases every entry and empties the item list.
  void ClearItems();
  void AppendItem(TLeftShellItem item);
  int ItemCount() const { return FIDList ? static_cast<int>(FIDList->size()) : 0; }
  // Whether the start came as far as making the item list.
  bool HasItemList() const { return FIDList.has_value(); }

  // Navigation: shows the folder of an absolute item ID list, which the pane keeps until
  // the window closes.
  void BrowseToPIDL(LPITEMIDLIST PIDL);
  // Shows the folder the desktop parses path into.
  void BrowseToPath(const std::wstring& Path);
  // Keeps a folder's item ID list until the window closes and hands out a pointer to it.
  LPITEMIDLIST KeepFolderIDList(fm::ItemIdList list);
  // Replaces the item list by the contents of Folder. The entries are read aside, then
  // the folder, its entries and what AlongWith sets are changed together; a read that
  // failed half-way commits what it read, then raises its error.
  void ReadFolder(fm::ComPtr<IShellFolder> Folder, const std::function<void()>& AlongWith = {});
  // Loads the details of the entries StartIndex to EndIndex that lack them.
  void FillItemDetails(std::int32_t StartIndex, std::int32_t EndIndex);
  // Reads the folder shown again whole; the selected rows, the focused row and the top
  // row stay on their items as far as those still exist.
  void Refresh();
  // Whether the watcher's watch Watch is one of this pane's.
  bool OwnsWatch(int Watch) const {
    return Watch != 0 && (Watch == FWatches.Items.Id() || Watch == FWatches.Parent.Id());
  }
  // The file-system folder whose changes the pane follows; empty when it follows none.
  const std::wstring& WatchedFolder() const { return FWatches.Folder; }
  // Brings the rows up to date with the changes a watch of the pane heard, keeping the
  // place as Refresh does; a folder that went leaves the pane at the nearest one above it.
  void FolderChanged(int Watch, const fm::FolderChanges& Changes);
  // Brings the rows up to date with changes the folder shown had, however they were heard.
  void ApplyFolderChanges(const fm::FolderChanges& Changes);
  // Selects the row captioned Name alone, focused and in view; false when there is none.
  bool SelectName(const std::wstring& Name);

  // The items the file operations act on, by their paths in the folder shown: the
  // selected rows, or the focused row when none is selected.
  std::vector<std::wstring> OperandPaths();
  // The path of the focused row's item in the folder shown; empty without one.
  std::wstring FocusedPath();
  // Edits the focused row's caption in place; Enter renames the item in its folder,
  // never onto a name that exists.
  void StartRename();

  const std::wstring& Path() const { return FPath; }
  std::uint64_t Files() const { return FFiles; }
  std::uint64_t Folders() const { return FFolders; }
  std::uint64_t AllSize() const { return FAllSize; }
  // The folder shown as a file system path; empty for a folder without one.
  const std::wstring& FileSystemFolder() const { return FFileSystemFolder; }
  TListView& ListView() const { return *View; }
  // The absolute item ID list of an entry of the shown folder, made anew each time.
  fm::ItemIdList AbsoluteIDList(const TLeftShellItem& item) const;

  // The active pane's label is drawn in the highlight colours, the other's in its own.
  void SetActive(bool Active);
  bool Active() const { return FActive; }

  // The menu of Handler, shown at X, Y of Control's client area with the extended verbs
  // or without; the command picked is carried out.
  void ShowShellContextMenu(fm::ui::TControl& Control, IContextMenu& Handler, int X, int Y, bool ExtendedVerbs);
  // How the pane reaches the namespace; a test may put a folder of its own in front.
  void SetDesktopFolder(fm::ComPtr<IShellFolder> desktop) { FIDesktopFolder = std::move(desktop); }
  // The shell's properties of the selected row's item; nothing without a selection.
  void ShowItemProperties();
  // How the pane binds an absolute item ID list to its folder; a test may hand out a
  // stand-in folder.
  void SetFolderBinding(std::function<fm::ComPtr<IShellFolder>(IShellFolder& Desktop, LPCITEMIDLIST PIDL)> bind) {
    FBindToFolder = std::move(bind);
  }
  // How the read asks for a path's final path; a test may answer for a network drive.
  void SetFinalPathQuery(std::function<fm::FinalPath(const std::wstring&)> query) { FFinalPath = std::move(query); }
  // How the rows test whether a path names an existing file; a test may count the tests.
  void SetFileExistsTest(std::function<bool(const std::wstring&)> test) { FFileExists = std::move(test); }
  // How the rows ask for a plain file's size; a test may count the queries.
  void SetFileSizeQuery(std::function<std::optional<std::uint64_t>(const std::wstring&)> query) {
    FPlainFileSize = std::move(query);
  }

 private:
  void WireEvents();

  void PathBoxKeyDown(WORD& Key, fm::ui::TShiftState Shift);
  void PathBoxClick();
  void DrivesChange();
  void RootButtonClick();
  void BackButtonClick();
  void ViewDataHint(std::int32_t StartIndex, std::int32_t EndIndex);
  void ViewData(fm::ui::TListItem& Item);
  void ViewDataFind(fm::ui::TItemFind Find, const std::wstring& FindString, POINT FindPosition, void* FindData,
                    std::int32_t StartIndex, fm::ui::TSearchDirection Direction, bool Wrap, int& Index);
  void ViewCustomDraw(const RECT& ARect, bool& DefaultDraw);
  void ViewCustomDrawItem(fm::ui::TListItem* Item, UINT State, bool& DefaultDraw);
  void ViewCustomDrawSubItem(fm::ui::TListItem* Item, int SubItem, UINT State, bool& DefaultDraw);
  void ViewInfoTip(fm::ui::TListItem& Item, std::wstring& InfoTip);
  void ViewDblClick();
  void ViewKeyDown(WORD& Key, fm::ui::TShiftState Shift);
  void ViewMouseDown(fm::ui::TMouseButton Button, fm::ui::TShiftState Shift, int X, int Y);
  void ViewEditing(fm::ui::TListItem& Item, bool& AllowEdit);
  void ViewEdited(fm::ui::TListItem& Item, std::wstring& S);
  void ViewSelectionChange();

  // The row the row commands act on: the focused row when it is selected, else the first
  // selected row; -1 without a selection.
  int CurrentRow() const;
  // Opens the entry of row index: enters a folder, hands anything else to the shell.
  void OpenItem(std::int32_t index);
  // The shell's menu of row Row (with the rest of the selection when Row is selected) at
  // X, Y of the list, or of the folder shown for no row.
  void ShowContextMenu(int Row, int X, int Y, bool ExtendedVerbs);
  // The menu of the focused row, placed at the row (the menu key, Shift+F10).
  void ShowFocusedContextMenu();
  fm::ComPtr<IContextMenu> RowsMenuHandler(int Row);
  // Null where the folder shown has no menu here.
  fm::ComPtr<IContextMenu> FolderMenuHandler();
  // Renames the item of row to NewName in the folder shown, or tells why not.
  void RenameRow(std::int32_t row, const std::wstring& NewName);
  // The item's path in the folder shown, as the folder parses it.
  std::wstring ParsingPath(const TLeftShellItem& item) const;
  // The drive root of row, a drive's row; empty for any other row.
  std::wstring DriveRootOf(std::int32_t row);
  // The count and size of the selected rows, in the status bar's last panel.
  void WriteSelection();
  // The bytes a selected entry adds to that size.
  std::uint64_t SelectedBytes(TLeftShellItem& Entry);
  // The entry of Item, an item of the folder shown, as the last read would have made it;
  // null for an item the pane does not list.
  std::optional<TLeftShellItem> ReadEntry(fm::ItemIdList Item);
  // Applies the changes of pending names one turn's time allows; asks for another turn
  // while some are left.
  void ApplyPendingNames();
  // Brings the rows of Names up to date: their entries leave, Added take their places.
  void ApplyNames(const std::vector<std::wstring>& Names, std::vector<TLeftShellItem> Added);
  // Forgets the names pending: a whole read shows what they changed.
  void DropPendingNames();
  // The list's selected, focused and top rows.
  fm::ListPosition Position() const;
  // Gives the list its new row count and the place that followed its rows there.
  void KeepPosition(const fm::ListPosition& Old, const std::vector<int>& OldToNew);
  // Watches Folder, a file-system directory; watches nothing for an empty one.
  TFolderWatches WatchFolder(const std::wstring& Folder);
  // The folder shown is gone: the nearest folder above it that exists, else the computer.
  void LeaveVanishedFolder();
  // Takes an entry's loaded details out of the totals.
  void UncountEntry(const TLeftShellItem& Entry);
  void WriteTotals(const wchar_t* foldersLabel);
  // Whether the path of entry row names an existing file: the cells and the colour of a
  // row ask it many times in one paint, the file system is asked once per paint.
  bool RowNamesFile(std::int32_t row);

  TPaneHost& Host;
  TListView* const View;
  TComboBox* const Drives;
  TComboBox* const PathBox;
  TToolButton* const BackButton;
  TSpeedButton* const RootButton;
  TLabel* const PathLabel;
  TStatusBar* const Status;

  LPITEMIDLIST FPIDL = nullptr;
  // The owner of FPIDL and of the lists attached to the path box's lines.
  std::vector<fm::ItemIdList> FFolderIDLists;
  // The entries themselves: a block of its own for each would cost a heap header apiece.
  std::optional<std::vector<TLeftShellItem>> FIDList;
  fm::ComPtr<IShellFolder> FIShellFolder;
  // Asks FIShellFolder about its items' icons, types and paths.
  fm::FolderDetails FDetails;
  std::function<bool(const std::wstring&)> FFileExists = fm::FileExists;
  std::function<std::optional<std::uint64_t>(const std::wstring&)> FPlainFileSize = fm::PlainFileSize;
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
  std::wstring FFileSystemFolder;
  // The path of the folder read and its final path, as its entries were read.
  std::wstring FFolderPath;
  std::optional<std::wstring> FFolderFinal;
  // Where the entries read lie, kept once for all of them.
  TSharedPath FEntryFolder;
  TFolderWatches FWatches;
  // Names changed that the rows do not show yet, in the order heard: a turn of the window
  // applies as many as its time allows, so that the window answers between turns.
  std::deque<std::wstring> FPendingNames;
  std::unordered_set<std::wstring> FPendingKnown;
  // When the shell first could not parse a name, by name.
  std::unordered_map<std::wstring, ULONGLONG> FParseRetries;
  bool FIsVolume = false;
  // A rename asked for by StartRename, until the list begins its edit; the edit under way
  // is a rename.
  bool FRenameAsked = false;
  bool FIsRename = false;
  bool FActive = false;
  // What the status bar's last panel says now.
  std::wstring FSelectionText;
  // The label's own colours, for the pane that is not active.
  fm::TColor FLabelColor;
  fm::TColor FLabelFontColor;
};

}  // namespace PaneUnit
