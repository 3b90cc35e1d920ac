// The refined controls as the main window places them: the click wait of its buttons,
// the locked list headers, the Help menu on the right, the text boxes without a context
// menu, the window's creation parameters and the hint window's etched edge.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "MainWindowFixture.h"

namespace {

using MainUnit::TToolBar;

class RefinedControls : public fm::test::MainWindowTest {
 protected:
  MainUnit::TToolButton& Back() {
    return dynamic_cast<MainUnit::TToolButton&>(
        *Child<TToolBar>(L"LeftUpIcon").FindButton(L"BtnLeftBack"));
  }

  // Clicks a tool button as the mouse does.
  static void ClickTool(TToolBar& toolBar, const fm::ui::TToolButton& button) {
    const RECT rect = button.BoundsRect();
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(toolBar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(toolBar.Handle(), WM_LBUTTONUP, 0, at);
    fm::test::PumpPending();
  }

  static constexpr double kMs = 1.0 / 86'400'000.0;
};

TEST_F(RefinedControls, TwoClicksOnTheBackButtonWithinASecondGoBackOnceAndBeepOnce) {
  main_->BrowseToPath(L"C:\\windows\\system32");
  auto& back = Back();
  EXPECT_TRUE(back.EnableClickWaitPeriod());
  EXPECT_EQ(back.ClickWaitPeriod(), 1);
  // Time stands still unless the test moves it, from well after the button was made.
  fm::TDateTime now = Vcl_Interceptors::Now() + 5000 * kMs;
  back.SetClock([&] { return now; });
  int buttonBeeps = 0;
  back.SetBeep([&] { ++buttonBeeps; });
  auto& toolBar = Child<TToolBar>(L"LeftUpIcon");

  ClickTool(toolBar, back);
  EXPECT_EQ(main_->Path(), L"C:\\windows");
  now += 600 * kMs;
  ClickTool(toolBar, back);
  EXPECT_EQ(main_->Path(), L"C:\\windows");
  EXPECT_EQ(buttonBeeps, 1);
  // The swallowed click did not start a new wait: 1.1 s after the accepted one passes.
  now += 500 * kMs;
  ClickTool(toolBar, back);
  EXPECT_EQ(main_->Path(), L"C:\\");
  EXPECT_EQ(buttonBeeps, 1);
  // The window's own beep (nothing above the top) is another matter.
  EXPECT_EQ(beeps_, 0);
}

TEST_F(RefinedControls, EveryButtonWaitsOnItsOwnHandlerOrNot) {
  // Right after the window was made, a click is too soon for every button.
  auto& rightRoot = Child<MainUnit::TSpeedButton>(L"BtnRightRoot");
  auto& leftRoot = Child<MainUnit::TSpeedButton>(L"BtnLeftRoot");
  int rightBeeps = 0;
  int leftBeeps = 0;
  rightRoot.SetBeep([&] { ++rightBeeps; });
  leftRoot.SetBeep([&] { ++leftBeeps; });
  // From the later button's making, however long the window took to come up.
  fm::TDateTime now = std::max(rightRoot.LastClickTime(), leftRoot.LastClickTime());
  rightRoot.SetClock([&] { return now; });
  leftRoot.SetClock([&] { return now; });
  main_->BrowseToPath(L"C:\\windows");
  SendMessageW(leftRoot.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(main_->Path(), L"C:\\windows");
  EXPECT_EQ(leftBeeps, 1);

  now += 1000 * kMs;
  SendMessageW(leftRoot.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(main_->Path(), L"C:\\");
  // A button without a handler keeps its wait too, apart from the other button's.
  SendMessageW(rightRoot.Handle(), BM_CLICK, 0, 0);
  SendMessageW(rightRoot.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(rightBeeps, 1);
  EXPECT_EQ(leftBeeps, 1);

  // Switched off, every click passes and nothing beeps.
  leftRoot.SetEnableClickWaitPeriod(false);
  main_->BrowseToPath(L"C:\\windows");
  SendMessageW(leftRoot.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(main_->Path(), L"C:\\");
  EXPECT_EQ(leftBeeps, 1);
}

TEST_F(RefinedControls, TheFileCommandButtonsKeepTheirWaitBetweenClicks) {
  // In the computer folder, where both panes start, each command answers at once: with
  // the window's beep, or with a plain box that the watcher closes.
  const fm::test::ModalWatcher boxes;
  struct Case {
    const wchar_t* name;
    bool box;
  } cases[] = {{L"BTN_F04", false}, {L"BTN_F05", true}, {L"BTN_F06", true}, {L"BTN_F07", true}, {L"BTN_F08", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    auto& button = Child<MainUnit::TSpeedButton>(c.name);
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.EnableClickWaitPeriod());
    EXPECT_EQ(button.ClickWaitPeriod(), 1);
    fm::TDateTime now = Vcl_Interceptors::Now() + 5000 * kMs;
    button.SetClock([&] { return now; });
    int buttonBeeps = 0;
    button.SetBeep([&] { ++buttonBeeps; });
    const int windowBeeps = beeps_;
    const size_t shown = boxes.Boxes().size();
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    fm::test::PumpPending();
    now += 600 * kMs;
    SendMessageW(button.Handle(), BM_CLICK, 0, 0);
    fm::test::PumpPending();
    // The second click came too soon: the button beeps and the command ran once.
    EXPECT_EQ(buttonBeeps, 1);
    EXPECT_EQ(boxes.Boxes().size() - shown, c.box ? 1u : 0u);
    EXPECT_EQ(beeps_ - windowBeeps, c.box ? 0 : 1);
  }
}

class LockedHeader : public RefinedControls {
 protected:
  RECT HeaderItem(int index) {
    RECT rect{};
    Header_GetItemRect(List().Header(), index, &rect);
    return rect;
  }
  // Drags the divider after column index by dx, as the mouse does.
  void DragDivider(int index, int dx) {
    HWND header = List().Header();
    const RECT item = HeaderItem(index);
    const int y = (item.top + item.bottom) / 2;
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.right, y));
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(item.right + dx / 2, y));
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(item.right + dx, y));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(item.right + dx, y));
    ReleaseCapture();
    fm::test::PumpPending();
  }
  void DoubleClickDivider(int index) {
    HWND header = List().Header();
    const RECT item = HeaderItem(index);
    const LPARAM at = MAKELPARAM(item.right, (item.top + item.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
    SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
    ReleaseCapture();
    fm::test::PumpPending();
  }
};

TEST_F(LockedHeader, TheLeftListsDividersNeitherDragNorFitTheirColumn) {
  auto& list = List();
  EXPECT_TRUE(list.LockHeader());
  EXPECT_TRUE(Child<MainUnit::TListView>(L"RightView").LockHeader());
  // Switched on once more, the lock still lets every other message through once.
  list.SetLockHeader(true);
  // The drags make columns narrower: a wider one would bring a scroll bar, and the
  // list's auto-size columns fill the new client width again.
  const int name = list.ColumnWidth(0);
  const int size = list.ColumnWidth(1);
  DragDivider(0, -40);
  EXPECT_EQ(list.ColumnWidth(0), name);
  DragDivider(1, -30);
  EXPECT_EQ(list.ColumnWidth(1), size);
  DoubleClickDivider(0);
  EXPECT_EQ(list.ColumnWidth(0), name);

  // Inside the list the two wide notifications are answered "no"; the narrow forms and
  // the header's other messages reach the list, so widths the program sets apply.
  auto notify = [&](UINT code) {
    NMHEADERW header{};
    header.hdr = NMHDR{list.Header(), static_cast<UINT_PTR>(GetDlgCtrlID(list.Header())), code};
    header.iItem = 0;
    return SendMessageW(list.Handle(), WM_NOTIFY, header.hdr.idFrom,
                        reinterpret_cast<LPARAM>(&header));
  };
  EXPECT_EQ(notify(HDN_BEGINTRACKW), 1);
  EXPECT_EQ(notify(HDN_DIVIDERDBLCLICKW), 1);
  EXPECT_EQ(notify(HDN_BEGINTRACKA), 0);
  EXPECT_EQ(list.ColumnWidth(0), name);
  ListView_SetColumnWidth(list.Handle(), 0, name - 10);
  EXPECT_EQ(list.ColumnWidth(0), name - 10);
  EXPECT_EQ(HeaderItem(0).right - HeaderItem(0).left, name - 10);
  EXPECT_GT(list.ItemCount(), 0);
  EXPECT_EQ(list.ItemData(0).Caption, main_->GetLeftItem(0)->DisplayName());

  // Unlocked, the user resizes as before.
  list.SetLockHeader(false);
  EXPECT_EQ(notify(HDN_BEGINTRACKW), 0);
  DragDivider(0, -40);
  EXPECT_EQ(list.ColumnWidth(0), name - 50);
  DoubleClickDivider(0);
  EXPECT_NE(list.ColumnWidth(0), name - 50);
}

TEST_F(RefinedControls, TheHelpMenuSitsRightWithItsCaption) {
  HMENU bar = GetMenu(main_->Handle());
  ASSERT_NE(bar, nullptr);
  auto item = [&](const wchar_t* name) -> MainUnit::TMenuItem& {
    return dynamic_cast<MainUnit::TMenuItem&>(*main_->Menu()->FindItem(name));
  };
  auto type = [&](const MainUnit::TMenuItem& menuItem, std::wstring& caption) {
    wchar_t text[80] = {};
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 80;
    EXPECT_TRUE(GetMenuItemInfoW(bar, menuItem.Command(), FALSE, &info));
    caption = text;
    return info.fType;
  };
  auto& help = item(L"mmHelp");
  auto& file = item(L"mmFile");
  std::wstring caption;
  EXPECT_TRUE(help.alRight());
  EXPECT_TRUE(type(help, caption) & MFT_RIGHTJUSTIFY);
  EXPECT_EQ(caption, L"&Help");
  EXPECT_FALSE(type(file, caption) & MFT_RIGHTJUSTIFY);
  // The Help menu still opens its About item.
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);

  help.SetalRight(false);
  EXPECT_FALSE(help.alRight());
  EXPECT_FALSE(type(help, caption) & MFT_RIGHTJUSTIFY);
  EXPECT_EQ(caption, L"&Help");

  // From the menu's side the item's own property stays as it was.
  auto& menu = dynamic_cast<MainUnit::TMainMenu&>(*main_->Menu());
  EXPECT_TRUE(menu.AlignItem(&help, true));
  EXPECT_TRUE(type(help, caption) & MFT_RIGHTJUSTIFY);
  EXPECT_EQ(caption, L"&Help");
  EXPECT_FALSE(help.alRight());
  EXPECT_FALSE(menu.AlignItem(nullptr, true));

  // An item in no menu has no bar to sit in.
  MainUnit::TMenuItem loose(nullptr, L"loose", L"&Loose");
  loose.SetalRight(true);
  EXPECT_FALSE(loose.alRight());
}

TEST_F(RefinedControls, SittingRightKeepsALongCaptionWhole) {
  HMENU bar = GetMenu(main_->Handle());
  ASSERT_NE(bar, nullptr);
  auto& help = dynamic_cast<MainUnit::TMenuItem&>(*main_->Menu()->FindItem(L"mmHelp"));
  std::wstring longCaption = L"&Help";
  while (longCaption.size() < 200) longCaption += L" and more";
  MENUITEMINFOW info{sizeof(info)};
  info.fMask = MIIM_STRING;
  info.dwTypeData = longCaption.data();
  ASSERT_TRUE(SetMenuItemInfoW(bar, help.Command(), FALSE, &info));
  for (bool right : {false, true}) {
    help.SetalRight(right);
    wchar_t text[512] = {};
    ASSERT_GT(GetMenuStringW(bar, help.Command(), text, 512, MF_BYCOMMAND), 0);
    EXPECT_EQ(text, longCaption);
  }
}

// Whether a menu came up while message ran; one that did is closed again.
bool ShowsAMenu(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static bool seen;
  seen = false;
  // The menu's own loop runs this timer; outside a menu it never gets the chance.
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) -> BOOL {
          wchar_t name[16] = {};
          GetClassNameW(w, name, 16);
          if (std::wstring(name) == L"#32768" && IsWindowVisible(w)) seen = true;
          return TRUE;
        },
        0);
    EndMenu();
  });
  SendMessageW(window, message, wParam, lParam);
  KillTimer(nullptr, timer);
  fm::test::PumpPending();
  return seen;
}

TEST_F(RefinedControls, ARightClickOnTheTextBoxesShowsNoMenu) {
  auto& path = Child<MainUnit::TComboBox>(L"cbLeftPath");
  auto& command = Child<MainUnit::TEdit>(L"Exec_CMD");
  COMBOBOXINFO info{sizeof(info)};
  ASSERT_TRUE(GetComboBoxInfo(path.Handle(), &info));
  // A right click ends in a context-menu request to the window under the pointer: the
  // path box's edit field, the drive box itself, the command box.
  struct Target {
    const char* name;
    HWND window;
  };
  const Target targets[] = {{"path box", info.hwndItem},
                            {"right path box", nullptr},
                            {"drive box", Child(L"DrivesLeft").Handle()},
                            {"command box", command.Handle()}};
  COMBOBOXINFO right{sizeof(right)};
  ASSERT_TRUE(GetComboBoxInfo(Child(L"cbRightPath").Handle(), &right));
  for (Target target : targets) {
    SCOPED_TRACE(target.name);
    if (!target.window) target.window = right.hwndItem;
    RECT rect;
    GetWindowRect(target.window, &rect);
    const LPARAM at = MAKELPARAM(rect.left + 5, rect.top + 5);
    EXPECT_FALSE(
        ShowsAMenu(target.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target.window), at));
    EXPECT_FALSE(ShowsAMenu(target.window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5)));
  }

  // Switched off, the system's edit menu is back.
  path.SetDisablePopupMenu(false);
  command.SetDisablePopupMenu(false);
  EXPECT_EQ(path.PopupMenu(), nullptr);
  EXPECT_TRUE(ShowsAMenu(info.hwndItem, WM_RBUTTONUP, 0, MAKELPARAM(5, 5)));
  EXPECT_TRUE(ShowsAMenu(command.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5)));
  command.SetDisablePopupMenu(true);
  EXPECT_FALSE(ShowsAMenu(command.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5)));
}

TEST_F(RefinedControls, ASuppressedBoxGivesBackTheMenuItHadBefore) {
  auto& command = Child<MainUnit::TEdit>(L"Exec_CMD");
  EXPECT_TRUE(command.DisablePopupMenu());
  fm::ui::TPopupMenu own(L"own");
  command.SetDisablePopupMenu(false);
  command.SetPopupMenu(&own);
  command.SetDisablePopupMenu(true);
  fm::ui::TPopupMenu* empty = command.PopupMenu();
  ASSERT_NE(empty, nullptr);
  EXPECT_NE(empty, &own);
  EXPECT_EQ(GetMenuItemCount(empty->Handle()), 0);
  // On twice: one empty menu in place, the original still remembered.
  command.SetDisablePopupMenu(true);
  EXPECT_NE(command.PopupMenu(), &own);
  EXPECT_EQ(GetMenuItemCount(command.PopupMenu()->Handle()), 0);
  command.SetDisablePopupMenu(false);
  EXPECT_EQ(command.PopupMenu(), &own);
  // The window goes while the menu it remembers is still there.
  main_.reset();
}

TEST_F(RefinedControls, TheMainWindowIsATopLevelWindowWithShadowAndEdges) {
  HWND window = main_->Handle();
  EXPECT_TRUE(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & (WS_EX_APPWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE),
            WS_EX_APPWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_TRUE(main_->EnableDropShadow());
  EXPECT_FALSE(main_->EnableGradient());

  main_->SetEnableDropShadow(false);
  EXPECT_FALSE(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW);
  EXPECT_TRUE(GetClassLongPtrW(window, GCL_STYLE) & CS_DBLCLKS);
  main_->SetEnableDropShadow(true);
  EXPECT_TRUE(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW);
}

TEST_F(RefinedControls, HintsShowWithAnEtchedEdge) {
  // Made after the main window, the hint window is the refined kind.
  ASSERT_TRUE(fm::ui::Application().HintWindowClass);
  auto made = fm::ui::Application().HintWindowClass();
  ASSERT_NE(dynamic_cast<Vcl_Interceptors::THintWindow*>(made.get()), nullptr);
  made.reset();

  // Wine's hint background is white like the window colour; a pale yellow one of the
  // test's own tells the edge's inner line from the background.
  const int infoBk = COLOR_INFOBK;
  const COLORREF infoBkBefore = GetSysColor(COLOR_INFOBK);
  const COLORREF paleYellow = RGB(255, 255, 200);
  ASSERT_TRUE(SetSysColors(1, &infoBk, &paleYellow));
  auto edgeOf = [](fm::ui::THintWindow& hint) {
    hint.ActivateHint(POINT{40, 40}, L"Open object properties.", 0);
    UpdateWindow(hint.Handle());
    fm::test::PumpPending();
    return fm::test::Capture(hint.Handle());
  };
  Vcl_Interceptors::THintWindow refined;
  const fm::test::Capture etched = edgeOf(refined);
  EXPECT_TRUE(GetClassLongPtrW(refined.Handle(), GCL_STYLE) & CS_DROPSHADOW);
  fm::ui::THintWindow plain;
  const fm::test::Capture black = edgeOf(plain);
  SetSysColors(1, &infoBk, &infoBkBefore);
  RECT client;
  GetClientRect(refined.Handle(), &client);
  // The plain frame is one black line. The etched one-dimensional edge is two: the
  // window frame's colour outside, the window colour inside it; then the hint's background.
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  const COLORREF inside = GetSysColor(COLOR_WINDOW);
  const COLORREF background = paleYellow;
  ASSERT_NE(inside, background);
  const int midX = client.right / 2;
  const int midY = client.bottom / 2;
  struct Probe {
    POINT edge;
    POINT in;
  };
  const Probe probes[] = {{{0, midY}, {1, 0}},
                          {{midX, 0}, {0, 1}},
                          {{client.right - 1, midY}, {-1, 0}},
                          {{midX, client.bottom - 1}, {0, -1}}};
  for (const Probe& p : probes) {
    SCOPED_TRACE(testing::Message() << p.edge.x << "," << p.edge.y);
    auto at = [&](int steps) {
      return POINT{p.edge.x + steps * p.in.x, p.edge.y + steps * p.in.y};
    };
    EXPECT_EQ(black.Pixel(at(0).x, at(0).y), RGB(0, 0, 0));
    EXPECT_EQ(black.Pixel(at(1).x, at(1).y), background);
    EXPECT_EQ(etched.Pixel(at(0).x, at(0).y), frame);
    EXPECT_EQ(etched.Pixel(at(1).x, at(1).y), inside);
    EXPECT_EQ(etched.Pixel(at(2).x, at(2).y), background);
  }
}

}  // namespace
