#include "ui/Application.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "core/Error.h"
#include "core/ErrorText.h"
#include "platform/Dpi.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/HintWindow.h"
#include "ui/Menus.h"
#include "ui/WindowClass.h"

namespace fm::ui {

namespace {

constexpr wchar_t kAppClassName[] = L"FoldmereApplication";
constexpr UINT_PTR kHintTimer = 1;
// Posted to the application window: show the error boxes that wait.
constexpr UINT kShowQueuedErrors = WM_APP + 1;

std::wstring Widen(const char* text) {
  if (!text || !*text) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring result(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), length);
  result.resize(static_cast<size_t>(length) - 1);
  return result;
}

HWND MessageBoxOwner() {
  HWND active = GetActiveWindow();
  if (active) return active;
  if (TForm* main = Application().MainForm(); main && main->Handle()) return main->Handle();
  return Application().Handle();
}

}  // namespace

TApplication& TApplication::Instance() {
  static TApplication application;
  return application;
}

// The hint window, declared last, goes before the application window that times it.
TApplication::~TApplication() = default;

void TApplication::Initialize() {
  if (handle_) return;
  // Before the first window: windows made before keep the awareness they were made with.
  RequestDpiAwareness();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                            ICC_LISTVIEW_CLASSES | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = AppWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kAppClassName;
  RegisterWindowClass(wc);
  // Hidden and without a taskbar button: the main form has that.
  handle_.Reset(CreateWindowChecked(WS_EX_TOOLWINDOW, kAppClassName, title_.c_str(), WS_POPUP, 0, 0, 0, 0,
                                    nullptr, nullptr, nullptr));
}

void TApplication::SetTitle(std::wstring title) {
  title_ = std::move(title);
  if (handle_) SetWindowTextW(handle_.Get(), title_.c_str());
}

LRESULT CALLBACK TApplication::AppWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kHintTimer) {
    KillTimer(hwnd, kHintTimer);
    const THandlerScope scope;
    CallHandler([] { Application().ActivateHint(); });
    return 0;
  }
  if (message == kShowQueuedErrors) {
    Application().ShowQueuedExceptions();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int TApplication::Run() {
  if (mainForm_ && ShowMainForm) mainForm_->Show();
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got < 0) return 1;
    Dispatch(message);
  }
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Left for the loop that runs the application.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void TApplication::Dispatch(const MSG& message) {
  if (IsShortCut(message) || IsFormShortCut(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void TApplication::Terminate() { PostQuitMessage(0); }

// A key pressed in any window of the main form is first offered to its menu's shortcuts.
bool TApplication::IsShortCut(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (!mainForm_ || !mainForm_->Handle() || !mainForm_->Menu()) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root != mainForm_->Handle()) return false;
  TShiftState shift = CurrentShiftState();
  // The message itself tells whether Alt was held when the key went down.
  shift.Alt = message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)) != 0;
  return mainForm_->Menu()->IsShortCut(static_cast<WORD>(message.wParam), shift);
}

bool TApplication::IsFormShortCut(const MSG& message) {
  if (message.message != WM_KEYDOWN || !message.hwnd) return false;
  auto* form = dynamic_cast<TForm*>(TControl::FromHandle(GetAncestor(message.hwnd, GA_ROOT)));
  if (!form || !form->OnShortCut) return false;
  bool taken = false;
  const THandlerScope scope;
  CallHandler([&] { taken = form->OnShortCut(static_cast<WORD>(message.wParam), CurrentShiftState()); });
  return taken;
}

void TApplication::HandleException(std::exception_ptr error) noexcept {
  std::wstring text;
  try {
    std::rethrow_exception(error);
  } catch (const fm::Error& e) {
    text = e.Text();
  } catch (const std::exception& e) {
    text = Widen(e.what());
  } catch (...) {
    text = L"Unknown exception";
  }
  if (handlerDepth_ > 0 && handle_) {
    QueueException(text);
  } else {
    ShowException(text);
  }
}

void TApplication::QueueException(const std::wstring& text) noexcept {
  try {
    const auto has = [&](const std::vector<std::wstring>& texts) {
      return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    if (has(queuedErrors_) || has(shownErrors_)) return;
    queuedErrors_.push_back(text);
  } catch (...) {
    // Without memory for the text the error is not shown.
    return;
  }
  PostMessageW(handle_.Get(), kShowQueuedErrors, 0, 0);
}

void TApplication::ShowQueuedExceptions() noexcept {
  while (!queuedErrors_.empty()) {
    const std::wstring text = std::move(queuedErrors_.front());
    queuedErrors_.erase(queuedErrors_.begin());
    ShowException(text);
  }
}

void TApplication::ShowException(const std::wstring& text) noexcept {
  CancelHint();
  try {
    if (std::find(shownErrors_.begin(), shownErrors_.end(), text) != shownErrors_.end()) return;
    shownErrors_.push_back(text);
  } catch (...) {
    return;
  }
  ::MessageBoxW(MessageBoxOwner(), fm::ErrorBoxText(text).c_str(), title_.c_str(),
              MB_OK | MB_ICONSTOP);
  shownErrors_.erase(std::find(shownErrors_.begin(), shownErrors_.end(), text));
}

void TApplication::ShowMessage(const std::wstring& text) {
  CancelHint();
  ::MessageBoxW(MessageBoxOwner(), text.c_str(), title_.c_str(), MB_OK);
}

void TApplication::SetScreenCursor(TCursor cursor) {
  cursor_ = cursor;
  // Show it at once, not only at the next pointer move.
  POINT point;
  GetCursorPos(&point);
  if (HCURSOR override = CursorOverride()) {
    SetCursor(override);
  } else if (HWND under = WindowFromPoint(point)) {
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

HCURSOR TApplication::CursorOverride() const {
  switch (cursor_) {
    case TCursor::crHourGlass:
      return LoadCursorW(nullptr, IDC_WAIT);
    case TCursor::crArrow:
      return LoadCursorW(nullptr, IDC_ARROW);
    case TCursor::crDefault:
      break;
  }
  return nullptr;
}

void TApplication::HintMouseMove(TControl& control, POINT point) {
  // Still within the bounds of the hint asked for last: nothing changes.
  if (hintControl_ == &control && PtInRect(&hintBounds_, point)) return;
  CancelHint();
  RECT bounds{};
  if (!control.HintAt(point, bounds)) return;
  hintControl_ = &control;
  hintBounds_ = bounds;
  hintPoint_ = point;
  hintPending_ = true;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control.Handle(), 0};
  TrackMouseEvent(&track);
  SetTimer(handle_.Get(), kHintTimer, HintPauseMs, nullptr);
}

void TApplication::CancelHint() {
  if (handle_) KillTimer(handle_.Get(), kHintTimer);
  hintPending_ = false;
  hintControl_ = nullptr;
  hintBounds_ = RECT{};
  if (hintWindow_) hintWindow_->ReleaseHandle();
}

void TApplication::ActivateHint() {
  if (!hintPending_ || !hintControl_ || !hintControl_->Handle()) return;
  hintPending_ = false;
  POINT cursor = hintPoint_;
  ClientToScreen(hintControl_->Handle(), &cursor);
  // The hint is asked for when it comes up, so it describes what is there now.
  const std::wstring text = hintControl_->HintText(hintPoint_);
  if (text.empty()) return;
  const RECT bounds = hintBounds_;
  int maxWidth = 0;
  const POINT position = hintControl_->HintPosition(cursor, bounds, maxWidth);
  if (!hintWindow_) {
    hintWindow_ = HintWindowClass ? HintWindowClass() : std::make_unique<THintWindow>();
  }
  hintWindow_->ActivateHint(position, text, maxWidth, hintControl_->Dpi());
}

void TApplication::SetHintWindowClass(std::function<std::unique_ptr<THintWindow>()> hintWindowClass) {
  CancelHint();
  HintWindowClass = std::move(hintWindowClass);
  hintWindow_.reset();
}

void TApplication::ControlDestroyed(TControl& control) {
  if (hintControl_ == &control) CancelHint();
}

}  // namespace fm::ui
