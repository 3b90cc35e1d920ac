// The design of the main window: bands, controls, captions, sizes, colours and fonts.
// Sizes are at 96 dots per inch.
#include "MainUnit.h"
#include "Pictures.h"
#include "ResourceIds.h"

namespace MainUnit {

namespace {

using fm::ui::TAlign;
using fm::ui::TAlignment;
using fm::ui::TBevelCut;
using fm::ui::TBevelKind;
using fm::ui::TComboBoxStyle;
using fm::ui::TFont;
using fm::ui::TListColumn;
using fm::ui::TMargins;

constexpr fm::TColor kDarkBlue = 0x00804000;
constexpr fm::TColor kLightCyan = 0x00FFFF80;
constexpr fm::ui::TShortCut kAltF4 = 0x8073;

const TFont& DesignFont() {
  static const TFont font(L"Tahoma", -11, fm::ui::clWindowText);
  return font;
}

void Place(fm::ui::TControl& control, TAlign align, int width, int height) {
  control.SetDesignBounds(0, 0, width, height);
  control.SetAlign(align);
}

// Dark blue with light cyan text, as the drive boxes, path boxes and lists have it.
void PaintDarkBlue(fm::ui::TControl& control) {
  control.SetColor(kDarkBlue);
  TFont font = control.Font();
  font.SetColor(kLightCyan);
  control.SetFont(font);
}

TComboBox& DriveBox(TPanel& band, std::wstring name, TAlign align, int width) {
  auto& box = band.Add<TComboBox>(std::move(name), TComboBoxStyle::csDropDownList);
  Place(box, align, width, 21);
  box.SetDropDownCount(27);
  box.SetTabStop(false);
  PaintDarkBlue(box);
  return box;
}

TComboBox& PathBox(TPanel& band, std::wstring name, TAlign align, int width) {
  auto& box = band.Add<TComboBox>(std::move(name), TComboBoxStyle::csDropDown);
  Place(box, align, width, 21);
  box.AutoDropDown = true;
  box.SetTabStop(false);
  box.SetDoubleBuffered(true);
  PaintDarkBlue(box);
  box.SetMargins(TMargins{1, 3, 1, 1});
  return box;
}

TSpeedButton& RootButton(TPanel& band, std::wstring name, TAlign align, int bottomMargin) {
  auto& button = band.Add<TSpeedButton>(std::move(name), L"\\");
  Place(button, align, 17, 27);
  button.SetTabStop(false);
  button.SetMargins(TMargins{0, 0, 0, bottomMargin});
  return button;
}

TListView& FileList(TPanel& band, std::wstring name, TAlign align, int width,
                    std::vector<TListColumn> columns) {
  auto& list = band.Add<TListView>(std::move(name), std::move(columns));
  Place(list, align, width, 729);
  list.SetDoubleBuffered(true);
  PaintDarkBlue(list);
  return list;
}

}  // namespace

void TMain::CreateDesign() {
  SetColor(fm::ui::clBtnFace);
  SetFont(DesignFont());
  SetDoubleBuffered(true);
  SetIcon(IDI_MAINICON);

  MainMenu = &CreateMainMenu<TMainMenu>(L"MainMenu");
  mmFile = &MainMenu->Add<TMenuItem>(L"mmFile", L"&File");
  mmExit = &mmFile->Add<TMenuItem>(L"mmExit", L"&Exit");
  mmExit->SetShortCut(kAltF4);
  mmHelp = &MainMenu->Add<TMenuItem>(L"mmHelp", L"&Help");
  mnuAbout = &mmHelp->Add<TMenuItem>(L"mnuAbout", L"&About");

  // Shared by the tool bars that draw with it.
  const auto backArrow = std::make_shared<TImageList>(fm::pictures::kBackArrow, Dpi());

  DrivePanel = &Add<TPanel>(L"DrivePanel");
  Place(*DrivePanel, TAlign::alTop, 1429, 30);
  DrivePanel->SetBevels(TBevelCut::bvNone, TBevelCut::bvLowered, TBevelKind::bkSoft);
  DrivesLeft = &DriveBox(*DrivePanel, L"DrivesLeft", TAlign::alLeft, 326);
  DrivesRight = &DriveBox(*DrivePanel, L"DrivesRight", TAlign::alClient, 1097);

  PathPanel = &Add<TPanel>(L"PathPanel");
  Place(*PathPanel, TAlign::alTop, 1429, 31);
  cbLeftPath = &PathBox(*PathPanel, L"cbLeftPath", TAlign::alLeft, 282);
  LeftUpIcon = &PathPanel->Add<TToolBar>(L"LeftUpIcon", backArrow, 28, 27);
  Place(*LeftUpIcon, TAlign::alLeft, 28, 27);
  BtnLeftBack = &LeftUpIcon->AddButton<TToolButton>(L"BtnLeftBack", 0);
  BtnLeftRoot = &RootButton(*PathPanel, L"BtnLeftRoot", TAlign::alLeft, 2);
  cbRightPath = &PathBox(*PathPanel, L"cbRightPath", TAlign::alClient, 1000);
  RightUpIcon = &PathPanel->Add<TToolBar>(L"RightUpIcon", backArrow, 28, 27);
  Place(*RightUpIcon, TAlign::alRight, 28, 27);
  BtnRightBack = &RightUpIcon->AddButton<TToolButton>(L"BtnRightBack", 0);
  BtnRightRoot = &RootButton(*PathPanel, L"BtnRightRoot", TAlign::alRight, 5);

  ViewPanel = &Add<TPanel>(L"ViewPanel");
  Place(*ViewPanel, TAlign::alClient, 1429, 729);
  LeftView = &FileList(*ViewPanel, L"LeftView", TAlign::alLeft, 329,
                       {{L"Name", TAlignment::taLeftJustify, 50, true, 50, 0},
                        {L"Size", TAlignment::taRightJustify, 75, false, 75, 75},
                        {L"Type", TAlignment::taRightJustify, 40, true, 40, 150},
                        {L"Modified", TAlignment::taCenter, 70, true, 70, 120},
                        {L"Attr.", TAlignment::taCenter, 45, false, 45, 45}});
  RightView = &FileList(*ViewPanel, L"RightView", TAlign::alClient, 1100,
                        {{L"Name", TAlignment::taLeftJustify, 50, true, 50, 0},
                         {L"Size", TAlignment::taRightJustify, 40, true, 40, 80},
                         {L"Type", TAlignment::taLeftJustify, 40, true, 40, 150},
                         {L"Modified", TAlignment::taLeftJustify, 50, true, 0, 120},
                         {L"Attr.", TAlignment::taRightJustify, 35, false, 35, 35}});
  for (TListView* list : {LeftView, RightView}) {
    list->SetShowHint(true);
    list->SetMultiSelect(true);
  }

  CMDPanel = &Add<TPanel>(L"CMDPanel");
  StatusPanel = &Add<TPanel>(L"StatusPanel");
  BTN_Panel = &Add<TPanel>(L"BTN_Panel");
  Place(*CMDPanel, TAlign::alBottom, 1429, 18);
  Place(*StatusPanel, TAlign::alBottom, 1429, 18);
  Place(*BTN_Panel, TAlign::alBottom, 1429, 37);

  currentPath = &CMDPanel->Add<TLabel>(L"currentPath", L"", fm::ui::TAlignment::taCenter);
  Place(*currentPath, TAlign::alLeft, 320, 18);
  CheckBox1 = &CMDPanel->Add<TCheckBox>(L"CheckBox1", L"");
  Place(*CheckBox1, TAlign::alLeft, 18, 18);
  CheckBox1->SetChecked(true);
  CheckBox1->SetEnabled(false);
  CheckBox1->SetTabStop(false);
  // The right pane's label sits at the right end, leaving the command box the middle.
  currentPathRight = &CMDPanel->Add<TLabel>(L"currentPathRight", L"", fm::ui::TAlignment::taCenter);
  Place(*currentPathRight, TAlign::alRight, 320, 18);
  Exec_CMD = &CMDPanel->Add<TEdit>(L"Exec_CMD");
  Place(*Exec_CMD, TAlign::alClient, 1000, 18);

  // Totals, then the rows selected at the right end.
  const std::vector<TStatusBar::Panel> statusPanels{
      {L"Folders: 0", 100}, {L"Files: 0", 100}, {L"Size: 0", 100}, {L"", 100}};
  StatusLeft = &StatusPanel->Add<TStatusBar>(L"StatusLeft", statusPanels);
  Place(*StatusLeft, TAlign::alLeft, 329, 18);
  StatusLeft->SetDoubleBuffered(true);
  StatusRight = &StatusPanel->Add<TStatusBar>(L"StatusRight", statusPanels);
  Place(*StatusRight, TAlign::alClient, 1100, 18);
  StatusRight->SetDoubleBuffered(true);

  struct FunctionKey {
    const wchar_t* name;
    const wchar_t* caption;
    int width;
    bool enabled;
  };
  static constexpr FunctionKey kFunctionKeys[] = {
      {L"BTN_F03", L"F3 - View", 80, false},          {L"BTN_F04", L"F4 - Edit", 80, true},
      {L"BTN_F05", L"F5 - Copy", 80, true},           {L"BTN_F06", L"F6 - Move", 80, true},
      {L"BTN_F07", L"F7 - New Folder", 80, true},     {L"BTN_F08", L"F8 - Delete", 80, true},
      {L"BTN_F09", L"F9 - Property", 120, true},      {L"BTN_F10", L"F10 - Refresh", 80, false}};
  for (const FunctionKey& key : kFunctionKeys) {
    auto& button = BTN_Panel->Add<TSpeedButton>(key.name, key.caption);
    Place(button, TAlign::alLeft, key.width, 35);
    button.SetMargins(TMargins{0, 1, 1, 1});
    button.SetTabStop(false);
    button.SetEnabled(key.enabled);
    FunctionKeyButtons.push_back(&button);
  }
  BTN_F04 = FunctionKeyButtons[1];
  BTN_F05 = FunctionKeyButtons[2];
  BTN_F06 = FunctionKeyButtons[3];
  BTN_F07 = FunctionKeyButtons[4];
  BTN_F08 = FunctionKeyButtons[5];
  BTN_F09 = FunctionKeyButtons[6];
  BTN_F09->SetHint(L"Open object properties.");
  BTN_F09->SetShowHint(true);
  BTN_F09->SetGlyph(fm::pictures::kPropertyGlyph);
  BTN_F10 = FunctionKeyButtons[7];
  BTN_F10->SetEnabled(true);

  SetActiveControl(LeftView);
}

}  // namespace MainUnit
