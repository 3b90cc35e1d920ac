// Helpers for tests that drive real windows under Wine.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fm::test {

// Handles the window messages until done() holds or the time limit passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Handles the messages that are waiting now, including those they cause.
void PumpPending();

// A key pressed and released as the keyboard would; with ctrl or shift, while that key is
// held.
struct Stroke {
  WORD key;
  bool ctrl = false;
  bool shift = false;
};

// Presses the keys one after another and handles the messages they cause.
void Press(std::initializer_list<Stroke> strokes);

// Whether the tests run under Wine rather than on Windows.
bool RunningUnderWine();

// The host's own path of a path of Wine's prefix; empty on Windows.
std::string HostPath(const std::wstring& path);
// Runs a shell command on the host, outside Wine, and waits for it to end: what it changes
// reaches the program from outside, as a Linux program's change would. With pumping, the
// window's messages are handled meanwhile.
bool RunOnHost(const std::string& command, bool pumping = false);
// Tells a top-level window that it now shows at dpi, as the system does when the window
// moves to a screen of another DPI (Wine never does): WM_DPICHANGED with the rectangle
// the system suggests, whose client area is the present one scaled by the ratio of the
// DPIs and whose frame keeps its width. from is the DPI the window shows at now.
void SendDpiChange(HWND window, int from, int dpi);

// The folder of links that the test run makes in the prefix from the Linux side; on
// Windows the test that needs it skips.
inline constexpr wchar_t kLinkFixture[] = L"C:\\foldmere-links";
// Files named "report.txt" and "report.txt." side by side, made with the links; one
// folder per test that uses them: menu, enter, tip.
inline constexpr wchar_t kSiblingFixture[] = L"C:\\foldmere-siblings";

// A window's client area as it is on the screen now.
class Capture {
 public:
  explicit Capture(HWND window);

  // How many pixels within rect are close to colour.
  int Near(RECT rect, COLORREF colour) const;
  // The pixel at a point of the client area.
  COLORREF Pixel(int x, int y) const;

 private:
  RECT client_{};
  std::vector<DWORD> pixels_;
};

// Whether a request to end the message loop is pending; takes it away.
bool TakeQuitRequest();

// While it lives, memory given back with delete is overwritten before it is freed, as a
// debug heap does: what is read after its delete is a pattern, not the old values, and a
// pointer read so points nowhere. The access faults meanwhile are counted, also those
// that the system swallows in a window procedure it called back.
class DebugHeapChecks {
 public:
  DebugHeapChecks();
  ~DebugHeapChecks();
  DebugHeapChecks(const DebugHeapChecks&) = delete;
  DebugHeapChecks& operator=(const DebugHeapChecks&) = delete;

  int AccessFaults() const;

 private:
  void* handler_;
};

// Answers every message box and dialog of this process with OK (or Close) while it
// lives, and keeps what each said: a box left open would otherwise stop the test.
class ModalWatcher {
 public:
  struct Box {
    std::wstring caption;
    std::wstring text;
    bool stopIcon;
  };

  ModalWatcher();
  ~ModalWatcher();
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;

  std::vector<Box> Boxes() const;

 private:
  void Watch();

  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Box> boxes_;
  std::thread thread_;
};

}  // namespace fm::test
