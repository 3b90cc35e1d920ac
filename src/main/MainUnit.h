// The main window and the state of the left pane. The class is implemented in one file
// per concern in this folder; its design (controls, sizes, colours) is built in
// resources/MainDesign.cpp.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/Vcl_Interceptors.h"
#include "platform/ComPtr.h"
#include "platform/ShellItemIdList.h"

namespace MainUnit {

using namespace Vcl_Interceptors;
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

 private:
  // The window design: every control with its place, size, colours and events.
  void CreateDesign();

  void FormCreate();
  void FormClose(TCloseAction& action);
  void FormResize();
  void mmExitClick();

  // The executable's own path, as the process was started.
  static std::wstring ExecutablePath();

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
  std::unique_ptr<TImageList> ToolbarImages;

  // State of the left pane.
  LPITEMIDLIST FPIDL = nullptr;
  std::optional<std::vector<std::unique_ptr<TLeftShellItem>>> FIDList;
  fm::ComPtr<IShellFolder> FIShellFolder;
  fm::ComPtr<IShellFolder> FIDesktopFolder;
  std::uint64_t FFiles = 0;
  std::uint64_t FFolders = 0;
  std::uint64_t FAllSize = 0;
  std::wstring FPath;
  bool FLeftIsVolume = false;
};

}  // namespace MainUnit
