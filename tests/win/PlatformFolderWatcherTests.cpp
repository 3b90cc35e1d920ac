// The folder watcher on its own: a message window stands in for the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "WinTestSupport.h"
#include "platform/FolderWatcher.h"

namespace {

namespace fs = std::filesystem;

constexpr UINT kChanged = WM_APP + 7;

// A message-only window that keeps the watches the watcher posts.
class Listener {
 public:
  Listener() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Listener::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"FoldmereWatchListener";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Listener() { DestroyWindow(window_); }
  HWND Handle() const { return window_; }
  std::vector<int> posted;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kChanged) {
      reinterpret_cast<Listener*>(GetWindowLongPtrW(window, GWLP_USERDATA))->posted.push_back(static_cast<int>(wParam));
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
};

class PlatformFolderWatcher : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  const std::wstring folder_ = L"C:\\foldmere-tests\\watcher";
};

TEST_F(PlatformFolderWatcher, GathersTheNamesOfOneFolderAndPostsThemOnce) {
  Listener listener;
  fm::FolderWatcher watcher(listener.Handle(), kChanged);
  const int watch = watcher.Watch(folder_);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return watcher.OpenFolders() == 1; }));
  std::ofstream(fs::path(folder_ + L"\\a.txt")) << "x";
  fs::create_directories(folder_ + L"\\sub");
  // A change inside a subfolder is not the folder's own.
  std::ofstream(fs::path(folder_ + L"\\sub\\deep.txt")) << "x";
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !listener.posted.empty(); }));
  fm::test::PumpUntil([] { return false; }, 300);
  EXPECT_EQ(listener.posted, std::vector<int>{watch});
  const fm::FolderChanges changes = watcher.Take(watch);
  EXPECT_FALSE(changes.ReadWhole());
  std::vector<std::wstring> names = changes.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a.txt", L"sub"}));
  EXPECT_TRUE(watcher.Take(watch).Empty());

  watcher.Unwatch(watch);
  EXPECT_TRUE(fm::test::PumpUntil([&] { return watcher.OpenFolders() == 0; }));
}

TEST_F(PlatformFolderWatcher, AChangeMadeAsSoonAsTheWatchStartsIsHeard) {
  Listener listener;
  fm::FolderWatcher watcher(listener.Handle(), kChanged);
  // Several times over: a worker that listened late would miss some of them.
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    listener.posted.clear();
    const int watch = watcher.Watch(folder_);
    const std::wstring name = L"made-" + std::to_wstring(i) + L".txt";
    std::ofstream(fs::path(folder_ + L"\\" + name)) << "x";
    EXPECT_TRUE(fm::test::PumpUntil([&] { return !listener.posted.empty(); }, 3000));
    const std::vector<std::wstring> names = watcher.Take(watch).Names();
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
    watcher.Unwatch(watch);
  }
}

TEST_F(PlatformFolderWatcher, HeldChangesArePostedOnceLetGo) {
  Listener listener;
  fm::FolderWatcher watcher(listener.Handle(), kChanged);
  const int watch = watcher.Watch(folder_);
  watcher.Hold(true);
  std::ofstream(fs::path(folder_ + L"\\a.txt")) << "x";
  fm::test::PumpUntil([] { return false; }, 5 * fm::FolderWatcher::kGatherMs);
  EXPECT_TRUE(listener.posted.empty());
  watcher.Hold(false);
  EXPECT_TRUE(fm::test::PumpUntil([&] { return !listener.posted.empty(); }));
  EXPECT_EQ(watcher.Take(watch).Names(), std::vector<std::wstring>{L"a.txt"});
}

TEST_F(PlatformFolderWatcher, AReminderForLaterIsPostedOnceItsTimeIsUpWithNoChange) {
  Listener listener;
  fm::FolderWatcher watcher(listener.Handle(), kChanged);
  const int watch = watcher.Watch(folder_);
  watcher.Remind(watch, 1000);
  // Not at once: an owner that waits on the shell would ask again without pause.
  fm::test::PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(listener.posted.empty());
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !listener.posted.empty(); }, 5000));
  EXPECT_EQ(listener.posted, std::vector<int>{watch});
  EXPECT_TRUE(watcher.Take(watch).Empty());
  // Once only.
  fm::test::PumpUntil([] { return false; }, 1500);
  EXPECT_EQ(listener.posted.size(), 1u);
}

}  // namespace
