#include "MainWindowFixture.h"

namespace fm::test {

namespace fs = std::filesystem;

TestFolder::TestFolder(const std::wstring& name) : path_(L"C:\\foldmere-tests\\" + name) {
  Remove();
  fs::create_directories(path_);
}

TestFolder::~TestFolder() { Remove(); }

std::wstring TestFolder::File(const std::wstring& name, const std::string& content, DWORD attributes) const {
  const std::wstring file = *this / name;
  std::ofstream(fs::path(file), std::ios::binary) << content;
  if (attributes) SetFileAttributesW(file.c_str(), attributes);
  return file;
}

std::wstring TestFolder::Folder(const std::wstring& name) const {
  fs::create_directories(*this / name);
  return *this / name;
}

namespace {

// Removes a tree however deep: the standard library's removal leaves paths beyond the
// classic limit behind. Read-only files go once their attribute is cleared.
void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW find{};
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &find);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = find.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(find.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTree(child);
      } else if (!DeleteFileW(child.c_str())) {
        RemoveDirectoryW(child.c_str());
      }
    } while (FindNextFileW(search, &find));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

void TestFolder::Remove() { RemoveTree(path_); }

void MainWindowTest::SetUp() {
  main_ = std::make_unique<MainUnit::TMain>();
  fm::ui::Application().SetMainForm(main_.get());
  main_->SetBeep([this] { ++beeps_; });
  PumpPending();
}

void MainWindowTest::TearDown() {
  main_.reset();
  TakeQuitRequest();
  // The start-up sequence titled the application after the window; the next test starts
  // from the title the program starts with.
  fm::ui::Application().SetTitle(L"Foldmere x64");
}

void MainWindowTest::TypePath(const std::wstring& text) {
  COMBOBOXINFO info{sizeof(info)};
  ASSERT_TRUE(GetComboBoxInfo(PathBox().Handle(), &info));
  SetWindowTextW(info.hwndItem, text.c_str());
  PostMessageW(info.hwndItem, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(info.hwndItem, WM_CHAR, L'\r', 1);
  PumpPending();
}

RECT MainWindowTest::ClientBounds(const fm::ui::TControl& control) {
  RECT rect;
  GetWindowRect(control.Handle(), &rect);
  MapWindowPoints(HWND_DESKTOP, main_->Handle(), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MainWindowTest::Paint() {
  UpdateWindow(List().Handle());
  PumpPending();
}

const MainUnit::TLeftShellItem* MainWindowTest::Entry(const std::wstring& displayName) {
  for (int i = 0; i < Pane().ItemCount(); ++i) {
    if (Pane().GetItem(i)->DisplayName() == displayName) return Pane().GetItem(i);
  }
  return nullptr;
}

std::wstring MainWindowTest::TipOf(const std::wstring& caption) {
  for (int row = 0; row < List().ItemCount(); ++row) {
    if (List().ItemData(row).Caption != caption) continue;
    const RECT bounds = List().ItemRect(row);
    return List().HintText(
        POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
  }
  ADD_FAILURE() << "no row " << testing::PrintToString(caption);
  return {};
}

}  // namespace fm::test
