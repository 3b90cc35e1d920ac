// The application's own hints on a real form under Wine: the pointer is put on the
// screen and the control gets the move, as a user's hand would do it. Wine's list view
// never asks for info tips itself, so nothing here relies on that.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/ListView.h"
#include "ui/StdControls.h"

namespace {

using fm::ui::Application;
using fm::ui::TControl;
using fm::ui::TListItem;

std::wstring CaptionOf(int index) { return L"row " + std::to_wstring(index) + L".txt"; }

fm::ui::THintWindow* ShownHint() {
  fm::ui::THintWindow* hint = Application().HintWindow();
  return hint && hint->Showing() ? hint : nullptr;
}

RECT ScreenRect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

// Waits until a timer of ours, set for longer than the hint pause, has fired. Timers fire
// in the order they fall due, so a hint pause that began before has ended by then.
void PumpPastHintPause() {
  static bool fired;
  fired = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 2 * fm::ui::TApplication::HintPauseMs,
                                  [](HWND, UINT, UINT_PTR, DWORD) { fired = true; });
  ASSERT_NE(timer, 0u);
  const bool done = fm::test::PumpUntil([] { return fired; });
  KillTimer(nullptr, timer);
  ASSERT_TRUE(done);
}

class FrameworkHint : public testing::Test {
 protected:
  void SetUp() override {
    GetCursorPos(&pointerBefore_);
    form_ = std::make_unique<fm::ui::TForm>(L"HintForm", 720, 420);
    list_ = &form_->Add<fm::ui::TListView>(
        L"List", std::vector<fm::ui::TListColumn>{{L"Name", fm::ui::TAlignment::taLeftJustify, 200, false, 0, 0},
                                                  {L"Size", fm::ui::TAlignment::taRightJustify, 80, false, 0, 0}});
    list_->SetBounds(10, 10, 400, 300);
    list_->SetShowHint(true);
    list_->OnData = [](TListItem& item) {
      item.Caption = CaptionOf(item.Index);
      item.SubItems = {L"1 KB"};
    };
    list_->OnInfoTip = [this](TListItem& item, std::wstring& tip) {
      tips_.push_back({item.Index, tip});
      if (tipText_) tip = tipText_(item.Index);
    };
    list_->SetItemCount(rowCount_);
    button_ = &form_->Add<fm::ui::TSpeedButton>(L"Button", L"Back");
    button_->SetBounds(430, 10, 120, 28);
    form_->Show();
    fm::test::PumpPending();
  }

  void TearDown() override {
    form_.reset();
    fm::test::PumpPending();
    // Other tests' windows get no pointer that they did not ask for.
    SetCursorPos(pointerBefore_.x, pointerBefore_.y);
  }

  // Puts the pointer at a point of the control (client coordinates) and moves it there.
  void MoveTo(TControl& control, POINT point) {
    POINT screen = point;
    ClientToScreen(control.Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
  }

  // A point within row index, dx pixels into its Name cell.
  POINT InRow(int index, int dx = 8) const {
    const RECT row = list_->ItemRect(index);
    return POINT{row.left + dx, (row.top + row.bottom) / 2};
  }

  // The hint that comes up after the pause, once the tip handler has been asked calls times.
  fm::ui::THintWindow* WaitForHint(size_t calls) {
    fm::test::PumpUntil([&] { return ShownHint() && tips_.size() >= calls; });
    return ShownHint();
  }

  static constexpr int rowCount_ = 12;
  POINT pointerBefore_{};
  std::unique_ptr<fm::ui::TForm> form_;
  fm::ui::TListView* list_ = nullptr;
  fm::ui::TSpeedButton* button_ = nullptr;
  struct Asked {
    int index;
    std::wstring startText;
  };
  std::vector<Asked> tips_;
  std::function<std::wstring(int)> tipText_;
};

TEST_F(FrameworkHint, ARowShowsItsTipAtTheRowsCornerMovedByTheCursorSize) {
  struct Case {
    int row;
    int dx;  // where in the row the pointer comes to rest
    bool replaced;
  };
  // Each case moves to another row, which asks anew. The Size column starts at 200.
  const Case cases[] = {{3, 8, false}, {7, 8, true}, {0, 250, true}, {11, 250, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    tips_.clear();
    tipText_ = [&](int index) -> std::wstring {
      if (!c.replaced) return CaptionOf(index);
      return L"Location: C:\\data\\" + CaptionOf(index) + L"\r\nType: Text Document\r\nSize: 1 KB";
    };
    MoveTo(*list_, InRow(c.row, c.dx));
    fm::ui::THintWindow* hint = WaitForHint(1);
    ASSERT_NE(hint, nullptr);
    ASSERT_EQ(tips_.size(), 1u);
    EXPECT_EQ(tips_[0].index, c.row);
    EXPECT_EQ(tips_[0].startText, CaptionOf(c.row));
    EXPECT_EQ(hint->Caption(), tipText_(c.row));
    RECT row = list_->ItemRect(c.row);
    MapWindowPoints(list_->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&row), 2);
    const RECT shown = ScreenRect(hint->Handle());
    EXPECT_EQ(shown.left, row.left + GetSystemMetrics(SM_CXCURSOR));
    EXPECT_EQ(shown.top, row.top + GetSystemMetrics(SM_CYCURSOR));
    EXPECT_LE(shown.right - shown.left, list_->ClientWidth());
  }
}

TEST_F(FrameworkHint, TheTipStaysWithinItsRowAndAnotherRowAsksAnew) {
  MoveTo(*list_, InRow(4));
  fm::ui::THintWindow* hint = WaitForHint(1);
  ASSERT_NE(hint, nullptr);
  const RECT first = ScreenRect(hint->Handle());

  // Elsewhere in the same row, in another column too: the same tip, not asked again.
  for (POINT point : {InRow(4, 60), InRow(4, 250)}) {
    point.y = list_->ItemRect(4).bottom - 1;
    MoveTo(*list_, point);
    PumpPastHintPause();
    ASSERT_EQ(ShownHint(), hint);
    EXPECT_EQ(tips_.size(), 1u);
    const RECT now = ScreenRect(hint->Handle());
    EXPECT_TRUE(EqualRect(&now, &first));
  }

  // The next row: the old tip goes at once, the new one comes after the pause.
  MoveTo(*list_, InRow(5));
  EXPECT_EQ(ShownHint(), nullptr);
  ASSERT_NE(WaitForHint(2), nullptr);
  ASSERT_EQ(tips_.size(), 2u);
  EXPECT_EQ(tips_[1].index, 5);
  EXPECT_EQ(hint->Caption(), CaptionOf(5));
}

TEST_F(FrameworkHint, BelowTheRowsThereIsNoTip) {
  MoveTo(*list_, InRow(rowCount_ - 1));
  ASSERT_NE(WaitForHint(1), nullptr);
  const RECT last = list_->ItemRect(rowCount_ - 1);
  ASSERT_LT(last.bottom + 20, list_->ClientHeight());
  MoveTo(*list_, POINT{last.left + 8, last.bottom + 20});
  EXPECT_EQ(ShownHint(), nullptr);
  PumpPastHintPause();
  EXPECT_EQ(ShownHint(), nullptr);
  EXPECT_EQ(tips_.size(), 1u);
}

TEST_F(FrameworkHint, ALongTipWrapsWithinTheListsWidth) {
  struct Case {
    const char* name;
    std::wstring text;
  };
  std::wstring words;
  for (int i = 0; i < 40; ++i) words += L"word" + std::to_wstring(i) + L" ";
  std::wstring path = L"Location: C:\\";
  for (int i = 0; i < 12; ++i) path += L"a_rather_long_folder_name_" + std::to_wstring(i) + L"\\";
  const Case cases[] = {{"words", words}, {"one long path", path}};
  int row = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tipText_ = [&](int) { return c.text; };
    MoveTo(*list_, InRow(row));
    fm::ui::THintWindow* hint = WaitForHint(static_cast<size_t>(row) + 1);
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), c.text);
    const RECT shown = ScreenRect(hint->Handle());
    EXPECT_LE(shown.right - shown.left, list_->ClientWidth());
    // Wrapped: several lines of the hint font.
    EXPECT_GT(shown.bottom - shown.top, 3 * 11);
    ++row;
  }
}

TEST_F(FrameworkHint, APlainControlShowsItsHintBelowThePointer) {
  struct Case {
    const char* name;
    bool showHint;
    std::wstring hint;
    bool shown;
  };
  const Case cases[] = {
      {"hint shown", true, L"Back to the parent folder", true},
      {"hints off", false, L"Back to the parent folder", false},
      {"no hint", true, L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    button_->SetShowHint(c.showHint);
    button_->SetHint(c.hint);
    // From outside the button, so that each case enters it anew.
    MoveTo(*form_, POINT{600, 300});
    const POINT point{static_cast<LONG>(20 + 5 * (&c - cases)), 12};
    MoveTo(*button_, point);
    if (!c.shown) {
      PumpPastHintPause();
      EXPECT_EQ(ShownHint(), nullptr);
      continue;
    }
    fm::ui::THintWindow* hint = WaitForHint(0);
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), c.hint);
    POINT cursor = point;
    ClientToScreen(button_->Handle(), &cursor);
    const RECT shown = ScreenRect(hint->Handle());
    EXPECT_EQ(shown.left, cursor.x);
    EXPECT_EQ(shown.top, cursor.y + GetSystemMetrics(SM_CYCURSOR));
    EXPECT_TRUE(tips_.empty());
  }
}

TEST_F(FrameworkHint, AMouseButtonPressHidesTheTip) {
  struct Case {
    UINT down;
    UINT up;
    WPARAM keys;
  };
  const Case cases[] = {
      {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON},
      {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
      {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON},
  };
  int row = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "message " << c.down);
    const POINT point = InRow(row);
    MoveTo(*list_, point);
    ASSERT_NE(WaitForHint(tips_.size() + 1), nullptr);
    // The list may wait for the button to come up before it returns.
    PostMessageW(list_->Handle(), c.up, 0, MAKELPARAM(point.x, point.y));
    SendMessageW(list_->Handle(), c.down, c.keys, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(ShownHint(), nullptr);
    fm::test::PumpPending();
    row += 2;
  }
}

}  // namespace
