// The real main window under Wine: its design, its item list and its closing.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "MainWindowFixture.h"
#include "Version.h"
#include "core/Error.h"
#include "core/PathText.h"
#include "platform/Shell.h"

namespace {

using fm::ui::TControl;

using MainWindow = fm::test::MainWindowTest;

TEST_F(MainWindow, HasTheDesignedClientSizeAndIsCentred) {
  RECT client;
  GetClientRect(main_->Handle(), &client);
  EXPECT_EQ(client.right, 1429);
  EXPECT_EQ(client.bottom, 863);
  RECT window;
  GetWindowRect(main_->Handle(), &window);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);
  EXPECT_TRUE(IsWindowVisible(main_->Handle()));
}

TEST_F(MainWindow, CaptionAndTitleComeFromTheProgramsOwnVersionResource) {
  // The test program carries the version resource of Foldmere.exe.
  EXPECT_EQ(fm::ui::Application().Title(), L"Foldmere x64 v" FOLDMERE_VERSION_TEXT);
  EXPECT_EQ(main_->Caption(), L"Foldmere x64 v" FOLDMERE_VERSION_TEXT L" \u00A9 Foldmere developers");
  wchar_t shown[256] = {};
  GetWindowTextW(main_->Handle(), shown, 256);
  EXPECT_EQ(std::wstring(shown), main_->Caption());
}

TEST_F(MainWindow, BandsLieInTheirOrderWithTheirHeights) {
  struct Band {
    const wchar_t* name;
    int top;
    int height;
  };
  const Band bands[] = {{L"DrivePanel", 0, 30},   {L"PathPanel", 30, 31},   {L"ViewPanel", 61, 729},
                        {L"CMDPanel", 790, 18},   {L"StatusPanel", 808, 18}, {L"BTN_Panel", 826, 37}};
  for (const Band& band : bands) {
    SCOPED_TRACE(testing::Message() << std::string(band.name, band.name + wcslen(band.name)));
    const RECT rect = ClientBounds(Child(band.name));
    EXPECT_EQ(rect.top, band.top);
    EXPECT_EQ(rect.bottom - rect.top, band.height);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 1429);
  }
}

TEST_F(MainWindow, ControlsHaveTheirWidthsAndPlaces) {
  // The left pane keeps half of the window: (1429 - 13) / 2 = 708.
  struct Expected {
    const wchar_t* name;
    int left;
    int width;
  };
  const Expected expected[] = {
      {L"DrivesLeft", 2, 708},    {L"DrivesRight", 710, 1429 - 2 - 710},
      {L"cbLeftPath", 1, 662},    {L"LeftUpIcon", 664, 28},
      {L"BtnLeftRoot", 692, 17},  {L"BtnRightRoot", 1429 - 17, 17},
      {L"RightUpIcon", 1429 - 17 - 28, 28},
      {L"LeftView", 0, 708},      {L"RightView", 708, 1429 - 708},
      {L"currentPath", 0, 698},   {L"CheckBox1", 698, 18},
      {L"StatusLeft", 0, 708},    {L"StatusRight", 708, 1429 - 708},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(testing::Message() << std::string(e.name, e.name + wcslen(e.name)));
    const TControl& control = Child(e.name);
    EXPECT_EQ(control.Left(), e.left);
    EXPECT_EQ(control.Width(), e.width);
  }
  EXPECT_EQ(Child(L"cbRightPath").Left(), 692 + 17 + 1);
  EXPECT_EQ(Child(L"BtnLeftRoot").Height(), 31 - 2);
  EXPECT_EQ(Child(L"BtnRightRoot").Height(), 31 - 5);
  EXPECT_EQ(Child(L"cbLeftPath").Top(), 3);

  auto& back = *Child<MainUnit::TToolBar>(L"LeftUpIcon").FindButton(L"BtnLeftBack");
  const RECT button = back.BoundsRect();
  EXPECT_EQ(button.right - button.left, 28);
  EXPECT_EQ(button.bottom - button.top, 27);
  EXPECT_EQ(back.ImageIndex(), 0);
  EXPECT_TRUE(Child<MainUnit::TToolBar>(L"RightUpIcon").FindButton(L"BtnRightBack"));
}

TEST_F(MainWindow, FunctionKeyButtonsShareTheBottomBand) {
  struct Key {
    const wchar_t* name;
    const wchar_t* caption;
    bool enabled;
  };
  const Key keys[] = {{L"BTN_F03", L"F3 - View", false},       {L"BTN_F04", L"F4 - Edit", true},
                      {L"BTN_F05", L"F5 - Copy", true},        {L"BTN_F06", L"F6 - Move", true},
                      {L"BTN_F07", L"F7 - New Folder", true},  {L"BTN_F08", L"F8 - Delete", true},
                      {L"BTN_F09", L"F9 - Property", true},    {L"BTN_F10", L"F10 - Refresh", true}};
  // An eighth of the window's outer width each, less 3.
  RECT window;
  GetWindowRect(main_->Handle(), &window);
  const int width = (window.right - window.left) / 8 - 3;
  int left = 0;
  for (const Key& key : keys) {
    SCOPED_TRACE(testing::Message() << std::string(key.name, key.name + wcslen(key.name)));
    auto& button = Child<MainUnit::TSpeedButton>(key.name);
    EXPECT_EQ(button.Text(), key.caption);
    EXPECT_EQ(button.Enabled(), key.enabled);
    EXPECT_EQ(button.Width(), width);
    EXPECT_EQ(button.Height(), 35);
    EXPECT_EQ(button.Left(), left);
    left += width + 1;
  }
  auto& f9 = Child<MainUnit::TSpeedButton>(L"BTN_F09");
  EXPECT_EQ(f9.Hint(), L"Open object properties.");
  EXPECT_TRUE(f9.ShowHint());
  EXPECT_TRUE(f9.HasGlyph());
}

TEST_F(MainWindow, BoxesAndListsAreDarkBlueWithLightCyanText) {
  for (const wchar_t* name : {L"DrivesLeft", L"DrivesRight", L"cbLeftPath", L"cbRightPath", L"LeftView", L"RightView"}) {
    SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
    const TControl& control = Child(name);
    EXPECT_EQ(control.Color(), 0x00804000u);
    EXPECT_EQ(control.Font().Color(), 0x00FFFF80u);
  }
  for (const wchar_t* name : {L"DrivesLeft", L"DrivesRight", L"cbLeftPath", L"cbRightPath"}) {
    EXPECT_FALSE(Child(name).TabStop());
  }
  // The list controls themselves hold the text colour; each list gives up its background
  // colour at every paint and is erased with the control's colour instead.
  for (const wchar_t* name : {L"LeftView", L"RightView"}) {
    SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
    HWND list = Child(name).Handle();
    UpdateWindow(list);
    EXPECT_EQ(ListView_GetTextColor(list), RGB(128, 255, 255));
    EXPECT_EQ(ListView_GetBkColor(list), CLR_NONE);
    RECT client;
    GetClientRect(list, &client);
    EXPECT_EQ(fm::test::Capture(list).Pixel(client.right / 2, client.bottom - 5), RGB(0, 64, 128));
  }
  // A drop-down list shows its field and its lines in the box's colours.
  HWND drives = Child(L"DrivesLeft").Handle();
  HDC dc = GetDC(drives);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(drives), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(drives)));
  EXPECT_EQ(GetTextColor(dc), RGB(128, 255, 255));
  ReleaseDC(drives, dc);
  LOGBRUSH logBrush{};
  ASSERT_TRUE(GetObjectW(brush, sizeof(logBrush), &logBrush));
  EXPECT_EQ(logBrush.lbColor, RGB(0, 64, 128));
}

TEST_F(MainWindow, BoxesHaveTheirStyles) {
  auto style = [&](const wchar_t* name) { return GetWindowLongW(Child(name).Handle(), GWL_STYLE); };
  EXPECT_EQ(style(L"DrivesLeft") & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(style(L"DrivesRight") & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(style(L"cbLeftPath") & 3, CBS_DROPDOWN);
  EXPECT_EQ(style(L"cbRightPath") & 3, CBS_DROPDOWN);
  EXPECT_EQ(SendMessageW(Child(L"DrivesLeft").Handle(), CB_GETMINVISIBLE, 0, 0), 27);
  EXPECT_TRUE(Child<MainUnit::TComboBox>(L"cbLeftPath").AutoDropDown);
  EXPECT_EQ(Child(L"cbLeftPath").Margins().Top, 3);

  auto& check = Child<MainUnit::TCheckBox>(L"CheckBox1");
  EXPECT_TRUE(check.Checked());
  EXPECT_FALSE(check.Enabled());
  EXPECT_FALSE(check.TabStop());
  EXPECT_EQ(style(L"currentPath") & SS_TYPEMASK, SS_CENTER);
  EXPECT_EQ(Child(L"BtnLeftRoot").Text(), L"\\");
}

TEST_F(MainWindow, EveryControlUsesTahomaEightPoint) {
  for (const wchar_t* name : {L"DrivesLeft", L"cbLeftPath", L"LeftView", L"StatusLeft", L"BTN_F09", L"Exec_CMD"}) {
    SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
    auto font = reinterpret_cast<HFONT>(SendMessageW(Child(name).Handle(), WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    ASSERT_TRUE(GetObjectW(font, sizeof(logFont), &logFont));
    EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
    EXPECT_EQ(logFont.lfHeight, -11);
    EXPECT_EQ(logFont.lfQuality, CLEARTYPE_NATURAL_QUALITY);
  }
}

TEST_F(MainWindow, ListsHaveTheirColumnsAndModes) {
  struct Column {
    const wchar_t* caption;
    int format;
  };
  const Column left[] = {{L"Name", LVCFMT_LEFT},
                         {L"Size", LVCFMT_RIGHT},
                         {L"Type", LVCFMT_RIGHT},
                         {L"Modified", LVCFMT_CENTER},
                         {L"Attr.", LVCFMT_CENTER}};
  const Column right[] = {{L"Name", LVCFMT_LEFT},
                          {L"Size", LVCFMT_RIGHT},
                          {L"Type", LVCFMT_LEFT},
                          {L"Modified", LVCFMT_LEFT},
                          {L"Attr.", LVCFMT_RIGHT}};
  auto check = [&](const wchar_t* name, const Column (&columns)[5]) {
    auto& list = Child<MainUnit::TListView>(name);
    ASSERT_EQ(list.ColumnCount(), 5);
    for (int i = 0; i < 5; ++i) {
      SCOPED_TRACE(i);
      wchar_t text[64] = {};
      LVCOLUMNW lvc{};
      lvc.mask = LVCF_TEXT | LVCF_FMT;
      lvc.pszText = text;
      lvc.cchTextMax = 64;
      ASSERT_TRUE(ListView_GetColumn(list.Handle(), i, &lvc));
      EXPECT_STREQ(text, columns[i].caption);
      EXPECT_EQ(lvc.fmt & LVCFMT_JUSTIFYMASK, columns[i].format);
    }
    const LONG style = GetWindowLongW(list.Handle(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_OWNERDATA);
    EXPECT_TRUE(style & LVS_NOSORTHEADER);
    // Several rows at once, captions edited in place (drive labels), tips shown.
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_EDITLABELS);
    EXPECT_TRUE(list.ShowHint());
    const DWORD ex = ListView_GetExtendedListViewStyle(list.Handle());
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(ex & LVS_EX_FLATSB);
  };
  check(L"LeftView", left);
  check(L"RightView", right);
  EXPECT_EQ(GetFocus(), Child(L"LeftView").Handle());
}

TEST_F(MainWindow, ColumnsKeepTheirWidthsOrStayWithinTheirBounds) {
  // The columns as the lists show them: at the design size every bounded column is at
  // its maximum and Name has the rest; in a narrow window each is at its minimum.
  const int kRest = -1;
  const struct {
    int clientWidth;
    const wchar_t* list;
    int widths[5];
  } cases[] = {
      {1429, L"LeftView", {kRest, 75, 150, 120, 45}},
      {1429, L"RightView", {kRest, 80, 150, 120, 35}},
      {300, L"LeftView", {50, 75, 40, 70, 45}},
      {300, L"RightView", {50, 40, 40, 0, 35}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.clientWidth << " " << std::string(c.list, c.list + wcslen(c.list)));
    main_->SetClientSize(c.clientWidth, 863);
    fm::test::PumpPending();
    HWND list = Child(c.list).Handle();
    RECT client;
    GetClientRect(list, &client);
    int total = 0;
    for (int i = 0; i < 5; ++i) {
      const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
      total += width;
      if (c.widths[i] != kRest) {
        EXPECT_EQ(width, c.widths[i]) << "column " << i;
      }
    }
    // Name takes what the others leave of the list's width.
    if (c.widths[0] == kRest) {
      EXPECT_EQ(total, client.right);
    }
  }
}

TEST_F(MainWindow, StatusBarsHaveTheirDesignPanels) {
  // Each bar's texts are the totals of its pane's folder from the start on, then the rows
  // selected. The bars' own parts: each panel ends 100 further right, the last at the
  // bar's end.
  auto parts = [&](const wchar_t* name) {
    HWND bar = Child(name).Handle();
    std::vector<int> edges(static_cast<size_t>(SendMessageW(bar, SB_GETPARTS, 0, 0)));
    SendMessageW(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    return edges;
  };
  for (const wchar_t* name : {L"StatusLeft", L"StatusRight"}) {
    SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
    EXPECT_EQ(parts(name), (std::vector<int>{100, 200, 300, -1}));
    auto& bar = Child<MainUnit::TStatusBar>(name);
    EXPECT_EQ(bar.PanelText(1).rfind(L"Files: ", 0), 0u);
    EXPECT_EQ(bar.PanelText(2).rfind(L"Size: ", 0), 0u);
    EXPECT_EQ(bar.PanelText(3), L"");
  }
}

TEST_F(MainWindow, MenuHasItsCaptionsAndAltF4OnExit) {
  HMENU bar = GetMenu(main_->Handle());
  ASSERT_TRUE(bar);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  wchar_t text[64];
  GetMenuStringW(bar, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&File");
  GetMenuStringW(bar, 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&Help");
  GetMenuStringW(GetSubMenu(bar, 0), 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&Exit\tAlt+F4");
  GetMenuStringW(GetSubMenu(bar, 1), 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&About");
  EXPECT_EQ(main_->Menu()->FindItem(L"mmExit")->ShortCut(), 32883);
}

TEST_F(MainWindow, ClearLeftItemsReleasesEveryItemIdListOnce) {
  auto desktop = fm::DesktopFolder();
  main_->ClearLeftItems();
  const auto listsBefore = fm::LiveItemIdLists();
  const auto entriesBefore = MainUnit::TLeftShellItem::Live();
  for (const wchar_t* path : {L"C:\\windows", L"C:\\windows\\system32", L"C:\\users"}) {
    const fm::ItemIdList list = fm::ParseDisplayName(*desktop, nullptr, path);
    main_->AppendLeftItem(MainUnit::TLeftShellItem(list.Get(), fm::FileNamePart(path), L"", path, {}));
    // The entry keeps a list of its own; the shell's is freed here.
    const LPCITEMIDLIST kept = main_->GetLeftItem(main_->LeftItemCount() - 1)->ID();
    ASSERT_EQ(fm::ItemIDListSize(kept), fm::ItemIDListSize(list.Get()));
    EXPECT_EQ(std::memcmp(kept, list.Get(), static_cast<size_t>(fm::ItemIDListSize(kept))), 0);
  }
  // An entry of nothing holds no list.
  main_->AppendLeftItem(MainUnit::TLeftShellItem());
  ASSERT_EQ(main_->LeftItemCount(), 4);
  EXPECT_EQ(fm::LiveItemIdLists(), listsBefore);
  EXPECT_EQ(MainUnit::TLeftShellItem::Live() - entriesBefore, 3);
  EXPECT_EQ(main_->GetLeftItem(3)->ID(), nullptr);
  EXPECT_EQ(main_->GetLeftItem(3)->FullPath(), L"");

  main_->ClearLeftItems();
  EXPECT_EQ(main_->LeftItemCount(), 0);
  EXPECT_EQ(fm::LiveItemIdLists(), listsBefore);
  EXPECT_EQ(MainUnit::TLeftShellItem::Live(), entriesBefore);
}

TEST_F(MainWindow, GetLeftItemOutsideTheListRaisesTheIndexError) {
  const int count = main_->LeftItemCount();
  for (int index : {-1, count, count + 5}) {
    try {
      main_->GetLeftItem(index);
      ADD_FAILURE() << "no error for index " << index;
    } catch (const fm::Error& error) {
      EXPECT_EQ(error.Text(), L"List index out of bounds (" + std::to_wstring(index) + L")");
    }
  }
}

class Closing : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    auto original = main_->OnClose;
    main_->OnClose = [this, original](fm::ui::TCloseAction& action) {
      ++closeCount_;
      original(action);
    };
  }
  int closeCount_ = 0;
};

TEST_F(Closing, ExitRunsTheShutdownSequenceOnce) {
  const UINT command = main_->Menu()->FindItem(L"mmExit")->Command();
  PostMessageW(main_->Handle(), WM_COMMAND, command, 0);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return main_->Closed(); }));
  fm::test::PumpPending();
  EXPECT_EQ(closeCount_, 1);
  EXPECT_FALSE(main_->HasItemList());
  EXPECT_FALSE(IsWindowVisible(main_->Handle()));
  EXPECT_TRUE(fm::test::TakeQuitRequest());
}

TEST_F(Closing, AltF4RunsTheShutdownSequenceOnce) {
  // Alt+F4 as the keyboard delivers it to the focused list: a system key with Alt held.
  HWND list = GetFocus();
  ASSERT_TRUE(list);
  PostMessageW(list, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
  PostMessageW(list, WM_SYSKEYUP, VK_F4, 1 | (1 << 29) | (1u << 30) | (1u << 31));
  ASSERT_TRUE(fm::test::PumpUntil([&] { return main_->Closed(); }));
  fm::test::PumpPending();
  EXPECT_EQ(closeCount_, 1);
  EXPECT_FALSE(main_->HasItemList());
  EXPECT_TRUE(fm::test::TakeQuitRequest());
}

TEST_F(MainWindow, AnErrorInAnEventHandlerShowsTheErrorBoxAndTheProgramGoesOn) {
  auto& f9 = Child<MainUnit::TSpeedButton>(L"BTN_F09");
  // Two clicks in a row, faster than the button's wait period would let them.
  f9.SetEnableClickWaitPeriod(false);
  int clicks = 0;
  f9.OnClick = [&] {
    ++clicks;
    throw fm::Error(L"The handler failed");
  };
  {
    fm::test::ModalWatcher watcher;
    SendMessageW(f9.Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }));
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    // The error box is captioned with the title the start-up made.
    EXPECT_EQ(boxes[0].caption, L"Foldmere x64 v" FOLDMERE_VERSION_TEXT);
    EXPECT_EQ(boxes[0].text, L"The handler failed.");
    EXPECT_TRUE(boxes[0].stopIcon);
  }
  // The window goes on: it is there and handles the next click.
  EXPECT_TRUE(IsWindowVisible(main_->Handle()));
  f9.OnClick = [&] { ++clicks; };
  SendMessageW(f9.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
}

// The window goes before the members its handlers use: removing the menu of a visible
// window resizes it, and the resize lays out controls the window keeps in its members.
TEST_F(MainWindow, AVisibleWindowIsDestroyedBeforeItsMembers) {
  const HWND window = main_->Handle();
  ASSERT_TRUE(IsWindowVisible(window));
  const fm::test::DebugHeapChecks checks;
  main_.reset();
  EXPECT_EQ(checks.AccessFaults(), 0);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
