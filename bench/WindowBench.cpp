#include "WindowBench.h"

#include <psapi.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "Measure.h"
#include "core/Error.h"
#include "platform/Shell.h"
#include "ui/Application.h"

namespace bench {

namespace {

constexpr double kPaintLimitMs = 120000;

}  // namespace

WindowBench::WindowBench() {
  main_ = std::make_unique<MainUnit::TMain>();
  fm::ui::Application().SetMainForm(main_.get());
  list_ = dynamic_cast<fm::ui::TListView*>(main_->FindChild(L"LeftView"));
  status_ = dynamic_cast<fm::ui::TStatusBar*>(main_->FindChild(L"StatusLeft"));
  if (!list_ || !status_) throw std::runtime_error("the main window has no LeftView or StatusLeft");
  WaitPainted();
}

WindowBench::~WindowBench() {
  main_.reset();
  // The main form's end asks the message loop to stop; this program has no loop to stop.
  MSG message;
  PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

fm::ComPtr<IShellFolder> WindowBench::Bind(const std::wstring& path) {
  const fm::ComPtr<IShellFolder> desktop = fm::DesktopFolder();
  const fm::ItemIdList list = fm::ParseDisplayName(*desktop, fm::ui::Application().Handle(), path);
  return fm::BindToFolder(*desktop, list.Get());
}

double WindowBench::TimeReadFolder(const std::wstring& path, const std::wstring& away) {
  fm::ComPtr<IShellFolder> folder = Bind(path);
  list_->BeginUpdate();
  Stopwatch clock;
  main_->ReadFolder(folder);
  const double ms = clock.Ms();
  list_->EndUpdate();
  // The read replaced the items but not the shown folder's item ID list: navigate away
  // before anything paints the mix.
  BrowseAndPaint(away);
  return ms;
}

WindowBench::Navigation WindowBench::BrowseAndPaint(const std::wstring& path) {
  Stopwatch clock;
  main_->BrowseToPath(path);
  const double browse = clock.Ms();
  WaitPainted();
  const double total = clock.Ms();
  return {total, total - browse};
}

int WindowBench::RowsPerPage() const { return list_->VisibleRowCount(); }

std::vector<double> WindowBench::PageDown(int top, int steps) {
  if (top >= 0 && top != list_->TopIndex()) {
    // Getting there is not timed: the rows there load their details first.
    const RECT row = list_->ItemRect(list_->TopIndex());
    ListView_Scroll(list_->Handle(), 0, (top - list_->TopIndex()) * (row.bottom - row.top));
    WaitPainted();
  }
  return Page(SB_PAGEDOWN, steps);
}

std::vector<double> WindowBench::PageUp(int steps) { return Page(SB_PAGEUP, steps); }

std::vector<double> WindowBench::Page(WPARAM request, int steps) {
  const bool down = request == SB_PAGEDOWN;
  std::vector<double> times;
  for (int step = 0; step < steps; ++step) {
    const int before = list_->TopIndex();
    if (down ? before + RowsPerPage() >= Rows() : before == 0) break;
    Stopwatch clock;
    SendMessageW(list_->Handle(), WM_VSCROLL, MAKEWPARAM(request, 0), 0);
    WaitPainted();
    times.push_back(clock.Ms());
    if (list_->TopIndex() == before) throw std::runtime_error("a page step did not move the list");
  }
  return times;
}

double WindowBench::TimeKey(WORD key, BYTE modifier) {
  // The list and the pane read the modifier from the thread's key state.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  const BYTE held = keys[modifier];
  keys[modifier] |= 0x80;
  SetKeyboardState(keys);
  Stopwatch clock;
  SendMessageW(list_->Handle(), WM_KEYDOWN, key, 1);
  WaitPainted();
  const double ms = clock.Ms();
  keys[modifier] = held;
  SetKeyboardState(keys);
  SendMessageW(list_->Handle(), WM_KEYUP, key, 0xC0000001);
  return ms;
}

std::wstring WindowBench::SelectionPanel() const { return status_->PanelText(3); }

double WindowBench::TimeDetailsOfRow(int row) {
  if (!main_->GetLeftItem(row)->Empty) throw std::runtime_error("the row has its details already");
  Stopwatch clock;
  main_->FillItemDetails(row, row);
  return clock.Ms();
}

double WindowBench::TimeInfoTip(int row, std::wstring& tip) {
  const RECT bounds = list_->ItemRect(row);
  const POINT middle{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  Stopwatch clock;
  tip = list_->HintText(middle);
  return clock.Ms();
}

double WindowBench::TimeShownInfoTip(int row, std::wstring& tip) {
  const RECT bounds = list_->ItemRect(row);
  const POINT middle{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
  POINT cursor = middle;
  ClientToScreen(list_->Handle(), &cursor);
  Stopwatch clock;
  tip = list_->HintText(middle);
  int maxWidth = 0;
  const POINT position = list_->HintPosition(cursor, bounds, maxWidth);
  if (!hint_) {
    auto& application = fm::ui::Application();
    hint_ = application.HintWindowClass ? application.HintWindowClass()
                                        : std::make_unique<fm::ui::THintWindow>();
  }
  hint_->ActivateHint(position, tip, maxWidth);
  UpdateWindow(hint_->Handle());
  const double ms = clock.Ms();
  hint_->ReleaseHandle();
  return ms;
}

WindowBench::Memory WindowBench::PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof counters);
  if (counters.PrivateUsage != 0) return {counters.PrivateUsage, "PrivateUsage"};
  return {counters.PagefileUsage, "PagefileUsage"};
}

void WindowBench::BrowseBothAndPaint(const std::wstring& path) {
  BrowseAndPaint(path);
  MainUnit::TPane& right = main_->RightPane();
  right.BrowseToPath(path);
  Stopwatch clock;
  for (;;) {
    fm::ui::Application().ProcessMessages();
    const fm::ui::TListView& list = right.ListView();
    const int last = std::min(right.ItemCount(), list.TopIndex() + list.VisibleRowCount()) - 1;
    bool loaded = !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT);
    for (int i = list.TopIndex(); loaded && i <= last; ++i) loaded = !right.GetItem(i)->Empty;
    if (loaded) return;
    if (clock.Ms() > kPaintLimitMs) throw std::runtime_error("the right pane did not finish painting");
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

bool WindowBench::Painted() {
  // Nothing of this thread's windows waits to be painted...
  if (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) return false;
  // ...the rows in view have their details...
  const int rows = Rows();
  if (rows == 0) return true;
  const int top = list_->TopIndex();
  const int last = std::min(rows, top + list_->VisibleRowCount()) - 1;
  for (int i = top; i <= last; ++i) {
    if (main_->GetLeftItem(i)->Empty) return false;
  }
  // ...and the status bar counts them (the read itself writes "Folders: ").
  return status_->PanelText(0).rfind(L"Folder: ", 0) == 0;
}

void WindowBench::WaitPainted() {
  Stopwatch clock;
  for (;;) {
    fm::ui::Application().ProcessMessages();
    if (Painted()) return;
    if (clock.Ms() > kPaintLimitMs) {
      throw std::runtime_error("the window did not finish painting " + fm::ToUtf8(main_->Path()));
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

}  // namespace bench
