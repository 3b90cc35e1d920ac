#include "WinTestSupport.h"

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/Application.h"

namespace fm::test {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() > end) return done();
    fm::ui::Application().ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

std::string HostPath(const std::wstring& path) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  static const auto unixName =
      reinterpret_cast<UnixName>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
  if (!unixName) return {};
  char* name = unixName(path.c_str());
  if (!name) return {};
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

bool RunOnHost(const std::string& command, bool pumping) {
  // Wine's handle of a host program ends as soon as the program starts: the command
  // writes its exit code to a file of its own when it is done.
  static int runs = 0;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring done =
      std::wstring(temp) + L"foldmere-host-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs);
  const std::string hostDone = HostPath(done);
  if (hostDone.empty()) return false;
  const std::string whole =
      "(" + command + "); echo $? > '" + hostDone + ".part' && mv '" + hostDone + ".part' '" + hostDone + "'";
  std::wstring line = L"/bin/sh -c \"" + std::wstring(whole.begin(), whole.end()) + L"\"";
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  // For a host program Wine answers no process handle and, as the thread's, a value it
  // never opened: closing that closed whichever handle of this process had it.
  if (process.hProcess) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  const auto ended = [&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; };
  constexpr DWORD kLimitMs = 120000;
  if (pumping) {
    PumpUntil(ended, kLimitMs);
  } else {
    for (const ULONGLONG end = GetTickCount64() + kLimitMs; !ended() && GetTickCount64() < end;) Sleep(10);
  }
  char code[8] = {};
  if (FILE* file = _wfopen(done.c_str(), L"rb")) {
    std::fread(code, 1, sizeof(code) - 1, file);
    std::fclose(file);
  }
  DeleteFileW(done.c_str());
  return code[0] == '0' && (code[1] == '\n' || code[1] == '\0');
}

void PumpPending() {
  // Twice: handling a message may post more.
  fm::ui::Application().ProcessMessages();
  fm::ui::Application().ProcessMessages();
}

void SendDpiChange(HWND window, int from, int dpi) {
  RECT outer{};
  RECT client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const int frameWidth = (outer.right - outer.left) - client.right;
  const int frameHeight = (outer.bottom - outer.top) - client.bottom;
  const RECT suggested{outer.left, outer.top,
                       outer.left + frameWidth + MulDiv(client.right, dpi, from),
                       outer.top + frameHeight + MulDiv(client.bottom, dpi, from)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

void Press(std::initializer_list<Stroke> strokes) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  for (const Stroke& stroke : strokes) {
    if (stroke.ctrl) add(VK_CONTROL, false);
    if (stroke.shift) add(VK_SHIFT, false);
    add(stroke.key, false);
    add(stroke.key, true);
    if (stroke.shift) add(VK_SHIFT, true);
    if (stroke.ctrl) add(VK_CONTROL, true);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpUntil([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 2000);
  PumpPending();
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

Capture::Capture(HWND window) {
  GetClientRect(window, &client_);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = client_.right;
  info.bmiHeader.biHeight = -client_.bottom;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC windowDc = GetDC(window);
  HDC memoryDc = CreateCompatibleDC(windowDc);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memoryDc, bitmap);
  BitBlt(memoryDc, 0, 0, client_.right, client_.bottom, windowDc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  pixels_.assign(pixels, pixels + static_cast<size_t>(client_.right) * static_cast<size_t>(client_.bottom));
  SelectObject(memoryDc, old);
  DeleteObject(bitmap);
  DeleteDC(memoryDc);
  ReleaseDC(window, windowDc);
}

int Capture::Near(RECT rect, COLORREF colour) const {
  IntersectRect(&rect, &rect, &client_);
  int count = 0;
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    for (LONG x = rect.left; x < rect.right; ++x) {
      const COLORREF p = Pixel(x, y);
      const int distance = std::abs(GetRValue(p) - GetRValue(colour)) + std::abs(GetGValue(p) - GetGValue(colour)) +
                           std::abs(GetBValue(p) - GetBValue(colour));
      if (distance < 60) ++count;
    }
  }
  return count;
}

COLORREF Capture::Pixel(int x, int y) const {
  const DWORD p = pixels_.at(static_cast<size_t>(y) * static_cast<size_t>(client_.right) + static_cast<size_t>(x));
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool TakeQuitRequest() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

ModalWatcher::ModalWatcher() : thread_([this] { Watch(); }) {}

ModalWatcher::~ModalWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<ModalWatcher::Box> ModalWatcher::Boxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

namespace {

struct Found {
  DWORD process;
  std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM data) {
  auto& found = *reinterpret_cast<Found*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t className[16] = {};
  GetClassNameW(hwnd, className, 16);
  if (process == found.process && IsWindowVisible(hwnd) && std::wstring(className) == L"#32770") {
    found.dialogs.push_back(hwnd);
  }
  return TRUE;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t buffer[4096] = {};
  GetWindowTextW(hwnd, buffer, 4096);
  return buffer;
}

}  // namespace

void ModalWatcher::Watch() {
  while (!stop_) {
    Found found{GetCurrentProcessId(), {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&found));
    for (HWND dialog : found.dialogs) {
      // A message box keeps its text in the static control 0xFFFF and its icon in 0x14
      // (Windows) or 0x440 (Wine).
      Box box{WindowText(dialog), WindowText(GetDlgItem(dialog, 0xFFFF)), false};
      HWND icon = GetDlgItem(dialog, 0x14);
      if (!icon) icon = GetDlgItem(dialog, 0x440);
      const auto shown = reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
      box.stopIcon = icon && shown == LoadIconW(nullptr, IDI_HAND);
      {
        std::lock_guard lock(mutex_);
        boxes_.push_back(box);
      }
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      // Give it time to close before it could be counted twice.
      for (int i = 0; i < 100 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(10);
    }
    Sleep(20);
  }
}

}  // namespace fm::test

namespace {
std::atomic<bool> fillFreedMemory{false};
std::atomic<int> accessFaults{0};

LONG CALLBACK CountAccessFault(EXCEPTION_POINTERS* exception) {
  if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++accessFaults;
  return EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

fm::test::DebugHeapChecks::DebugHeapChecks() : handler_(AddVectoredExceptionHandler(1, CountAccessFault)) {
  accessFaults = 0;
  fillFreedMemory = true;
}
fm::test::DebugHeapChecks::~DebugHeapChecks() {
  fillFreedMemory = false;
  RemoveVectoredExceptionHandler(handler_);
}
int fm::test::DebugHeapChecks::AccessFaults() const { return accessFaults; }

// The program's deletes, replaced for the test program: the runtime's own new takes the
// memory from malloc, which tells the block's size.
void operator delete(void* memory) noexcept {
  if (memory && fillFreedMemory) std::memset(memory, 0xDD, _msize(memory));
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
