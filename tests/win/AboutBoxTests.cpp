// Help > About on the real main window: the box's texts, its window menu, the main
// window's Close command while it is open, and its gradient.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "Version.h"
#include "core/Error.h"
#include "helpers/VersionInfo.h"
#include "helpers/WindowMenu.h"
#include "platform/Handles.h"
#include "uAbout.h"

namespace {

// The commands of a window menu in their order, with their captions and states.
struct MenuEntry {
  UINT command;
  std::wstring caption;
  UINT state;
  bool operator==(const MenuEntry&) const = default;
};

std::vector<MenuEntry> WindowMenuOf(HWND window) {
  std::vector<MenuEntry> entries;
  HMENU menu = GetSystemMenu(window, FALSE);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const UINT command = GetMenuItemID(menu, i);
    wchar_t text[255] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
    entries.push_back(
        {command, text,
         GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)});
  }
  return entries;
}

bool HasCommand(HWND window, UINT command) {
  return GetMenuState(GetSystemMenu(window, FALSE), command, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

class AboutBox : public fm::test::MainWindowTest {
 protected:
  // Chooses Help > About and runs inspect on the open box, which is closed afterwards.
  void WhileOpen(std::function<void(uAbout::TfrmAbout&)> inspect) {
    static std::function<void()> tick;
    bool inspected = false;
    tick = [&] {
      HWND window = FindWindowW(L"FoldmereForm.frmAbout", nullptr);
      if (!window || !IsWindowVisible(window) || inspected) return;
      inspected = true;
      auto* box = dynamic_cast<uAbout::TfrmAbout*>(fm::ui::TControl::FromHandle(window));
      ASSERT_NE(box, nullptr);
      UpdateWindow(window);
      inspect(*box);
      PostMessageW(window, WM_CLOSE, 0, 0);
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { tick(); });
    const UINT command = main_->Menu()->FindItem(L"mnuAbout")->Command();
    SendMessageW(main_->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    KillTimer(nullptr, timer);
    tick = nullptr;
    EXPECT_TRUE(inspected);
    EXPECT_EQ(FindWindowW(L"FoldmereForm.frmAbout", nullptr), nullptr);
  }

  std::wstring Executable() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
  }
};

TEST_F(AboutBox, ShowsTheProgramsNameCopyrightAndVersionWithoutSizingCommands) {
  myHelper::TFileVersionInfo expected;
  myHelper::ReadFileVersionInfo(expected, Executable());
  ASSERT_EQ(expected.ProductName, L"Foldmere x64");
  const std::string version = FOLDMERE_VERSION_TEXT;
  ASSERT_EQ(expected.FileVersion, std::wstring(version.begin(), version.end()));
  const std::vector<MenuEntry> before = WindowMenuOf(main_->Handle());

  WhileOpen([&](uAbout::TfrmAbout& box) {
    EXPECT_EQ(box.Caption(), L"About Foldmere x64 " + expected.LegalCopyRight);
    auto caption = [&](const wchar_t* name) {
      return dynamic_cast<fm::ui::TPanel&>(*box.FindChild(name)).Caption();
    };
    EXPECT_EQ(caption(L"pnlName"), L"Foldmere x64");
    EXPECT_EQ(caption(L"pnlCopyright"), L"\u00A9 Foldmere developers");
    EXPECT_EQ(caption(L"pnlVersion"), expected.FileVersion);
    EXPECT_EQ(caption(L"pnlProductH"), L"Product");

    HWND window = box.Handle();
    for (UINT gone : {SC_MINIMIZE, SC_MAXIMIZE, SC_SIZE, SC_RESTORE})
      EXPECT_FALSE(HasCommand(window, gone)) << gone;
    EXPECT_TRUE(HasCommand(window, SC_CLOSE));
    EXPECT_TRUE(HasCommand(window, SC_MOVE));
    EXPECT_TRUE(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_APPWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_TOPMOST),
              WS_EX_APPWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 356);
    EXPECT_EQ(client.bottom, 257);

    // The main window waits, and its Close command is greyed in its place.
    EXPECT_FALSE(IsWindowEnabled(main_->Handle()));
    std::vector<MenuEntry> greyed = before;
    for (MenuEntry& entry : greyed) {
      if (entry.command == SC_CLOSE) entry.state = MF_GRAYED;
    }
    EXPECT_EQ(WindowMenuOf(main_->Handle()), greyed);
  });
  EXPECT_TRUE(IsWindowEnabled(main_->Handle()));
  EXPECT_EQ(WindowMenuOf(main_->Handle()), before);
  // The main window is the active one again, so that the keyboard reaches it.
  EXPECT_EQ(GetActiveWindow(), main_->Handle());
}

TEST_F(AboutBox, AGreyedCloseCommandIsTakenAwayAndComesBackLast) {
  HWND main = main_->Handle();
  HMENU menu = GetSystemMenu(main, FALSE);
  EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  std::vector<MenuEntry> before = WindowMenuOf(main);
  ASSERT_NE(before.back().command, SC_CLOSE) << "the test needs Close before other items";

  WhileOpen([&](uAbout::TfrmAbout&) { EXPECT_FALSE(HasCommand(main, SC_CLOSE)); });

  std::vector<MenuEntry> after = WindowMenuOf(main);
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(after.back().command, static_cast<UINT>(SC_CLOSE));
  std::wstring closeCaption;
  for (const MenuEntry& entry : before) {
    if (entry.command == SC_CLOSE) closeCaption = entry.caption;
  }
  EXPECT_EQ(after.back().caption, closeCaption);
  EXPECT_EQ(after.size(), before.size());
}

TEST_F(AboutBox, EachOpeningDrawsItsOwnColourForTheGradient) {
  std::vector<fm::TColor> colours;
  for (int opening = 0; opening < 2; ++opening) {
    WhileOpen([&](uAbout::TfrmAbout& box) {
      EXPECT_TRUE(box.EnableGradient());
      const fm::TColor colour = box.GradientBaseColor();
      colours.push_back(colour);
      for (int shift : {0, 8, 16}) EXPECT_LE((colour >> shift) & 0xFF, 254u) << std::hex << colour;
      EXPECT_EQ(colour >> 24, 0u);
      // The margin around the main panel shows the bands: black at the top, half the
      // colour in the middle, nearly all of it at the bottom.
      const fm::test::Capture capture(box.Handle());
      const COLORREF half =
          RGB((colour & 0xFF) / 2, ((colour >> 8) & 0xFF) / 2, ((colour >> 16) & 0xFF) / 2);
      const COLORREF bottom = RGB((colour & 0xFF) * 99 / 100, ((colour >> 8) & 0xFF) * 99 / 100,
                                  ((colour >> 16) & 0xFF) * 99 / 100);
      EXPECT_EQ(capture.Near(RECT{2, 0, 12, 2}, RGB(0, 0, 0)), 20);
      EXPECT_EQ(capture.Near(RECT{2, 128, 12, 131}, half), 30);
      EXPECT_EQ(capture.Near(RECT{2, 254, 12, 257}, bottom), 30);
    });
  }
  ASSERT_EQ(colours.size(), 2u);
  EXPECT_NE(colours[0], colours[1]);
}

TEST_F(AboutBox, AFileWithoutVersionTextsGivesEmptyFields) {
  fm::test::TestFolder folder(L"about");
  uAbout::TfrmAbout box(*main_, folder.File(L"plain.txt"));
  EXPECT_EQ(box.Caption(), L"About  ");
  for (const wchar_t* name : {L"pnlName", L"pnlCopyright", L"pnlVersion"}) {
    EXPECT_EQ(dynamic_cast<fm::ui::TPanel&>(*box.FindChild(name)).Caption(), L"");
  }
}

// Each text of the box fits between its panel's bevels, as the panel's own font draws it
// at the box's DPI: a caption wider than that is cut on both sides. The box is opened at
// the screen's DPI and then told of each other DPI, as on a move to another screen; a
// font that grew while its panel did not would cut the texts.
TEST_F(AboutBox, EveryTextFitsItsPanelAtEveryDpi) {
  uAbout::TfrmAbout box(*main_, Executable());
  const fm::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  for (int dpi : {box.Dpi(), 120, 144, 192}) {
    fm::test::SendDpiChange(box.Handle(), box.Dpi(), dpi);
    ASSERT_EQ(box.Dpi(), dpi);
    for (const wchar_t* name : {L"pnlProductH", L"pnlCopyrightH", L"pnlVersionH", L"pnlName",
                                L"pnlCopyright", L"pnlVersion"}) {
      const auto& panel = dynamic_cast<fm::ui::TPanel&>(*box.FindChild(name));
      const std::wstring text = panel.Caption();
      ASSERT_FALSE(text.empty()) << fm::ToUtf8(name);
      const HGDIOBJ old = SelectObject(dc.Get(), panel.Font().Handle(dpi));
      SIZE extent{};
      ASSERT_TRUE(
          GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent));
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc.Get(), &metrics);
      SelectObject(dc.Get(), old);
      RECT client;
      GetClientRect(panel.Handle(), &client);
      EXPECT_LE(extent.cx, client.right - 2 * panel.BevelWidth())
          << dpi << " dpi, " << fm::ToUtf8(name) << ": " << fm::ToUtf8(text);
      EXPECT_LE(metrics.tmHeight - metrics.tmInternalLeading,
                client.bottom - 2 * panel.BevelWidth())
          << dpi << " dpi, " << fm::ToUtf8(name);
    }
  }
}

TEST_F(AboutBox, WindowMenuRoutinesOnAWindowWithoutOne) {
  HWND child = Child(L"StatusPanel").Handle();
  EXPECT_FALSE(myHelper::EnableSysMenuItem(child, SC_CLOSE, false));
  EXPECT_FALSE(myHelper::DeleteSysMenuItem(child, SC_CLOSE));
  EXPECT_FALSE(myHelper::AppendSysMenuItem(child, SC_CLOSE, L"Close"));
  EXPECT_EQ(myHelper::GetSysMenuItemText(child, SC_CLOSE), L"");
  // On the main window: an item that is not there answers true to greying, and nothing
  // comes of deleting it.
  EXPECT_TRUE(myHelper::EnableSysMenuItem(main_->Handle(), 0xF1F0, false));
  EXPECT_FALSE(myHelper::DeleteSysMenuItem(main_->Handle(), 0xF1F0));
  EXPECT_FALSE(myHelper::EnableSysMenuItem(main_->Handle(), SC_CLOSE, false));
  EXPECT_TRUE(myHelper::EnableSysMenuItem(main_->Handle(), SC_CLOSE, true));
}

}  // namespace
