// The framework's owner-data list view on a real form under Wine: each event is driven
// by the notification the control itself sends for a real message.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "WinTestSupport.h"
#include "core/Error.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListView.h"

namespace {

using fm::ui::TAlignment;
using fm::ui::TColor;
using fm::ui::TListColumn;
using fm::ui::TListItem;
using fm::ui::TListView;

constexpr int kFormWidth = 760;
constexpr int kFormHeight = 420;

const wchar_t* const kNames[] = {L"alpha",  L"bravo",  L"charlie", L"delta",    L"echo",   L"foxtrot",
                                 L"golf",   L"hotel",  L"india",   L"juliett",  L"kilo",   L"lima",
                                 L"mike",   L"nov",    L"oscar",   L"papa",     L"quebec", L"romeo",
                                 L"sierra", L"tango",  L"uniform", L"victor",   L"whiskey", L"xray",
                                 L"yankee", L"zulu"};
constexpr int kNameCount = static_cast<int>(std::size(kNames));

// The columns of the file list: Name, Type and Modified share what Size and Attr. leave.
std::vector<TListColumn> FileColumns() {
  return {{L"Name", TAlignment::taLeftJustify, 50, true, 50, 0},
          {L"Size", TAlignment::taRightJustify, 75, false, 0, 0},
          {L"Type", TAlignment::taLeftJustify, 50, true, 40, 150},
          {L"Modified", TAlignment::taLeftJustify, 50, true, 70, 120},
          {L"Attr.", TAlignment::taLeftJustify, 45, false, 0, 0}};
}

// Row i of the test data, as OnData gives it.
std::wstring CaptionOf(int index) {
  return std::wstring(kNames[index % kNameCount]) + L" file " + std::to_wstring(index);
}
std::vector<std::wstring> SubItemsOf(int index) {
  return {std::to_wstring(1000 + index * 37) + L" KB", L"Text Document", L"3/5/2024 2:07 PM",
          index % 2 ? L"A" : L"RA"};
}

std::wstring ItemText(HWND list, int index, int subItem, int bufferSize = 260) {
  std::wstring buffer(static_cast<size_t>(bufferSize), L'#');
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = buffer.data();
  item.cchTextMax = bufferSize;
  const auto length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&item));
  return std::wstring(item.pszText, static_cast<size_t>(length));
}

LPARAM PointParam(POINT point) { return MAKELPARAM(point.x, point.y); }

class FrameworkListView : public testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<fm::ui::TForm>(L"ListForm", kFormWidth, kFormHeight);
    list_ = &form_->Add<TListView>(L"List", FileColumns());
    list_->SetBounds(10, 10, 704, 300);
    list_->OnData = [this](TListItem& item) {
      dataRows_.push_back(item.Index);
      item.Caption = CaptionOf(item.Index);
      item.ImageIndex = item.Index % 4;
      item.SubItems = SubItemsOf(item.Index);
    };
    list_->SetItemCount(rowCount_);
    form_->Show();
    form_->SetActiveControl(list_);
    list_->SetFocus();
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fm::test::PumpPending();
  }

  void TearDown() override {
    form_.reset();
    fm::test::PumpPending();
  }

  HWND List() const { return list_->Handle(); }

  // A point within a row's Name text, in the list's client coordinates.
  POINT RowPoint(int index) const {
    RECT rect{};
    ListView_GetSubItemRect(List(), index, 0, LVIR_LABEL, &rect);
    return POINT{rect.left + 10, (rect.top + rect.bottom) / 2};
  }

  // The rows that a paint of the whole client area draws, fully or in part, below the
  // header.
  std::vector<int> RowsInView() const {
    RECT client;
    GetClientRect(List(), &client);
    RECT header;
    GetWindowRect(list_->Header(), &header);
    client.top = header.bottom - header.top;
    std::vector<int> rows;
    for (int i = 0; i < list_->ItemCount(); ++i) {
      RECT row = list_->ItemRect(i);
      RECT overlap;
      if (IntersectRect(&overlap, &row, &client)) rows.push_back(i);
    }
    return rows;
  }

  void Repaint() {
    RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }

  static constexpr int rowCount_ = 60;
  std::unique_ptr<fm::ui::TForm> form_;
  TListView* list_ = nullptr;
  // The rows the data event was asked for.
  std::vector<int> dataRows_;
};

TEST_F(FrameworkListView, DataGivesCaptionSubItemsAndImageThroughTheControl) {
  struct Case {
    int row;
    int subItem;
    int bufferSize;
    std::wstring expected;
  };
  const Case cases[] = {
      {7, 0, 260, CaptionOf(7)},
      {7, 1, 260, SubItemsOf(7)[0]},
      {7, 2, 260, L"Text Document"},
      {7, 4, 260, L"A"},
      {8, 4, 260, L"RA"},
      // A short buffer takes what fits, ended by the terminator.
      {7, 0, 6, CaptionOf(7).substr(0, 5)},
      {7, 2, 2, L"T"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " sub-item " << c.subItem << " buffer " << c.bufferSize);
    dataRows_.clear();
    EXPECT_EQ(ItemText(List(), c.row, c.subItem, c.bufferSize), c.expected);
    // The text came from the data event for that row.
    EXPECT_NE(std::find(dataRows_.begin(), dataRows_.end(), c.row), dataRows_.end());
  }
  for (int row : {0, 5, 6}) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ASSERT_TRUE(SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.iImage, row % 4) << "row " << row;
  }
}

TEST_F(FrameworkListView, DataForAColumnTheHandlerLeavesOutIsEmpty) {
  list_->OnData = [](TListItem& item) { item.Caption = L"only a caption"; };
  EXPECT_EQ(ItemText(List(), 3, 0), L"only a caption");
  EXPECT_EQ(ItemText(List(), 3, 3), L"");
}

TEST_F(FrameworkListView, DataHintAnnouncesTheRowsInViewBeforeTheyArePainted) {
  struct Event {
    bool hint;
    int from;
    int to;
  };
  std::vector<Event> events;
  list_->OnDataHint = [&](int from, int to) { events.push_back({true, from, to}); };
  list_->OnCustomDrawItem = [&](TListItem* item, UINT, bool&) { events.push_back({false, item->Index, item->Index}); };
  for (int top : {0, 25}) {
    SCOPED_TRACE(testing::Message() << "top row " << top);
    ListView_EnsureVisible(List(), rowCount_ - 1, FALSE);
    ListView_EnsureVisible(List(), top, FALSE);
    fm::test::PumpPending();
    ASSERT_EQ(list_->TopIndex(), top);
    events.clear();
    Repaint();
    const std::vector<int> inView = RowsInView();
    ASSERT_FALSE(inView.empty());
    ASSERT_FALSE(events.empty());
    ASSERT_TRUE(events.front().hint) << "the first row was painted before any hint";
    // Every painted row was announced by a hint before it.
    int announcedFrom = -1;
    int announcedTo = -2;
    std::set<int> painted;
    for (const Event& e : events) {
      if (e.hint) {
        announcedFrom = e.from;
        announcedTo = e.to;
      } else {
        EXPECT_GE(e.from, announcedFrom);
        EXPECT_LE(e.from, announcedTo);
        painted.insert(e.from);
      }
    }
    EXPECT_LE(events.front().from, inView.front());
    EXPECT_GE(events.front().to, inView.back());
    EXPECT_EQ(std::vector<int>(painted.begin(), painted.end()), inView);
  }
}

TEST_F(FrameworkListView, CustomDrawEventsComeOncePerPaintRowAndCell) {
  int paints = 0;
  std::multiset<int> rows;
  std::multiset<std::pair<int, int>> cells;
  list_->OnCustomDraw = [&](const RECT&, bool&) { ++paints; };
  list_->OnCustomDrawItem = [&](TListItem* item, UINT, bool&) { rows.insert(item->Index); };
  list_->OnCustomDrawSubItem = [&](TListItem* item, int subItem, UINT, bool&) {
    cells.insert({item->Index, subItem});
  };
  for (int pass = 1; pass <= 2; ++pass) {
    SCOPED_TRACE(testing::Message() << "paint " << pass);
    paints = 0;
    rows.clear();
    cells.clear();
    Repaint();
    const std::vector<int> inView = RowsInView();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(std::vector<int>(rows.begin(), rows.end()), inView);
    std::multiset<std::pair<int, int>> expectedCells;
    for (int row : inView) {
      for (int column = 0; column < list_->ColumnCount(); ++column) expectedCells.insert({row, column});
    }
    EXPECT_EQ(cells, expectedCells);
  }
}

TEST_F(FrameworkListView, ThePrePaintCanvasIsThePaintsOwnDeviceContext) {
  // A list that has not painted yet: its canvas has seen no row.
  auto& fresh = form_->Add<TListView>(L"Fresh", FileColumns());
  std::vector<HDC> prePaint;
  std::vector<HDC> rows;
  fresh.OnData = [](TListItem& item) { item.Caption = CaptionOf(item.Index); };
  fresh.OnCustomDraw = [&](const RECT&, bool&) { prePaint.push_back(fresh.Canvas().Handle()); };
  fresh.OnCustomDrawItem = [&](TListItem*, UINT, bool&) { rows.push_back(fresh.Canvas().Handle()); };
  fresh.SetItemCount(3);
  fresh.SetBounds(10, 320, 704, 90);
  RedrawWindow(fresh.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_EQ(prePaint.size(), 1u);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_NE(prePaint[0], nullptr);
  for (HDC dc : rows) EXPECT_EQ(dc, prePaint[0]);
}

using fm::test::Capture;

TEST_F(FrameworkListView, RowAndCellColoursAreDrawnAndAnUnchangedCellKeepsTheRowsChoice) {
  constexpr TColor red = 0x000000C0;
  constexpr TColor green = 0x00008000;
  constexpr TColor blue = 0x00C00000;
  constexpr TColor plain = fm::ui::clWindowText;
  list_->OnCustomDrawItem = [&](TListItem* item, UINT, bool&) {
    if (item->Index == 2) list_->Canvas().SetFontColor(red);
    if (item->Index == 4) list_->Canvas().SetFontColor(blue);
  };
  list_->OnCustomDrawSubItem = [&](TListItem* item, int subItem, UINT, bool&) {
    if (item->Index == 2 && subItem == 1) list_->Canvas().SetFontColor(plain);
    if (item->Index == 3 && subItem == 0) {
      list_->Canvas().SetFontColor(green);
      list_->Canvas().SetFontStyle({true, false});
    }
  };
  Repaint();
  const Capture capture(List());
  struct Case {
    int row;
    int subItem;
    TColor expected;
  };
  const Case cases[] = {
      // The row's colour, and a cell that sets the plain colour.
      {2, 0, red}, {2, 1, plain}, {2, 2, red}, {2, 3, red}, {2, 4, red},
      // A cell of its own in a row that chose nothing: the cells after it are plain.
      {3, 0, green}, {3, 1, plain}, {3, 2, plain},
      {4, 0, blue}, {4, 3, blue},
      {5, 0, plain}, {5, 2, plain},
  };
  const TColor candidates[] = {red, green, blue, plain};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " cell " << c.subItem);
    RECT cell{};
    ListView_GetSubItemRect(List(), c.row, c.subItem, c.subItem == 0 ? LVIR_LABEL : LVIR_BOUNDS, &cell);
    for (TColor colour : candidates) {
      const int count = capture.Near(cell, fm::ui::ColorToRGB(colour));
      if (colour == c.expected) {
        EXPECT_GE(count, 5) << "too little text in colour " << std::hex << colour;
      } else {
        EXPECT_EQ(count, 0) << "text in colour " << std::hex << colour;
      }
    }
  }
}

TEST_F(FrameworkListView, EditingDecidesAndEditedGetsTheCommittedText) {
  struct Case {
    const char* name;
    bool allow;
    UINT key;
    bool edited;
  };
  const Case cases[] = {
      {"refused", false, 0, false},
      {"committed", true, VK_RETURN, true},
      {"cancelled", true, VK_ESCAPE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::pair<int, std::wstring>> editing;
    std::vector<std::pair<int, std::wstring>> edited;
    list_->OnEditing = [&](TListItem& item, bool& allow) {
      editing.push_back({item.Index, item.Caption});
      allow = c.allow;
    };
    list_->OnEdited = [&](TListItem& item, std::wstring& text) { edited.push_back({item.Index, text}); };
    list_->SetFocus();
    HWND edit = ListView_EditLabel(List(), 6);
    ASSERT_EQ(editing.size(), 1u);
    EXPECT_EQ(editing[0], std::make_pair(6, CaptionOf(6)));
    if (!c.allow) {
      EXPECT_EQ(edit, nullptr);
      continue;
    }
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"renamed");
    SendMessageW(edit, WM_KEYDOWN, c.key, 1);
    fm::test::PumpPending();
    EXPECT_FALSE(IsWindow(edit) && IsWindowVisible(edit));
    if (c.edited) {
      ASSERT_EQ(edited.size(), 1u);
      EXPECT_EQ(edited[0], std::make_pair(6, std::wstring(L"renamed")));
    } else {
      EXPECT_TRUE(edited.empty());
    }
  }
}

TEST_F(FrameworkListView, DoubleClickOnARowComesAfterItsMouseDown) {
  std::vector<std::string> events;
  list_->OnMouseDown = [&](fm::ui::TMouseButton button, fm::ui::TShiftState shift, int x, int y) {
    events.push_back("down " + std::to_string(static_cast<int>(button)) + (shift.Double ? " double " : " single ") +
                     std::to_string(x) + "," + std::to_string(y));
  };
  list_->OnDblClick = [&] { events.push_back("dblclick"); };
  const POINT point = RowPoint(4);
  SendMessageW(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(point));
  SendMessageW(List(), WM_LBUTTONUP, 0, PointParam(point));
  fm::test::PumpPending();
  const std::vector<std::string> expected = {
      "down 0 double " + std::to_string(point.x) + "," + std::to_string(point.y), "dblclick"};
  EXPECT_EQ(events, expected);
}

TEST_F(FrameworkListView, MouseDownTellsTheButtonAndThePoint) {
  struct Case {
    UINT down;
    UINT up;
    WPARAM keys;
    fm::ui::TMouseButton button;
    int row;
  };
  const Case cases[] = {
      {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, fm::ui::TMouseButton::mbLeft, 3},
      {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, fm::ui::TMouseButton::mbRight, 8},
      {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, fm::ui::TMouseButton::mbMiddle, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "button " << static_cast<int>(c.button));
    struct Down {
      fm::ui::TMouseButton button;
      bool isDouble;
      POINT point;
    };
    std::vector<Down> downs;
    list_->OnMouseDown = [&](fm::ui::TMouseButton button, fm::ui::TShiftState shift, int x, int y) {
      downs.push_back({button, shift.Double, POINT{x, y}});
    };
    const POINT point = RowPoint(c.row);
    PostMessageW(List(), c.down, c.keys, PointParam(point));
    PostMessageW(List(), c.up, 0, PointParam(point));
    ASSERT_TRUE(fm::test::PumpUntil([&] { return !downs.empty(); }));
    fm::test::PumpPending();
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, c.button);
    EXPECT_FALSE(downs[0].isDouble);
    EXPECT_EQ(downs[0].point.x, point.x);
    EXPECT_EQ(downs[0].point.y, point.y);
  }
}

TEST_F(FrameworkListView, KeyDownMayConsumeOrChangeTheKeyBeforeTheListSeesIt) {
  struct Case {
    const char* name;
    WORD replacement;  // what the handler sets the key to
    int selectedAfter;
  };
  const Case cases[] = {
      {"passed on", VK_DOWN, 5},
      {"consumed", 0, 4},
      {"changed", VK_END, rowCount_ - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<WORD> seen;
    list_->OnKeyDown = [&](WORD& key, fm::ui::TShiftState) {
      seen.push_back(key);
      key = c.replacement;
    };
    list_->SelectItem(4);
    SendMessageW(List(), WM_KEYDOWN, VK_DOWN, 1);
    fm::test::PumpPending();
    EXPECT_EQ(seen, std::vector<WORD>{VK_DOWN});
    EXPECT_EQ(list_->SelectedIndex(), c.selectedAfter);
  }
}

class FrameworkListViewSizing : public FrameworkListView {
 protected:
  // Gives the list the client width, keeping its height.
  void SetClientWidth(int width) {
    list_->SetBounds(10, 10, width + list_->Width() - list_->ClientWidth(), 300);
    fm::test::PumpPending();
  }
  std::vector<int> Widths() const {
    std::vector<int> widths;
    for (int i = 0; i < list_->ColumnCount(); ++i) widths.push_back(list_->ColumnWidth(i));
    return widths;
  }
};

TEST_F(FrameworkListViewSizing, AutoSizeColumnsShareTheClientWidthWhenTheListIsResized) {
  list_->SetItemCount(5);
  fm::test::PumpPending();
  struct Case {
    int clientWidth;
    std::vector<int> widths;
  };
  const Case cases[] = {
      {700, {310, 75, 150, 120, 45}},
      {400, {94, 75, 93, 93, 45}},
      {700, {310, 75, 150, 120, 45}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "client width " << c.clientWidth);
    SetClientWidth(c.clientWidth);
    ASSERT_EQ(list_->ClientWidth(), c.clientWidth);
    EXPECT_EQ(Widths(), c.widths);
  }
}

TEST_F(FrameworkListViewSizing, AScrollBarThatComesWithMoreRowsIsLeftOut) {
  list_->SetItemCount(5);
  SetClientWidth(700);
  ASSERT_EQ(Widths(), (std::vector<int>{310, 75, 150, 120, 45}));
  list_->SetItemCount(500);
  fm::test::PumpPending();
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  ASSERT_EQ(list_->ClientWidth(), 700 - scrollBar);
  EXPECT_EQ(Widths(), (std::vector<int>{310 - scrollBar, 75, 150, 120, 45}));
}

TEST_F(FrameworkListView, AnErrorInAHandlerShowsTheErrorBoxAndTheListGoesOn) {
  bool failing = true;
  int keys = 0;
  int doubleClicks = 0;
  list_->OnKeyDown = [&](WORD&, fm::ui::TShiftState) {
    ++keys;
    if (failing) throw fm::Error(L"The key handler failed");
  };
  list_->OnDblClick = [&] {
    ++doubleClicks;
    if (failing) throw std::runtime_error("The double-click handler failed");
  };
  const POINT point = RowPoint(2);
  {
    fm::test::ModalWatcher watcher;
    PostMessageW(List(), WM_KEYDOWN, VK_DOWN, 1);
    ASSERT_TRUE(fm::test::PumpUntil([&] { return watcher.Boxes().size() == 1; }));
    PostMessageW(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(point));
    PostMessageW(List(), WM_LBUTTONUP, 0, PointParam(point));
    ASSERT_TRUE(fm::test::PumpUntil([&] { return watcher.Boxes().size() == 2; }));
    fm::test::PumpPending();
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, L"Foldmere x64");
    EXPECT_EQ(boxes[0].text, L"The key handler failed.");
    EXPECT_TRUE(boxes[0].stopIcon);
    EXPECT_EQ(boxes[1].caption, L"Foldmere x64");
    EXPECT_EQ(boxes[1].text, L"The double-click handler failed.");
    EXPECT_TRUE(boxes[1].stopIcon);
  }
  // The list is there and its events work as before.
  failing = false;
  list_->SelectItem(7);
  SendMessageW(List(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(list_->SelectedIndex(), 8);
  SendMessageW(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(point));
  SendMessageW(List(), WM_LBUTTONUP, 0, PointParam(point));
  fm::test::PumpPending();
  EXPECT_EQ(keys, 2);
  EXPECT_EQ(doubleClicks, 2);
  EXPECT_TRUE(IsWindowVisible(List()));
}

// Each case has a list of its own: the control gathers characters typed in quick
// succession into one search.
struct FindCase {
  int focused;
  wchar_t typed;
  int answer;
  int selectedAfter;
};

class FrameworkListViewFind : public FrameworkListView, public testing::WithParamInterface<FindCase> {};

TEST_P(FrameworkListViewFind, TypedCharacterAsksTheHandlerAndItsAnswerIsSelected) {
  const FindCase& c = GetParam();
  struct Call {
    fm::ui::TItemFind find;
    std::wstring text;
    int start;
    bool wrap;
  };
  std::vector<Call> calls;
  list_->OnDataFind = [&](fm::ui::TItemFind find, const std::wstring& text, POINT, void*, int start,
                          fm::ui::TSearchDirection, bool wrap, int& index) {
    calls.push_back({find, text, start, wrap});
    index = c.answer;
  };
  list_->SelectItem(c.focused);
  PostMessageW(List(), WM_CHAR, c.typed, 1);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !calls.empty(); }));
  fm::test::PumpPending();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].find, fm::ui::TItemFind::ifPartialString);
  EXPECT_EQ(calls[0].text, std::wstring(1, c.typed));
  EXPECT_EQ(calls[0].start, c.focused + 1);
  EXPECT_TRUE(calls[0].wrap);
  EXPECT_EQ(list_->SelectedIndex(), c.selectedAfter);
  EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_FOCUSED), c.selectedAfter);
}

INSTANTIATE_TEST_SUITE_P(Framework, FrameworkListViewFind,
                         testing::Values(FindCase{0, L'd', 3, 3}, FindCase{5, L'c', 28, 28},
                                         // No match: the selection stays.
                                         FindCase{4, L'q', -1, 4}));

}  // namespace
