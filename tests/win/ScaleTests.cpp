// The main window at the screen's DPI (the test program is started at 96, 120, 144 and
// 192 dpi) and after a move to a screen of 144 dpi: every design number is shown at
// dpi/96 of its size, within a pixel of rounding.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "core/DpiScale.h"
#include "platform/Dpi.h"

namespace {

using fm::ui::TControl;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The parameter is the DPI the window is told it moved to after its start, 0 for none.
class Scale : public fm::test::MainWindowTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    if (GetParam() != 0) {
      // The system keeps a window within the screen; run-dpi.sh gives these tests a large one.
      const int width = fm::ScaleToDpi(1429, GetParam()) + main_->Width() - main_->ClientWidth();
      const int height = fm::ScaleToDpi(863, GetParam()) + main_->Height() - main_->ClientHeight();
      if (width > GetSystemMetrics(SM_CXSCREEN) || height > GetSystemMetrics(SM_CYSCREEN)) {
        GTEST_SKIP() << "the screen is too small for the window at " << GetParam() << " dpi";
      }
      fm::test::SendDpiChange(main_->Handle(), main_->Dpi(), GetParam());
      fm::test::PumpPending();
    }
    // The figures are those of the DPI the window was told of, whatever it took.
    dpi_ = GetParam() != 0 ? GetParam() : main_->Dpi();
  }

  // A 96-dpi design number at the window's DPI.
  int S(int designPixels) const { return fm::ScaleToDpi(designPixels, dpi_); }

  int dpi_ = 96;
};

// FOLDMERE_TEST_DPI names the DPI the tests were started at; 96 without it.
TEST_P(Scale, TheWindowShowsAtTheDpiItWasStartedAtOrToldOf) {
  const char* started = std::getenv("FOLDMERE_TEST_DPI");
  const int screen = started ? std::atoi(started) : 96;
  EXPECT_EQ(fm::SystemDpi(), screen);
  EXPECT_EQ(main_->Dpi(), GetParam() != 0 ? GetParam() : screen);
}

TEST_P(Scale, ClientSizeAndBands) {
  RECT client;
  GetClientRect(main_->Handle(), &client);
  EXPECT_NEAR(client.right, S(1429), 1);
  EXPECT_NEAR(client.bottom, S(863), 1);
  // Each band's top is the sum of the rounded heights above it: a pixel per band at most.
  const struct {
    const wchar_t* name;
    int top;
    int height;
    int slack;
  } bands[] = {{L"DrivePanel", 0, 30, 1}, {L"PathPanel", 30, 31, 1},    {L"ViewPanel", 61, 729, 3},
               {L"CMDPanel", 790, 18, 2}, {L"StatusPanel", 808, 18, 2}, {L"BTN_Panel", 826, 37, 1}};
  for (const auto& band : bands) {
    SCOPED_TRACE(Narrow(band.name));
    const RECT rect = ClientBounds(Child(band.name));
    EXPECT_NEAR(rect.top, S(band.top), band.slack);
    EXPECT_NEAR(rect.bottom - rect.top, S(band.height), band.slack);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, client.right);
  }
}

TEST_P(Scale, ControlsHaveTheirWidthsAndPlaces) {
  const int client = main_->ClientWidth();
  // The left pane keeps half of the window less a scaled gap; the places of the rest follow
  // from the widths before them, each rounded once.
  const int half = (client - S(13)) / 2;
  // The drive band's bevels are lines of a pixel at any DPI, as the system's edges are.
  const int bevels = 2;
  const struct {
    const wchar_t* name;
    int left;
    int width;
  } expected[] = {
      {L"DrivesLeft", bevels, half},
      {L"DrivesRight", bevels + half, client - bevels - (bevels + half)},
      {L"cbLeftPath", S(1), client / 2 - S(52)},
      {L"LeftUpIcon", S(1) + client / 2 - S(52) + S(1), S(28)},
      {L"BtnLeftRoot", S(1) + client / 2 - S(52) + S(1) + S(28), S(17)},
      {L"BtnRightRoot", client - S(17), S(17)},
      {L"RightUpIcon", client - S(17) - S(28), S(28)},
      {L"LeftView", 0, half},
      {L"RightView", half, client - half},
      {L"currentPath", 0, half - S(10)},
      {L"CheckBox1", half - S(10), S(18)},
      {L"StatusLeft", 0, half},
      {L"StatusRight", half, client - half},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(Narrow(e.name));
    const TControl& control = Child(e.name);
    EXPECT_NEAR(control.Left(), e.left, 1);
    EXPECT_NEAR(control.Width(), e.width, 1);
  }
  EXPECT_NEAR(Child(L"BtnLeftRoot").Height(), S(31) - S(2), 1);
  EXPECT_NEAR(Child(L"BtnRightRoot").Height(), S(31) - S(5), 1);
  EXPECT_NEAR(Child(L"cbLeftPath").Top(), S(3), 1);

  auto& bar = Child<MainUnit::TToolBar>(L"LeftUpIcon");
  const RECT button = bar.FindButton(L"BtnLeftBack")->BoundsRect();
  EXPECT_NEAR(button.right - button.left, S(28), 1);
  EXPECT_NEAR(button.bottom - button.top, S(27), 1);
  // The back arrow is drawn at its size for the DPI, not stretched from 21 pixels.
  int imageWidth = 0;
  int imageHeight = 0;
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(bar.Handle(), TB_GETIMAGELIST, 0, 0));
  ASSERT_TRUE(ImageList_GetIconSize(images, &imageWidth, &imageHeight));
  EXPECT_EQ(imageWidth, S(21));
  EXPECT_EQ(imageHeight, S(21));
}

TEST_P(Scale, FunctionKeyButtonsShareTheBottomBand) {
  // An eighth of the window's outer width each, less a scaled 3, a scaled pixel apart.
  const int width = main_->Width() / 8 - S(3);
  // The same at the design's width: the frame, which does not scale exactly, moves it by a
  // pixel at most.
  EXPECT_NEAR(width, S(1429) / 8 - S(3), 2);
  int left = 0;
  for (const wchar_t* name : {L"BTN_F03", L"BTN_F04", L"BTN_F05", L"BTN_F06", L"BTN_F07",
                              L"BTN_F08", L"BTN_F09", L"BTN_F10"}) {
    SCOPED_TRACE(Narrow(name));
    auto& button = Child<MainUnit::TSpeedButton>(name);
    EXPECT_EQ(button.Width(), width);
    EXPECT_NEAR(button.Height(), S(35), 1);
    EXPECT_NEAR(button.Top(), S(1), 1);
    EXPECT_EQ(button.Left(), left);
    left += width + S(1);
  }
  EXPECT_EQ(Child<MainUnit::TSpeedButton>(L"BTN_F09").GlyphSize(), S(16));
}

TEST_P(Scale, FontsColumnsAndStatusPanelsScale) {
  for (const wchar_t* name : {L"DrivesLeft", L"cbLeftPath", L"LeftView", L"RightView",
                              L"StatusLeft", L"BTN_F09", L"Exec_CMD", L"currentPath"}) {
    SCOPED_TRACE(Narrow(name));
    auto font = reinterpret_cast<HFONT>(SendMessageW(Child(name).Handle(), WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    ASSERT_TRUE(GetObjectW(font, sizeof(logFont), &logFont));
    EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
    EXPECT_EQ(logFont.lfHeight, S(-11));
  }
  // At the design size every bounded column of the lists is at its maximum, the fixed
  // ones at their widths, and Name has the rest.
  const struct {
    const wchar_t* list;
    int widths[4];
  } lists[] = {{L"LeftView", {75, 150, 120, 45}}, {L"RightView", {80, 150, 120, 35}}};
  for (const auto& l : lists) {
    SCOPED_TRACE(Narrow(l.list));
    HWND list = Child(l.list).Handle();
    for (int i = 1; i < 5; ++i) {
      EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0), S(l.widths[i - 1])) << "column " << i;
    }
  }
  for (const wchar_t* name : {L"StatusLeft", L"StatusRight"}) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_EQ(Child<MainUnit::TStatusBar>(name).PanelEdges(),
              (std::vector<int>{S(100), 2 * S(100), 3 * S(100), -1}));
  }
}

TEST_P(Scale, ColumnBoundsScaleInANarrowWindow) {
  // Every auto-size column at its minimum, scaled.
  main_->SetClientSize(S(300), S(863));
  fm::test::PumpPending();
  const struct {
    const wchar_t* list;
    int widths[5];
  } lists[] = {{L"LeftView", {50, 75, 40, 70, 45}}, {L"RightView", {50, 40, 40, 0, 35}}};
  for (const auto& l : lists) {
    SCOPED_TRACE(Narrow(l.list));
    HWND list = Child(l.list).Handle();
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0), S(l.widths[i])) << "column " << i;
    }
  }
}

// No two controls that share a parent cover the same pixels.
TEST_P(Scale, NoControlOverlapsAnother) {
  std::vector<const TControl*> parents{main_.get()};
  for (size_t p = 0; p < parents.size(); ++p) {
    const auto& children = parents[p]->Controls();
    for (size_t i = 0; i < children.size(); ++i) {
      parents.push_back(children[i].get());
      if (!children[i]->Visible()) continue;
      const RECT a = children[i]->BoundsRect();
      for (size_t j = i + 1; j < children.size(); ++j) {
        if (!children[j]->Visible()) continue;
        const RECT b = children[j]->BoundsRect();
        RECT both;
        EXPECT_FALSE(IntersectRect(&both, &a, &b))
            << Narrow(children[i]->Name()) << " and " << Narrow(children[j]->Name()) << " overlap";
      }
    }
  }
}

// The drive box's line is as tall as its text and lies within its band, as do the other
// one-line boxes.
TEST_P(Scale, BoxLinesFitTheirText) {
  for (const wchar_t* name : {L"DrivesLeft", L"DrivesRight", L"cbLeftPath", L"cbRightPath"}) {
    SCOPED_TRACE(Narrow(name));
    const TControl& box = Child(name);
    const fm::WindowDc dc(box.Handle());
    const fm::SelectObjectScope font(dc.Get(), box.Font().Handle(dpi_));
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(dc.Get(), &metrics));
    const auto line =
        static_cast<int>(SendMessageW(box.Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    EXPECT_GE(line, metrics.tmHeight);
    const RECT bounds = box.BoundsRect();
    const RECT band = ClientBounds(*box.Parent());
    EXPECT_LE(bounds.bottom, band.bottom - band.top);
    // The text of the line selected, drawn whole within the box less its button.
    const std::wstring text = box.Text();
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    EXPECT_LE(extent.cx, bounds.right - bounds.left - fm::SystemMetricForDpi(SM_CXVSCROLL, dpi_))
        << Narrow(text);
  }
}

TEST_P(Scale, IconsAreOfTheDpisSizes) {
  // The window's own icons.
  const struct {
    WPARAM kind;
    int metric;
  } icons[] = {{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}};
  for (const auto& icon : icons) {
    auto handle = reinterpret_cast<HICON>(SendMessageW(main_->Handle(), WM_GETICON, icon.kind, 0));
    ASSERT_TRUE(handle);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    EXPECT_EQ(bitmap.bmWidth, fm::SystemMetricForDpi(icon.metric, dpi_));
  }
  // The rows' icons: the system's list of the DPI's size where the system has one, the
  // nearest where it does not.
  auto small = ListView_GetImageList(List().Handle(), LVSIL_SMALL);
  int width = 0;
  int height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(small, &width, &height));
  const int wanted = fm::SystemMetricForDpi(SM_CXSMICON, dpi_);
  if (dpi_ == fm::SystemDpi()) {
    EXPECT_EQ(width, wanted);
  } else {
    EXPECT_LE(std::abs(width - wanted), wanted / 2) << width;
  }
}

INSTANTIATE_TEST_SUITE_P(AsStarted, Scale, testing::Values(0));
INSTANTIATE_TEST_SUITE_P(MovedTo144, Scale, testing::Values(144));

}  // namespace
