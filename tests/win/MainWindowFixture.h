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

// Creates the main window as the application's main form, shown on the test screen.
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

  MainUnit::TComboBox& PathBox() { return Child<MainUnit::TComboBox>(L"cbLeftPath"); }
  MainUnit::TListView& List() { return Child<MainUnit::TListView>(L"LeftView"); }
  std::wstring Status(int panel) { return Child<MainUnit::TStatusBar>(L"StatusLeft").PanelText(panel); }
  // Types text into the path box and presses Enter, as the keyboard would.
  void TypePath(const std::wstring& text);
  // Paints the list now, which loads the details of the rows it shows.
  void Paint();
  // The entry shown under this name, or null.
  const MainUnit::TLeftShellItem* Entry(const std::wstring& displayName);
  // The info tip of the row captioned caption, asked for at the middle of the row the way
  // the pointer asks for it.
  std::wstring TipOf(const std::wstring& caption);

  std::unique_ptr<MainUnit::TMain> main_;
  int beeps_ = 0;
};

}  // namespace fm::test
