#include "Burst.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "Measure.h"
#include "platform/Handles.h"
#include "ui/Application.h"

namespace bench {

namespace {

constexpr double kCatchUpLimitMs = 120000;

// Runs the message loop until done answers true; an error past the limit.
template <typename Done>
void PumpUntil(Done done, const char* what) {
  Stopwatch clock;
  while (!done()) {
    if (clock.Ms() > kCatchUpLimitMs) throw std::runtime_error(std::string("the window did not ") + what);
    fm::ui::Application().ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

}  // namespace

BurstRun MeasureBurst(WindowBench& window, const std::wstring& folder, int files, const std::wstring& tag) {
  window.BrowseAndPaint(folder);
  const int before = window.Rows();
  std::vector<std::wstring> paths;
  for (int i = 0; i < files; ++i) paths.push_back(folder + L"\\burst-" + tag + L"-" + std::to_wstring(i) + L".tmp");

  const HWND handle = window.Main().Handle();
  std::atomic<bool> stop{false};
  std::atomic<bool> stopped{false};
  std::atomic<double> longest{0};
  std::thread asker([&] {
    while (!stop) {
      Stopwatch trip;
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(handle, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
      longest = std::max(longest.load(), trip.Ms());
      Sleep(1);
    }
    stopped = true;
  });
  std::atomic<bool> made{false};
  std::atomic<int> failed{0};
  double lastMade = 0;
  std::thread maker([&] {
    for (const std::wstring& path : paths) {
      const fm::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
      if (!file) ++failed;
    }
    lastMade = NowMs();
    made = true;
  });
  PumpUntil([&] { return made && window.Rows() == before + files; }, "show every file made");
  const double caughtUp = NowMs();
  stop = true;
  // The window answers the last question asked: a join that does not pump would hold it
  // until its time-out and count that as the window's.
  PumpUntil([&] { return stopped.load(); }, "answer the last question");
  asker.join();
  maker.join();
  if (failed) throw std::runtime_error("the burst could not make every file");

  std::set<std::wstring> rows;
  for (int i = 0; i < window.Rows(); ++i) rows.emplace(window.Main().GetLeftItem(i)->Name());
  std::set<std::wstring> listed;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) listed.insert(entry.path().filename().wstring());
  if (rows != listed) throw std::runtime_error("the rows after the burst are not the folder's");

  for (const std::wstring& path : paths) DeleteFileW(path.c_str());
  PumpUntil([&] { return window.Rows() == before; }, "show the files removed");
  return {caughtUp - lastMade, longest};
}

}  // namespace bench
