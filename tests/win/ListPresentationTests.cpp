// How the left list shows a real folder under Wine: row texts read back from the control,
// typing to find, the header image, layout on resize, and the colours of drawn rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "MainWindowFixture.h"
#include "platform/Shell.h"

namespace {

using fm::test::TestFolder;

class ListPresentation : public fm::test::MainWindowTest {
 protected:
  std::wstring CellText(int row, int column) {
    wchar_t text[512] = {};
    ListView_GetItemText(List().Handle(), row, column, text, 512);
    return text;
  }

  std::vector<std::wstring> Captions() {
    std::vector<std::wstring> captions;
    for (int i = 0; i < List().ItemCount(); ++i) captions.push_back(CellText(i, 0));
    return captions;
  }

  HDITEMW HeaderItem(int index) {
    HDITEMW item{};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    Header_GetItem(List().Header(), index, &item);
    return item;
  }

  // The colours drawn inside a cell of the list, as the screen shows them.
  std::set<COLORREF> CellColours(int row, int column) {
    RECT cell{};
    ListView_GetSubItemRect(List().Handle(), row, column, LVIR_LABEL, &cell);
    std::set<COLORREF> colours;
    HDC dc = GetDC(List().Handle());
    for (int y = cell.top; y < cell.bottom; ++y) {
      for (int x = cell.left; x < cell.right; ++x) colours.insert(GetPixel(dc, x, y));
    }
    ReleaseDC(List().Handle(), dc);
    return colours;
  }
};

TEST_F(ListPresentation, RowsReadBackThroughTheListControl) {
  TestFolder folder(L"rows");
  folder.Folder(L"docs");
  folder.File(L"a.txt", std::string(1536, 'a'));
  folder.File(L"empty.txt", "");
  folder.File(L"locked.txt", "x", FILE_ATTRIBUTE_READONLY);
  main_->BrowseToPath(folder.Path());
  Paint();
  ASSERT_EQ(List().ItemCount(), 4);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"docs", L"a.txt", L"empty.txt", L"locked.txt"}));
  struct Row {
    int row;
    const wchar_t* size;
    const wchar_t* attributes;
  };
  const Row rows[] = {{0, L"DIR", L""}, {1, L"1.5 KB", L"A"}, {2, L"0 B", L"A"}, {3, L"1 B", L"RA"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.row);
    EXPECT_EQ(CellText(r.row, 1), r.size);
    EXPECT_EQ(CellText(r.row, 2), main_->GetLeftItem(r.row)->TypeName());
    EXPECT_FALSE(CellText(r.row, 2).empty());
    EXPECT_EQ(CellText(r.row, 3), main_->GetLeftItem(r.row)->ModDate());
    EXPECT_FALSE(CellText(r.row, 3).empty());
    EXPECT_EQ(CellText(r.row, 4), r.attributes);
  }
}

TEST_F(ListPresentation, LinksShowLinkAndTheirTargetsPath) {
  if (!fm::DirectoryExists(fm::test::kLinkFixture)) {
    ASSERT_FALSE(fm::test::RunningUnderWine()) << "the link fixture runs before these tests";
    GTEST_SKIP() << "the links are made by the test run under Wine";
  }
  main_->BrowseToPath(fm::test::kLinkFixture);
  Paint();
  auto row = [&](const std::wstring& name) {
    for (int i = 0; i < List().ItemCount(); ++i) {
      if (main_->GetLeftItem(i)->DisplayName() == name) return i;
    }
    return -1;
  };
  ASSERT_GE(row(L"link-to-folder"), 0);
  ASSERT_GE(row(L"sub"), 0);
  EXPECT_EQ(CellText(row(L"link-to-folder"), 1), L"LINK");
  EXPECT_EQ(CellText(row(L"sub"), 1), L"DIR");
}

TEST_F(ListPresentation, TypingSelectsTheFirstMatchingRow) {
  TestFolder folder(L"find");
  for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"Bravo.txt", L"charlie.txt"}) folder.File(name);
  main_->BrowseToPath(folder.Path());
  Paint();
  SetFocus(List().Handle());
  PostMessageW(List().Handle(), WM_CHAR, L'b', 1);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return List().SelectedIndex() == 1; }));
  EXPECT_EQ(CellText(List().SelectedIndex(), 0), L"beta.txt");
  PostMessageW(List().Handle(), WM_CHAR, L'r', 1);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return List().SelectedIndex() == 2; }));
  // Nothing matches: the selection stays.
  PostMessageW(List().Handle(), WM_CHAR, L'q', 1);
  fm::test::PumpPending();
  EXPECT_EQ(List().SelectedIndex(), 2);
}

TEST_F(ListPresentation, EveryPaintGivesTheNameHeaderItsImage) {
  Paint();
  EXPECT_EQ(HeaderItem(0).fmt, 0x4800);
  EXPECT_EQ(HeaderItem(0).iImage, 6);
  EXPECT_EQ(ListView_GetBkColor(List().Handle()), CLR_NONE);
  EXPECT_EQ(ListView_GetTextBkColor(List().Handle()), CLR_NONE);
  for (int i = 1; i < 5; ++i) EXPECT_EQ(HeaderItem(i).fmt & HDF_IMAGE, 0) << i;

  // Changed in between, it is set again by the next paint.
  HDITEMW plain{};
  plain.mask = HDI_FORMAT;
  plain.fmt = HDF_STRING;
  Header_SetItem(List().Header(), 0, &plain);
  ListView_SetBkColor(List().Handle(), RGB(1, 2, 3));
  InvalidateRect(List().Handle(), nullptr, TRUE);
  Paint();
  EXPECT_EQ(HeaderItem(0).fmt, 0x4800);
  EXPECT_EQ(ListView_GetBkColor(List().Handle()), CLR_NONE);
}

TEST_F(ListPresentation, AHeaderClickLeavesTheOrder) {
  TestFolder folder(L"header");
  for (const wchar_t* name : {L"c.txt", L"a.txt", L"b.txt"}) folder.File(name);
  main_->BrowseToPath(folder.Path());
  Paint();
  const auto before = Captions();
  const HDITEMW sizeHeader = HeaderItem(1);
  RECT item{};
  Header_GetItemRect(List().Header(), 1, &item);
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageW(List().Header(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(List().Header(), WM_LBUTTONUP, 0, at);
  Paint();
  EXPECT_EQ(Captions(), before);
  EXPECT_EQ(HeaderItem(1).fmt, sizeHeader.fmt);
}

TEST_F(ListPresentation, ResizingTheWindowLaysThePaneAndColumnsOut) {
  // The left pane keeps half of the client width less 13; the path box half less 52;
  // the label 10 less than the pane.
  const struct {
    int clientWidth;
    int pane;
    int pathBox;
    int label;
  } cases[] = {{1200, 593, 548, 583}, {1600, 793, 748, 783}, {420, 203, 158, 193}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clientWidth);
    main_->SetClientSize(c.clientWidth, 700);
    fm::test::PumpPending();
    EXPECT_EQ(List().Width(), c.pane);
    EXPECT_EQ(Child(L"DrivesLeft").Width(), c.pane);
    EXPECT_EQ(Child(L"cbLeftPath").Width(), c.pathBox);
    EXPECT_EQ(Child(L"currentPath").Width(), c.label);
    EXPECT_EQ(Child(L"StatusLeft").Width(), c.pane);
    // The function-key buttons: an eighth of the window's outer width each, less 3.
    RECT window;
    GetWindowRect(main_->Handle(), &window);
    EXPECT_EQ(Child(L"BTN_F09").Width(), (window.right - window.left) / 8 - 3);
    // Fixed columns keep their widths; Type and Modified stay within their bounds and
    // Name takes the rest, never below its minimum.
    RECT client;
    GetClientRect(List().Handle(), &client);
    EXPECT_EQ(List().ColumnWidth(1), 75);
    EXPECT_EQ(List().ColumnWidth(4), 45);
    const int type = List().ColumnWidth(2);
    const int modified = List().ColumnWidth(3);
    EXPECT_TRUE(type >= 40 && type <= 150) << type;
    EXPECT_TRUE(modified >= 70 && modified <= 120) << modified;
    const int name = List().ColumnWidth(0);
    EXPECT_GE(name, 50);
    if (name > 50) {
      EXPECT_EQ(name + 75 + type + modified + 45, client.right);
    }
  }
}

TEST_F(ListPresentation, AHiddenFilesNameIsWhiteWhileItsSizeIsLightCyan) {
  TestFolder folder(L"colours");
  folder.Folder(L"aaa");
  folder.File(L".hidden", "12345");
  folder.File(L"plain.txt", "12345");
  main_->BrowseToPath(folder.Path());
  Paint();
  ASSERT_EQ(main_->GetLeftItem(1)->DisplayName(), L".hidden");
  ASSERT_EQ(main_->GetLeftItem(2)->DisplayName(), L"plain.txt");
  const COLORREF white = RGB(255, 255, 255);
  const COLORREF lightCyan = RGB(128, 255, 255);
  const COLORREF darkBlue = RGB(0, 64, 128);
  const auto hiddenName = CellColours(1, 0);
  const auto hiddenSize = CellColours(1, 1);
  const auto plainName = CellColours(2, 0);
  EXPECT_TRUE(hiddenName.count(white));
  EXPECT_FALSE(hiddenName.count(lightCyan));
  EXPECT_TRUE(hiddenSize.count(lightCyan));
  EXPECT_FALSE(hiddenSize.count(white));
  EXPECT_TRUE(hiddenSize.count(darkBlue));
  EXPECT_TRUE(plainName.count(lightCyan));
  EXPECT_FALSE(plainName.count(white));
}

}  // namespace
