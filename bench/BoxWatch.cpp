#include "BoxWatch.h"

#include <windows.h>

#include "core/Error.h"

namespace bench {

namespace {

struct Found {
  DWORD process;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND hwnd, LPARAM data) {
  auto& found = *reinterpret_cast<Found*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t className[16] = {};
  GetClassNameW(hwnd, className, 16);
  if (process == found.process && IsWindowVisible(hwnd) && std::wstring(className) == L"#32770") {
    found.boxes.push_back(hwnd);
  }
  return TRUE;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

}  // namespace

BoxWatch::BoxWatch() : thread_([this] { Watch(); }) {}

BoxWatch::~BoxWatch() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> BoxWatch::Texts() const {
  std::lock_guard lock(mutex_);
  return texts_;
}

void BoxWatch::Watch() {
  while (!stop_) {
    Found found{GetCurrentProcessId(), {}};
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&found));
    for (HWND box : found.boxes) {
      // A message box keeps its text in the static control 0xFFFF.
      const std::wstring text = TextOf(box) + L": " + TextOf(GetDlgItem(box, 0xFFFF));
      {
        std::lock_guard lock(mutex_);
        texts_.push_back(fm::ToUtf8(text));
      }
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      for (int i = 0; i < 100 && IsWindow(box) && IsWindowVisible(box); ++i) Sleep(10);
    }
    Sleep(100);
  }
}

}  // namespace bench
