// The real main window for a test, and folders of the test's own in the prefix's C: drive.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "MainUnit.h"
#include "WinTestSupport.h"

namespace fm::test {

// A folder of its own in C:\, removed with everything in it afterwards.
class TestFolder {
 public:
  explicit TestFolder(const std::wstring& name);
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::wstring File(const std::wstring& name, const std::string& content = "x", DWORD attributes = 0) const;
  std::wstring Folder(const std::wstring& name) const;

 private:
  void Remove();
  std::wstring path_;
};

// One side of the window: the names of its controls, and whether it is the left pane.
struct PaneSide {
  const char* name;
  bool left;
  const wchar_t* list;
  const wchar_t* pathBox;
  const wchar_t* drives;
  const wchar_t* backBar;
  const wchar_t* back;
  const wchar_t* root;
  const wchar_t* label;
  const wchar_t* status;
};
inline const PaneSide kLeftSide{"left",       true,          L"LeftView",    L"cbLeftPath", L"DrivesLeft",
                                L"LeftUpIcon", L"BtnLeftBack", L"BtnLeftRoot", L"currentPath", L"StatusLeft"};
inline const PaneSide kRightSide{"right",       false,          L"RightView",    L"cbRightPath",      L"DrivesRight",
                                 L"RightUpIcon", L"BtnRightBack", L"BtnRightRoot", L"currentPathRight", L"StatusRight"};
inline const PaneSide kSides[] = {kLeftSide, kRightSide};

// Creates the main window as the application's main form, shown on the test screen. The
// helpers work on one side, the left unless a test chooses the other.
class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  template <class T = fm::ui::TControl>
  T& Child(const std::wstring& name) {
    auto* control = dynamic_cast<T*>(main_->FindChild(name));
    if (!control) throw std::runtime_error("no control of that kind");
    return *control;
  }

  void UseSide(const PaneSide& side) { side_ = &side; }
  const PaneSide& Side() const { return *side_; }
  MainUnit::TPane& Pane() { return side_->left ? main_->LeftPane() : main_->RightPane(); }
  MainUnit::TComboBox& PathBox() { return Child<MainUnit::TComboBox>(side_->pathBox); }
  MainUnit::TListView& List() { return Child<MainUnit::TListView>(side_->list); }
  std::wstring Status(int panel) { return Child<MainUnit::TStatusBar>(side_->status).PanelText(panel); }
  // Types text into the path box and presses Enter, as the keyboard would.
  void TypePath(const std::wstring& text);
  // Paints the list now, which loads the details of the rows it shows.
  void Paint();
  // A control's bounds relative to the main window's client area.
  RECT ClientBounds(const fm::ui::TControl& control);
  // The entry shown under this name, or null.
  const MainUnit::TLeftShellItem* Entry(const std::wstring& displayName);
  // The info tip of the row captioned caption, asked for at the middle of the row the way
  // the pointer asks for it.
  std::wstring TipOf(const std::wstring& caption);

  std::unique_ptr<MainUnit::TMain> main_;
  int beeps_ = 0;

 private:
  const PaneSide* side_ = &kLeftSide;
};

}  // namespace fm::test
