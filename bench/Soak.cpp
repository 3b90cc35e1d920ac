// A long session on the real main window: navigations of every kind across a set of
// folders, with info tips over the rows after each, and the process's private bytes,
// handles and GDI and USER objects read at the start, after every 100 navigations and at
// the end. scripts/soak builds and runs it; it asserts nothing and is not a test.
//
//   foldmere_soak.exe [--navigations N] [--tips-per-navigation N] [--root DIR]
//                     [--fixtures DIR] [--report FILE] [--progress FILE]
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Machine.h"
#include "Measure.h"
#include "WinTestSupport.h"
#include "WindowBench.h"
#include "core/CaseFold.h"
#include "core/Error.h"
#include "core/ItemIdList.h"
#include "platform/ComApartment.h"
#include "ui/Application.h"
#include "ui/HintWindow.h"
#include "ui/ListView.h"
#include "ui/StdControls.h"
#include "ui/ToolBar.h"

namespace {

namespace fs = std::filesystem;
using bench::Count;
using bench::Fixed;
using bench::Progress;

struct Options {
  int navigations = 1000;
  int tipsPerNavigation = 10;
  std::wstring root = L"C:\\foldmere-soak";
  // The tests' fixture binaries, executables and libraries with version resources.
  std::wstring fixtures =
      bench::FolderOf(bench::FolderOf(bench::ExecutablePath())) + L"\\tests\\win\\fixtures";
  std::wstring report = L"soak-report.txt";
  std::wstring progress;
};

// The folders the session moves between, made anew each run: plain files, a deep chain,
// every attribute the rows colour, names beyond the keyboard, nothing at all, many, and
// the files whose tips say most.
void MakeFolders(const std::wstring& root, const std::wstring& fixtures) {
  auto file = [](const std::wstring& path, DWORD attributes = 0) {
    std::ofstream(fs::path(path), std::ios::binary) << "soak";
    if (attributes) SetFileAttributesW(path.c_str(), attributes);
  };
  fs::create_directories(root + L"\\plain");
  for (int i = 0; i < 20; ++i) file(root + L"\\plain\\file-" + std::to_wstring(i) + L".txt");
  fs::create_directories(root + L"\\nested\\a\\b\\c");
  file(root + L"\\nested\\a\\b\\c\\deep.txt");
  fs::create_directories(root + L"\\marked\\hidden-folder");
  SetFileAttributesW((root + L"\\marked\\hidden-folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
  file(root + L"\\marked\\read-only.txt", FILE_ATTRIBUTE_READONLY);
  file(root + L"\\marked\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  file(root + L"\\marked\\system.txt", FILE_ATTRIBUTE_SYSTEM);
  file(root + L"\\marked\\plain.txt");
  fs::create_directories(root + L"\\names");
  for (const wchar_t* name : {L"caf\u00e9.txt", L"\U0001F600 smile.txt", L"\u202Eright-to-left.txt",
                              L"\u65E5\u672C\u8A9E.txt", L"space in name.txt"}) {
    file(root + L"\\names\\" + name);
  }
  fs::create_directories(root + L"\\empty");
  fs::create_directories(root + L"\\many");
  for (int i = 0; i < 2000; ++i) {
    const std::wstring path = root + L"\\many\\item-" + std::to_wstring(i) + L".dat";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) file(path);
  }
  // Executables and libraries with version resources, full, partial, in other languages
  // and code pages, of drivers, and one with start-up code that reading must not run.
  const std::wstring tips = root + L"\\tips";
  fs::create_directories(tips);
  for (const wchar_t* name :
       {L"full.exe", L"partial.exe", L"ansi.exe", L"german.exe", L"notrans.exe", L"maskflags.exe",
        L"driver.dll", L"vxd.dll", L"strings.dll", L"marker.dll"}) {
    const std::wstring from = fixtures + L"\\" + name;
    if (!CopyFileW(from.c_str(), (tips + L"\\" + name).c_str(), FALSE)) {
      throw std::runtime_error("cannot copy the fixture " + fm::ToUtf8(from));
    }
  }
  // Folders whose desktop.ini gives a tip of its own, names a class (the recycle bin's,
  // which every system registers) with an indirect name, or an indirect name in a
  // library that is not there; and one without.
  const auto ini = [&](const std::wstring& folder, const char* text) {
    fs::create_directories(tips + L"\\" + folder);
    std::ofstream(fs::path(tips + L"\\" + folder + L"\\desktop.ini"), std::ios::binary) << text;
  };
  ini(L"described", "[.ShellClassInfo]\r\nInfoTip=A folder of its own\r\n");
  ini(L"classed",
      "[.ShellClassInfo]\r\nLocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21798\r\n"
      "CLSID={645FF040-5081-101B-9F08-00AA002F954E}\r\n");
  ini(L"unresolved",
      "[.ShellClassInfo]\r\nLocalizedResourceName=@missing-library.dll,-1\r\n"
      "InfoTip=@missing-library.dll,-2\r\n");
  fs::create_directories(tips + L"\\bare");
  file(tips + L"\\notes.txt");
  file(tips + L"\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
}

enum class Kind { Typed, Line, Back, Root, Drive, Open };
constexpr int kKinds = 6;

struct Step {
  Kind kind;
  // typed: the folder; line: the path box's line; drive: its letter; open: the caption of
  // the folder's row, or a part of it
  std::wstring target;
  std::wstring expected;  // the path the window shows after it
};

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Typed:
      return "typed path";
    case Kind::Line:
      return "path box line";
    case Kind::Back:
      return "back";
    case Kind::Root:
      return "root";
    case Kind::Drive:
      return "drive box";
    case Kind::Open:
      return "opened row";
  }
  return "";
}

// One round of 25 navigations that ends where the window starts, in "Drives", so that
// readings taken between rounds see the same folder shown. Typed paths end in a backslash:
// the path box's own lines never do, so the text is parsed anew each time as typed. Rows
// are opened with Enter, from the drives down into C:\windows\system32, down the deep
// chain and into a folder with a desktop.ini.
std::vector<Step> Round(const std::wstring& r) {
  return {
      {Kind::Open, L"(C:)", L"C:\\"},
      {Kind::Open, L"windows", L"C:\\windows"},
      {Kind::Open, L"system32", L"C:\\windows\\system32"},
      {Kind::Back, L"", L"C:\\windows"},
      {Kind::Typed, r + L"\\plain\\", r + L"\\plain"},
      {Kind::Typed, r + L"\\nested\\", r + L"\\nested"},
      {Kind::Open, L"a", r + L"\\nested\\a"},
      {Kind::Open, L"b", r + L"\\nested\\a\\b"},
      {Kind::Back, L"", r + L"\\nested\\a"},
      {Kind::Line, r + L"\\plain", r + L"\\plain"},
      {Kind::Typed, r + L"\\marked\\", r + L"\\marked"},
      {Kind::Typed, r + L"\\names\\", r + L"\\names"},
      {Kind::Root, L"", L"C:\\"},
      {Kind::Back, L"", L"Drives"},
      {Kind::Drive, L"Z", L"Z:\\"},
      {Kind::Typed, r + L"\\tips\\", r + L"\\tips"},
      {Kind::Open, L"described", r + L"\\tips\\described"},
      {Kind::Back, L"", r + L"\\tips"},
      {Kind::Typed, r + L"\\empty\\", r + L"\\empty"},
      {Kind::Line, r + L"\\nested\\a\\b", r + L"\\nested\\a\\b"},
      {Kind::Typed, r + L"\\many\\", r + L"\\many"},
      {Kind::Drive, L"C", L"C:\\"},
      {Kind::Line, r + L"\\names", r + L"\\names"},
      {Kind::Line, L"Z:\\", L"Z:\\"},
      {Kind::Line, L"Drives", L"Drives"},
  };
}

// The counters the session watches. GetGuiResources answers 0 where the system does not
// count GUI objects per process (Wine).
struct Reading {
  int navigations = 0;
  std::size_t bytes = 0;
  const char* counter = "";
  std::size_t heapBytes = 0;
  DWORD handles = 0;
  DWORD gdi = 0;
  DWORD user = 0;
  int windows = 0;
  long long keptBytes = 0;  // item ID list bytes the window has kept so far
};

// The open kernel handles: GetProcessHandleCount, or where the system answers 0 (Wine),
// the handle values that GetHandleInformation accepts, tried one by one.
DWORD HandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) return count;
  count = 0;
  for (std::uintptr_t value = 4; value < (1u << 17); value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

// The bytes of the blocks in use in every heap of the process: what the program holds,
// without the steps in which the heaps commit memory, which private bytes move by.
std::size_t HeapBytesInUse() {
  std::vector<HANDLE> heaps(16);
  for (;;) {
    const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count <= heaps.size()) {
      heaps.resize(count);
      break;
    }
    heaps.resize(count + 8);
  }
  std::size_t bytes = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
    }
    HeapUnlock(heap);
  }
  return bytes;
}

// The windows of this thread, top-level and child: where GetGuiResources answers 0, the
// USER objects that a leak of windows (hint windows, say) would show in.
int WindowCount() {
  // EnumChildWindows goes through every descendant.
  static constexpr WNDENUMPROC kCount = [](HWND, LPARAM counter) -> BOOL {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
  };
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM counter) -> BOOL {
        kCount(window, counter);
        EnumChildWindows(window, kCount, counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

Reading Read(int navigations, long long keptBytes) {
  Reading reading;
  reading.navigations = navigations;
  const auto memory = bench::WindowBench::PrivateBytes();
  reading.bytes = memory.bytes;
  reading.counter = memory.counter;
  reading.heapBytes = HeapBytesInUse();
  reading.handles = HandleCount();
  reading.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  reading.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  reading.windows = WindowCount();
  reading.keptBytes = keptBytes;
  return reading;
}

class Session {
 public:
  explicit Session(bench::WindowBench& window) : window_(window), main_(window.Main()) {
    pathBox_ = Find<fm::ui::TComboBox>(L"cbLeftPath");
    drives_ = Find<fm::ui::TComboBox>(L"DrivesLeft");
    back_ = dynamic_cast<MainUnit::TToolButton*>(
        Find<fm::ui::TToolBar>(L"LeftUpIcon")->FindButton(L"BtnLeftBack"));
    root_ = Find<MainUnit::TSpeedButton>(L"BtnLeftRoot");
    list_ = Find<fm::ui::TListView>(L"LeftView");
    if (!back_) throw std::runtime_error("the main window has no back button");
    // The buttons swallow a click that comes within a second of the last; the session
    // clicks faster than that, and every click is to count.
    back_->SetEnableClickWaitPeriod(false);
    root_->SetEnableClickWaitPeriod(false);
  }

  // One navigation as the user makes it; the bytes of the item ID list it made the window
  // keep (0 when it chose a folder the path box already holds).
  long long Navigate(const Step& step) {
    long long opened = 0;
    switch (step.kind) {
      case Kind::Typed:
        Type(step.target);
        break;
      case Kind::Line:
        ChooseLine(*pathBox_, pathBox_->IndexOf(step.target));
        break;
      case Kind::Back:
        back_->Click();
        break;
      case Kind::Root:
        root_->Click();
        break;
      case Kind::Drive:
        ChooseLine(*drives_, DriveLine(step.target));
        break;
      case Kind::Open:
        opened = Open(step.target);
        break;
    }
    window_.WaitPainted();
    if (!fm::EqualsAsciiNoCase(main_.Path(), step.expected)) {
      throw std::runtime_error(std::string(KindName(step.kind)) + " showed " +
                               fm::ToUtf8(main_.Path()) + " instead of " +
                               fm::ToUtf8(step.expected));
    }
    if (step.kind == Kind::Line) return 0;
    if (step.kind == Kind::Open) return opened;
    // A folder's item ID lists are alike whichever navigation made them: the path box's
    // line holds the first.
    const int line = pathBox_->IndexOf(main_.Path());
    if (line < 0) throw std::runtime_error("the shown folder has no path box line");
    return fm::ItemIDListSize(static_cast<const fm::ItemIdByte*>(pathBox_->ItemObject(line)));
  }

  // Shows `count` info tips over the rows in view, taken in turn, each asked for as the resting
  // pointer asks: the pointer moves onto the row, the hint pause ends (its timer is not
  // waited for) and the hint window shows the row's tip, then the pointer leaves the list.
  // How many were shown: none in a folder without rows.
  int Tips(int count) {
    const int rows = main_.LeftItemCount();
    if (rows == 0) return 0;
    const int top = list_->TopIndex();
    const int inView = std::max(1, std::min(rows - top, list_->VisibleRowCount()));
    for (int i = 0; i < count; ++i) {
      const int row = top + static_cast<int>(tipTurn_++ % inView);
      const RECT bounds = list_->ItemRect(row);
      const POINT point{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
      POINT screen = point;
      ClientToScreen(list_->Handle(), &screen);
      SetCursorPos(screen.x, screen.y);
      SendMessageW(list_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
      fm::ui::Application().ActivateHint();
      const fm::ui::THintWindow* hint = fm::ui::Application().HintWindow();
      if (!hint || !hint->Showing() || hint->Caption().rfind(L"Location: ", 0) != 0) {
        throw std::runtime_error("row " + std::to_string(row) + " of " + fm::ToUtf8(main_.Path()) +
                                 " showed no tip");
      }
      const std::wstring& tip = hint->Caption();
      if (tip.find(L"\r\nFunction: ") != std::wstring::npos) ++versionTips_;
      if (tip.find(L" (desktop.ini) ") != std::wstring::npos) ++iniTips_;
      // The tip is drawn before the pointer leaves.
      fm::test::PumpPending();
      SendMessageW(list_->Handle(), WM_MOUSELEAVE, 0, 0);
    }
    return count;
  }
  // Tips that showed a version resource's lines, and a desktop.ini's.
  long long VersionTips() const { return versionTips_; }
  long long IniTips() const { return iniTips_; }

 private:
  template <class T>
  T* Find(const wchar_t* name) {
    auto* control = dynamic_cast<T*>(main_.FindChild(name));
    if (!control) throw std::runtime_error("the main window lacks " + fm::ToUtf8(name));
    return control;
  }

  // The text goes into the path box's edit field and Enter is pressed, as the keyboard would.
  void Type(const std::wstring& text) {
    COMBOBOXINFO info{sizeof info};
    if (!GetComboBoxInfo(pathBox_->Handle(), &info)) throw std::runtime_error("no path box edit");
    SetWindowTextW(info.hwndItem, text.c_str());
    PostMessageW(info.hwndItem, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(info.hwndItem, WM_CHAR, L'\r', 1);
    fm::test::PumpPending();
  }

  // A line picked from the box's list: the selection changes and the box says so.
  void ChooseLine(fm::ui::TComboBox& box, int line) {
    if (line < 0) throw std::runtime_error("the box has no such line");
    box.SetItemIndex(line);
    SendMessageW(GetParent(box.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box.Handle()));
  }

  // The folder's row is selected and Enter pressed in the list, as the keyboard gives it.
  // The bytes of the row's absolute item ID list, which the window keeps.
  long long Open(const std::wstring& caption) {
    int row = -1;
    for (int i = 0; i < main_.LeftItemCount() && row < 0; ++i) {
      if (main_.GetLeftItem(i)->DisplayName() == caption) row = i;
    }
    for (int i = 0; i < main_.LeftItemCount() && row < 0; ++i) {
      if (main_.GetLeftItem(i)->DisplayName().find(caption) != std::wstring::npos) row = i;
    }
    if (row < 0) {
      throw std::runtime_error("no row " + fm::ToUtf8(caption) + " in " + fm::ToUtf8(main_.Path()));
    }
    list_->SelectItem(row);
    // Scrolled into view, the row gets its details.
    window_.WaitPainted();
    const MainUnit::TLeftShellItem& entry = *main_.GetLeftItem(row);
    if (entry.Empty) throw std::runtime_error("the row of " + fm::ToUtf8(caption) + " has no details");
    // The folder's absolute list, which the window keeps once it is entered.
    const fm::ItemIdList full = main_.LeftPane().AbsoluteIDList(entry);
    const long long bytes = fm::ItemIDListSize(reinterpret_cast<const fm::ItemIdByte*>(full.Get()));
    list_->SetFocus();
    PostMessageW(list_->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(list_->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    fm::test::PumpPending();
    return bytes;
  }

  int DriveLine(const std::wstring& letter) {
    for (int i = 0; i < drives_->Count(); ++i) {
      if (fm::StartsWithAsciiNoCase(drives_->Item(i), letter + L":")) return i;
    }
    return -1;
  }

  bench::WindowBench& window_;
  MainUnit::TMain& main_;
  fm::ui::TComboBox* pathBox_ = nullptr;
  fm::ui::TComboBox* drives_ = nullptr;
  MainUnit::TToolButton* back_ = nullptr;
  MainUnit::TSpeedButton* root_ = nullptr;
  fm::ui::TListView* list_ = nullptr;
  unsigned tipTurn_ = 0;
  long long versionTips_ = 0;
  long long iniTips_ = 0;
};

std::string Line(const Reading& r) {
  std::ostringstream line;
  line << (r.navigations == 0 ? std::string("start") : Count(r.navigations)) << "\t"
       << Count(static_cast<long long>(r.bytes)) << "\t"
       << Count(static_cast<long long>(r.heapBytes)) << "\t" << r.handles << "\t" << r.gdi << "\t"
       << r.user << "\t" << r.windows << "\t" << Count(r.keptBytes);
  return line.str();
}

struct TipCounts {
  long long shown = 0;
  long long version = 0;
  long long ini = 0;
  double ms = 0;
};

std::string Report(const std::vector<std::string>& head, const std::vector<Reading>& readings,
                   const std::vector<int>& kindCounts, int keeping, const TipCounts& tips,
                   double ms) {
  std::ostringstream out;
  for (const auto& line : head) out << line << "\n";
  out << "\nnavigations\tprivate bytes (" << readings.front().counter
      << ")\theap bytes in use\thandles\tGDI objects\tUSER objects\twindows"
      << "\tkept item ID list bytes\n";
  for (const Reading& r : readings) out << Line(r) << "\n";

  const Reading& start = readings.front();
  const Reading& end = readings.back();
  // From the 100th navigation on, caches of the first visits are warm: what grows from
  // there is what the window keeps.
  const Reading* warm = &start;
  for (const Reading& r : readings) {
    if (r.navigations == 100) warm = &r;
  }
  const int steps = end.navigations - warm->navigations;
  const double grown = static_cast<double>(end.bytes) - static_cast<double>(warm->bytes);
  const double kept = static_cast<double>(end.keptBytes - warm->keptBytes);
  const double heap = static_cast<double>(end.heapBytes) - static_cast<double>(warm->heapBytes);
  out << "\nNavigations: " << Count(end.navigations) << " in " << Fixed(ms / 1000, 0) << " s (";
  for (int k = 0; k < kKinds; ++k) {
    out << (k ? ", " : "") << kindCounts[k] << " " << KindName(static_cast<Kind>(k));
  }
  out << "); " << keeping << " of them keep the folder's item ID list.\n";
  out << "Info tips: " << Count(tips.shown) << " shown over the rows in view";
  if (tips.shown > 0) {
    out << ", " << Fixed(tips.ms / static_cast<double>(tips.shown), 2) << " ms each; "
        << Count(tips.version) << " with a version resource's lines, " << Count(tips.ini)
        << " with a desktop.ini's";
  }
  out << ".\n";
  if (steps > 0) {
    out << "From navigation " << Count(warm->navigations) << " to " << Count(end.navigations)
        << ": private bytes grew " << Fixed(grown / steps, 1) << " B per navigation; the kept item"
        << " ID lists are " << Fixed(kept / steps, 1) << " B per navigation ("
        << Count(static_cast<long long>(kept)) << " B), the rest "
        << Fixed((grown - kept) / steps, 1) << " B per navigation.\n";
    out << "Heap bytes in use grew " << Fixed(heap / steps, 1) << " B per navigation ("
        << Count(static_cast<long long>(heap)) << " B), the kept item ID lists taken away "
        << Fixed((heap - kept) / steps, 1) << " B per navigation.\n";
    out << "Handles " << warm->handles << " -> " << end.handles << ", GDI objects " << warm->gdi
        << " -> " << end.gdi << ", USER objects " << warm->user << " -> " << end.user;
    if (end.gdi == 0 && end.user == 0) out << " (GetGuiResources is not answered here)";
    out << ", windows " << warm->windows << " -> " << end.windows << ".\n";
  }
  out << "From the start: private bytes " << Count(static_cast<long long>(start.bytes)) << " -> "
      << Count(static_cast<long long>(end.bytes)) << ", handles " << start.handles << " -> "
      << end.handles << ".\n";
  return out.str();
}

int Run(const Options& options) {
  Progress progress(options.progress);
  std::vector<std::string> head = bench::MachineLines();
  for (const auto& line : head) progress(line);
  MakeFolders(options.root, options.fixtures);

  fm::test::ModalWatcher watch;
  bench::Stopwatch clock;
  std::vector<Reading> readings;
  std::vector<int> kindCounts(kKinds, 0);
  int keeping = 0;
  long long kept = 0;
  // Tips owed by a folder without rows are shown in the next one.
  int tipsOwed = 0;
  TipCounts tips;
  {
    bench::WindowBench window;
    Session session(window);
    readings.push_back(Read(0, 0));
    progress(Line(readings.back()));
    const std::vector<Step> round = Round(options.root);
    for (int n = 1; n <= options.navigations; ++n) {
      const Step& step = round[(n - 1) % round.size()];
      const long long bytes = session.Navigate(step);
      tipsOwed += options.tipsPerNavigation;
      bench::Stopwatch tipClock;
      const int shown = session.Tips(tipsOwed);
      tips.ms += tipClock.Ms();
      tipsOwed -= shown;
      tips.shown += shown;
      ++kindCounts[static_cast<int>(step.kind)];
      if (bytes > 0) ++keeping;
      kept += bytes;
      const auto boxes = watch.Boxes();
      if (!boxes.empty()) {
        throw std::runtime_error("a message box appeared at navigation " + std::to_string(n) +
                                 ": " + fm::ToUtf8(boxes.front().text));
      }
      if (n % 100 == 0 || n == options.navigations) {
        readings.push_back(Read(n, kept));
        progress(Line(readings.back()) + "\t(" + Fixed(clock.Ms() / 1000, 0) + " s)");
      }
    }
    tips.version = session.VersionTips();
    tips.ini = session.IniTips();
  }

  head.push_back("Readings after the navigation named and its tips, with the window showing " +
                 std::string("\"Drives\" at each full hundred (rounds of 25 end there)."));
  const std::string report = Report(head, readings, kindCounts, keeping, tips, clock.Ms());
  _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);
  std::ofstream(fs::path(options.report), std::ios::binary) << report;
  return 0;
}

Options Parse(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (i + 1 >= argc) throw std::runtime_error("an option lacks its value");
    const std::wstring value = argv[++i];
    if (arg == L"--navigations") {
      options.navigations = std::max(1, std::stoi(value));
    } else if (arg == L"--tips-per-navigation") {
      options.tipsPerNavigation = std::max(0, std::stoi(value));
    } else if (arg == L"--fixtures") {
      options.fixtures = value;
    } else if (arg == L"--root") {
      options.root = value;
    } else if (arg == L"--report") {
      options.report = value;
    } else if (arg == L"--progress") {
      options.progress = value;
    } else {
      throw std::runtime_error("unknown option " + fm::ToUtf8(arg));
    }
  }
  return options;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  try {
    fm::ComApartment apartment;
    fm::ui::Application().Initialize();
    fm::ui::Application().SetTitle(L"Foldmere x64");
    return Run(Parse(argc, argv));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "foldmere_soak: %s\n", error.what());
    return 1;
  }
}
