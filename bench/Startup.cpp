#include "Startup.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

#include "Measure.h"

namespace bench {

namespace {

constexpr double kStartLimitMs = 120000;
constexpr DWORD kCloseLimitMs = 30000;

struct Search {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  // The process first: every question about another process's window is a round trip to
  // the server the measured program needs too.
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != search.process || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t caption[64] = {};
  GetWindowTextW(hwnd, caption, 64);
  if (std::wstring(caption).rfind(L"Foldmere x64", 0) == 0) {
    search.found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
  return TRUE;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

// The rows of a list in another process; -1 when it does not answer in time.
int RowCount(HWND list) {
  DWORD_PTR rows = 0;
  if (!SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &rows)) return -1;
  return static_cast<int>(rows);
}

// Whether the screen shows more than one colour where the list's first rows are: the
// paint reached the display, not only the program's own idea of it.
bool RowsOnScreen(HWND list) {
  RECT rect{};
  GetWindowRect(list, &rect);
  const int width = rect.right - rect.left;
  const int height = std::min<LONG>(rect.bottom - rect.top, 120);
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  std::set<DWORD> colours;
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (int i = 0; i < width * height && colours.size() < 3; ++i)
    colours.insert(pixels[i] & 0xFFFFFF);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return colours.size() >= 3;
}

class Process {
 public:
  explicit Process(const std::wstring& exe) {
    STARTUPINFOW startup{sizeof startup};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
      throw std::runtime_error("could not start Foldmere.exe, error " +
                               std::to_string(GetLastError()));
    }
  }
  ~Process() {
    // Only a program that ignored its close is ended the hard way.
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  bool Ended(DWORD waitMs) const {
    return WaitForSingleObject(info_.hProcess, waitMs) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
};

}  // namespace

StartupRun MeasureStartup(const std::wstring& exe) {
  StartupRun run;
  const double start = NowMs();
  Process process(exe);
  HWND main = nullptr;
  HWND list = nullptr;
  // The watch asks as little as it can each round: it shares the window server with the
  // program it times, and a heavier watch made the start-up it measured slower.
  std::map<HWND, bool> isList;
  for (;;) {
    if (NowMs() - start > kStartLimitMs)
      throw std::runtime_error("Foldmere.exe showed no painted window");
    if (process.Ended(0)) throw std::runtime_error("Foldmere.exe ended during start-up");
    if (!main) {
      Search search{process.Id()};
      EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
      main = search.found;
    }
    // Painted: no part of the window waits for a paint, and the left list has rows.
    if (main && !GetUpdateRect(main, nullptr, FALSE)) {
      std::vector<HWND> children;
      EnumChildWindows(main, CollectChild, reinterpret_cast<LPARAM>(&children));
      const bool pending = std::any_of(children.begin(), children.end(), [](HWND child) {
        return IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE);
      });
      list = nullptr;
      for (HWND child : pending ? std::vector<HWND>{} : children) {
        auto known = isList.find(child);
        if (known == isList.end()) known = isList.emplace(child, ClassOf(child) == WC_LISTVIEWW).first;
        if (known->second && IsWindowVisible(child) && RowCount(child) > 0) {
          list = child;
          break;
        }
      }
      if (list) break;
    }
    Sleep(2);
  }
  run.ms = NowMs() - start;
  run.rows = RowCount(list);
  run.pixelsSeen = RowsOnScreen(list);

  PostMessageW(main, WM_CLOSE, 0, 0);
  if (!process.Ended(kCloseLimitMs))
    throw std::runtime_error("Foldmere.exe did not end after WM_CLOSE");
  if (process.ExitCode() != 0) {
    throw std::runtime_error("Foldmere.exe ended with exit code " +
                             std::to_string(process.ExitCode()));
  }
  return run;
}

}  // namespace bench
