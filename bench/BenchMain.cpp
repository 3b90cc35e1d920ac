// Speed and memory of the folder read, navigation, scrolling, leaving a folder, start-up
// and info tips, on generated folders in C:\, printed as one table. scripts/bench makes the
// folders, builds and runs this; the README's Benchmarks section says what each row is.
//
//   foldmere_bench.exe [--quick] [--full-scroll] [--read-only] [--tips-only] [--selection-only]
//                      [--burst-only] [--copies-only] [--reps N] [--root DIR] [--copy-root DIR]
//                      [--linux-cp-ms MS] [--linux-cp-tree-ms MS] [--foldmere EXE] [--report FILE]
//                      [--progress FILE]
//   foldmere_bench.exe --memory-probe FOLDER AWAY OUT-FILE     (one run of measure 6)
//   foldmere_bench.exe --memory-probe-both FOLDER AWAY OUT-FILE     (one run of measure 6b)
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "Burst.h"
#include "FileCopyBench.h"
#include "Floor.h"
#include "Machine.h"
#include "Measure.h"
#include "Startup.h"
#include "WindowBench.h"
#include "core/Error.h"
#include "platform/ComApartment.h"
#include "ui/Application.h"

namespace {

namespace fs = std::filesystem;
using bench::Count;
using bench::ExecutablePath;
using bench::Fixed;
using bench::Progress;
using bench::FolderOf;
using bench::Row;
using bench::Summarize;
using bench::Summary;

// Every measure, or one group of them alone.
enum class Only { All, Read, Tips, Selection, Burst, Copies, Startup };

struct Options {
  bool quick = false;
  bool fullScroll = false;
  Only only = Only::All;
  int reps = 5;
  bench::CopyBenchOptions copies{L"C:\\foldmere-bench-copy"};
  std::wstring root = L"C:\\foldmere-bench";
  std::wstring foldmere;
  std::wstring report = L"bench-report.txt";
  std::wstring progress;
};

// Page-downs timed in each stretch of measure 4.
constexpr int kStretchSteps = 3;

// One generated folder and the label its rows carry.
struct Folder {
  std::wstring name;
  std::string size;
};

Options Parse(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    auto value = [&]() -> std::wstring {
      if (i + 1 >= argc) throw std::runtime_error("an option lacks its value");
      return argv[++i];
    };
    if (arg == L"--quick") {
      options.quick = true;
    } else if (arg == L"--full-scroll") {
      options.fullScroll = true;
    } else if (arg == L"--read-only") {
      options.only = Only::Read;
    } else if (arg == L"--tips-only") {
      options.only = Only::Tips;
    } else if (arg == L"--selection-only") {
      options.only = Only::Selection;
    } else if (arg == L"--burst-only") {
      options.only = Only::Burst;
    } else if (arg == L"--copies-only") {
      options.only = Only::Copies;
    } else if (arg == L"--startup-only") {
      options.only = Only::Startup;
    } else if (arg == L"--copy-root") {
      options.copies.root = value();
    } else if (arg == L"--linux-cp-ms") {
      options.copies.linuxCpMs = std::stod(value());
    } else if (arg == L"--linux-cp-tree-ms") {
      options.copies.linuxCpTreeMs = std::stod(value());
    } else if (arg == L"--reps") {
      options.reps = std::max(1, std::stoi(value()));
    } else if (arg == L"--root") {
      options.root = value();
    } else if (arg == L"--foldmere") {
      options.foldmere = value();
    } else if (arg == L"--report") {
      options.report = value();
    } else if (arg == L"--progress") {
      options.progress = value();
    } else {
      throw std::runtime_error("unknown option " + fm::ToUtf8(arg));
    }
  }
  if (options.foldmere.empty())
    options.foldmere = FolderOf(FolderOf(ExecutablePath())) + L"\\Foldmere.exe";
  return options;
}

// The window reports no error box; each box seen is a measurement not to trust.
void CheckNoBoxes(const fm::test::ModalWatcher& watch) {
  const auto boxes = watch.Boxes();
  if (!boxes.empty()) {
    throw std::runtime_error("a message box appeared: " + fm::ToUtf8(boxes.front().caption + L": " + boxes.front().text));
  }
}

// Both panes: each shows the folder, and the entries are those of the two lists together.
int MemoryProbe(const std::wstring& folder, const std::wstring& away, const std::wstring& out, bool both) {
  fm::test::ModalWatcher watch;
  bench::WindowBench window;
  auto show = [&](const std::wstring& path) {
    if (both) {
      window.BrowseBothAndPaint(path);
    } else {
      window.BrowseAndPaint(path);
    }
  };
  show(away);
  const auto before = bench::WindowBench::PrivateBytes();
  show(folder);
  const auto after = bench::WindowBench::PrivateBytes();
  CheckNoBoxes(watch);
  std::ofstream(fs::path(out)) << before.bytes << " " << after.bytes << " "
                               << (both ? window.RowsOfBothPanes() : window.Rows()) << " " << after.counter << "\n";
  return 0;
}

struct MemoryRun {
  double perEntry = 0;
  std::string counter;
};

// Measure 6 in a process of its own each time: a heap that has held a big folder before
// would serve the next one from memory it already has.
MemoryRun MemoryPerEntry(const std::wstring& folder, const std::wstring& away, int expectedRows, bool both) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring out = std::wstring(temp) + L"foldmere-bench-memory-" +
                           std::to_wstring(GetCurrentProcessId()) + L".txt";
  DeleteFileW(out.c_str());
  const std::wstring exe = ExecutablePath();
  std::wstring commandLine =
      L"\"" + exe + (both ? L"\" --memory-probe-both \"" : L"\" --memory-probe \"") + folder + L"\" \"" + away + L"\" \"" + out + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw std::runtime_error("could not start the memory probe");
  }
  const DWORD waited = WaitForSingleObject(process.hProcess, 600000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (waited != WAIT_OBJECT_0 || code != 0) throw std::runtime_error("the memory probe failed");
  unsigned long long before = 0, after = 0;
  int rows = 0;
  MemoryRun run;
  std::ifstream(fs::path(out)) >> before >> after >> rows >> run.counter;
  DeleteFileW(out.c_str());
  if (rows != expectedRows)
    throw std::runtime_error("the memory probe showed " + std::to_string(rows) + " rows");
  run.perEntry = (static_cast<double>(after) - static_cast<double>(before)) / rows;
  return run;
}

// The host's load while the run goes on: other work on the machine shows in the figures.
std::string HostLoad() {
  std::ifstream file(fs::path(L"Z:\\proc\\loadavg"));
  std::string one, five;
  if (!(file >> one >> five)) return "unknown";
  return one + " (1 min), " + five + " (5 min)";
}

std::string Verdict(bool met, const std::string& target) {
  return target + (met ? ": met" : ": MISSED");
}

std::string Duration(double ms) {
  const double seconds = ms / 1000;
  if (seconds < 120) return Fixed(seconds, 0) + " s";
  if (seconds < 7200) return Fixed(seconds / 60, 0) + " min";
  return Fixed(seconds / 3600, 1) + " h";
}

// Measures 1, 2, 3 and 5 on each folder, taken in turns within each repetition so that a
// slower spell of the machine falls on all of them alike. Returns the rows of 1 to 3;
// those of 5 are added to `leaveRows`.
std::vector<Row> MeasureFolders(const Options& options, const std::vector<Folder>& folders,
                                const Folder& biggest, bench::WindowBench& window,
                                const fm::test::ModalWatcher& watch, Progress& progress,
                                std::vector<Row>& leaveRows) {
  const std::wstring small = options.root + L"\\small";
  std::vector<Row> floorRows, leastRows, readRows, browseRows, afterRows, detailRows;
  for (const Folder& folder : folders) {
    const std::wstring path = options.root + L"\\" + folder.name;
    std::vector<double> floor, least, read, browse, after, details, leave;
    window.BrowseAndPaint(small);
    for (int rep = 0; rep < options.reps; ++rep) {
      const bench::FloorRun run =
          bench::MeasureFloor(*bench::WindowBench::Bind(path), fm::ui::Application().Handle());
      floor.push_back(run.ms);
      least.push_back(
          bench::MeasureLeastFloor(*bench::WindowBench::Bind(path), fm::ui::Application().Handle()).ms);
      read.push_back(window.TimeReadFolder(path, small));
      std::string line = fm::ToUtf8(folder.name) + " repetition " + std::to_string(rep + 1) +
                         ": floor " + Fixed(run.ms, 0) + " ms, least floor " + Fixed(least.back(), 0) +
                         " ms, ReadFolder " + Fixed(read.back(), 0) + " ms";
      if (options.only != Only::Read) {
        const auto shown = window.BrowseAndPaint(path);
        browse.push_back(shown.total);
        after.push_back(shown.afterBrowse);
        // One row far from those painted, as scrolling would reach it.
        details.push_back(window.TimeDetailsOfRow(window.Rows() * (rep + 1) / (options.reps + 1)));
        leave.push_back(window.BrowseAndPaint(small).total);
        line += ", to painted " + Fixed(browse.back(), 0) + " ms, one row's details " +
                Fixed(details.back(), 1) + " ms, leave " + Fixed(leave.back(), 0) + " ms";
      }
      CheckNoBoxes(watch);
      progress(line + " (" + Count(static_cast<long long>(run.items)) + " items)");
    }
    // The targets are set for the biggest folder; the others show how the figures grow.
    const bool targeted = folder.name == biggest.name && !options.quick;
    const Summary f = Summarize(floor), lf = Summarize(least), r = Summarize(read);
    const double ratio = r.median / lf.median;
    floorRows.push_back(
        {"1 floor: raw enumerate, parsing name, final path, 1 attribute query, sort", folder.size,
         f, "ms"});
    leastRows.push_back(
        {"1b floor: raw enumerate, parsing name, 1 attribute query of it, sort", folder.size, lf,
         "ms"});
    readRows.push_back({"2 ReadFolder", folder.size, r, "ms",
                        "2/1b = " + Fixed(ratio, 2) + " (of minimums " + Fixed(r.min / lf.min, 2) +
                            "), 2/1 = " + Fixed(r.median / f.median, 2),
                        targeted ? Verdict(ratio <= 1.3, "2/1b <= 1.3") : ""});
    if (options.only == Only::Read) continue;
    const Summary b = Summarize(browse), l = Summarize(leave);
    const double difference = b.median - r.median;
    const double share = l.median / r.median;
    browseRows.push_back({"3 BrowseToPath to painted rows with details and status", folder.size, b,
                          "ms", "3-2 = " + Fixed(difference, 0) + " ms"});
    const Summary a = Summarize(after), d = Summarize(details);
    afterRows.push_back({"3a of 3: from BrowseToPath's return to painted", folder.size, a, "ms", "",
                         targeted ? Verdict(a.median <= 100, "<= 100 ms") : ""});
    detailRows.push_back({"3b details of one row (FillItemDetails)", folder.size, d, "ms", "",
                          Verdict(d.median <= 2, "<= 2 ms")});
    leaveRows.push_back({"5 leave: BrowseToPath a folder of 10 files, to painted", folder.size, l,
                         "ms", "5/2 = " + Fixed(share * 100, 1) + " %",
                         targeted ? Verdict(share <= 0.05, "<= 5 %") : ""});
  }
  if (options.only != Only::Read) {
    // The same navigation between small folders: what a navigation costs without a big list.
    std::vector<double> smallBrowse;
    for (int rep = 0; rep < options.reps; ++rep)
      smallBrowse.push_back(window.BrowseAndPaint(small).total);
    browseRows.push_back({"3 BrowseToPath to painted rows with details and status", "10",
                          Summarize(smallBrowse), "ms"});
  }
  std::vector<Row> rows;
  for (auto* group : {&floorRows, &leastRows, &readRows, &browseRows, &afterRows, &detailRows}) {
    rows.insert(rows.end(), group->begin(), group->end());
  }
  return rows;
}

// Measure 4: page-downs from the top of the biggest folder to its bottom. The whole way
// when asked for; otherwise stretches of a few steps spread evenly from the top to the
// bottom, since under Wine every step loads a page of rows' details at a high price.
std::vector<Row> MeasureScroll(const Options& options, const Folder& biggest,
                               bench::WindowBench& window, Progress& progress, int& shownRows) {
  progress("scrolling " + fm::ToUtf8(biggest.name) +
           (options.fullScroll ? " from top to bottom" : " in stretches"));
  window.BrowseAndPaint(options.root + L"\\" + biggest.name);
  shownRows = window.Rows();
  const int perPage = window.RowsPerPage();
  const int pages = (window.Rows() + perPage - 1) / perPage;
  std::vector<std::vector<double>> stretches;
  // Page-ups back over rows whose details are loaded: the price of the paint alone.
  std::vector<double> repaints;
  if (options.fullScroll) {
    const std::vector<double> all = window.PageDown(-1, pages);
    for (int part = 0; part < options.reps; ++part) {
      stretches.emplace_back(
          all.begin() + static_cast<std::ptrdiff_t>(all.size() * part / options.reps),
          all.begin() + static_cast<std::ptrdiff_t>(all.size() * (part + 1) / options.reps));
    }
    repaints = window.PageUp(options.reps * kStretchSteps);
  } else {
    const int lastTop = std::max(0, window.Rows() - perPage * (kStretchSteps + 1));
    for (int part = 0; part < options.reps; ++part) {
      const int top = options.reps > 1 ? lastTop * part / (options.reps - 1) : 0;
      stretches.push_back(window.PageDown(top, kStretchSteps));
      const std::vector<double> back = window.PageUp(kStretchSteps);
      repaints.insert(repaints.end(), back.begin(), back.end());
      if (stretches.back().empty()) continue;
      progress("  stretch from row " + Count(top) + ": longest step " +
               Fixed(*std::max_element(stretches.back().begin(), stretches.back().end()), 0) +
               " ms");
    }
  }
  window.BrowseAndPaint(options.root + L"\\small");
  std::vector<double> longest, steps;
  for (const auto& stretch : stretches) {
    if (stretch.empty()) continue;
    longest.push_back(*std::max_element(stretch.begin(), stretch.end()));
    steps.insert(steps.end(), stretch.begin(), stretch.end());
  }
  const Summary worst = Summarize(longest);
  const Summary step = Summarize(steps);
  const std::string how = options.fullScroll
                              ? "in each fifth of the scroll"
                              : "in " + std::to_string(longest.size()) + " stretches of " +
                                    std::to_string(kStretchSteps) + ", top to bottom";
  return {
      {"4 page-down to painted: longest step " + how, biggest.size, worst, "ms",
       "longest " + Fixed(worst.max, 0) + " ms", Verdict(worst.max <= 100, "no step > 100 ms")},
      {"4 page-down to painted: every step timed (" + std::to_string(perPage) + " rows a page)",
       biggest.size, step, "ms",
       "whole scroll: " + Count(pages - 1) + " steps, ~" + Duration(step.median * (pages - 1))},
      {"4 page-up to painted over rows with their details (paint alone)", biggest.size,
       Summarize(repaints), "ms", "", Verdict(Summarize(repaints).median <= 30, "<= 30 ms")},
  };
}

// Measure 9: Ctrl+A over every row of the biggest folder, read anew so that no row's bytes
// are known yet; Shift+Down after it; Ctrl+A once more. Each up to the painted window.
std::vector<Row> MeasureSelection(const Options& options, const Folder& biggest, bench::WindowBench& window,
                                  Progress& progress) {
  std::vector<double> first, extend, again;
  for (int rep = 0; rep < options.reps; ++rep) {
    window.BrowseAndPaint(options.root + L"\\small");
    window.BrowseAndPaint(options.root + L"\\" + biggest.name);
    first.push_back(window.TimeKey('A', VK_CONTROL));
    const std::wstring all = window.SelectionPanel();
    if (all.rfind(L"Selected: " + std::to_wstring(window.Rows()) + L",", 0) != 0) {
      throw std::runtime_error("Ctrl+A showed " + fm::ToUtf8(all));
    }
    extend.push_back(window.TimeKey(VK_DOWN, VK_SHIFT));
    again.push_back(window.TimeKey('A', VK_CONTROL));
    progress("selection repetition " + std::to_string(rep + 1) + ": Ctrl+A " + Fixed(first.back(), 0) +
             " ms, Shift+Down " + Fixed(extend.back(), 0) + " ms, Ctrl+A again " + Fixed(again.back(), 0) +
             " ms (" + fm::ToUtf8(all) + ")");
  }
  window.BrowseAndPaint(options.root + L"\\small");
  return {
      {"11 Ctrl+A over every row, read anew, to painted", biggest.size, Summarize(first), "ms", ""},
      {"11 Shift+Down after Ctrl+A, to painted", biggest.size, Summarize(extend), "ms", ""},
      {"11 Ctrl+A again, to painted", biggest.size, Summarize(again), "ms", ""},
  };
}

// Measure 10: files made in the shown biggest folder, as fast as a thread goes.
std::vector<Row> MeasureBursts(const Options& options, const Folder& biggest, bench::WindowBench& window,
                               Progress& progress) {
  constexpr int kFiles = 1000;
  std::vector<double> caughtUp, stalls;
  for (int rep = 0; rep < options.reps; ++rep) {
    const bench::BurstRun run =
        bench::MeasureBurst(window, options.root + L"\\" + biggest.name, kFiles, std::to_wstring(rep));
    caughtUp.push_back(run.caughtUpMs);
    stalls.push_back(run.longestStallMs);
    progress("burst repetition " + std::to_string(rep + 1) + ": rows caught up " + Fixed(run.caughtUpMs, 0) +
             " ms after the last file, longest stall " + Fixed(run.longestStallMs, 0) + " ms");
  }
  window.BrowseAndPaint(options.root + L"\\small");
  const Summary late = Summarize(caughtUp);
  const Summary stall = Summarize(stalls);
  return {
      {"10 burst of " + Count(kFiles) + " files made in the shown folder: last made to rows equal a fresh read",
       biggest.size, late, "ms", "", Verdict(late.median <= 500, "<= 500 ms")},
      {"10 longest stall of the window during the burst (WM_NULL round trip)", biggest.size, stall, "ms",
       "longest " + Fixed(stall.max, 0) + " ms", Verdict(stall.max <= 100, "<= 100 ms")},
  };
}

// Measure 8: the tips of an executable with every version string, of a folder whose
// desktop.ini names a shell class and of one whose desktop.ini holds 5,000 keys, in a
// folder of the benchmark's own.
std::vector<Row> MeasureInfoTips(const Options& options, bench::WindowBench& window, Progress& progress) {
  const std::wstring folder = options.root + L"\\tips";
  const std::wstring described = folder + L"\\described";
  fs::create_directories(fs::path(described));
  const std::wstring fixture = FolderOf(FolderOf(ExecutablePath())) + L"\\tests\\win\\fixtures\\full.exe";
  if (!CopyFileW(fixture.c_str(), (folder + L"\\full.exe").c_str(), FALSE)) {
    throw std::runtime_error("cannot copy the fixture executable full.exe");
  }
  // The recycle bin's class, which every system registers.
  std::ofstream(fs::path(described + L"\\desktop.ini"), std::ios::binary)
      << "[.ShellClassInfo]\r\nLocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21798\r\n"
         "CLSID={645FF040-5081-101B-9F08-00AA002F954E}\r\n";
  const std::wstring crowded = folder + L"\\crowded";
  fs::create_directories(fs::path(crowded));
  {
    std::ofstream ini(fs::path(crowded + L"\\desktop.ini"), std::ios::binary);
    ini << "[.ShellClassInfo]\r\n";
    for (int key = 0; key < 5000; ++key) ini << "Key" << key << "=Value of key " << key << "\r\n";
  }
  window.BrowseAndPaint(folder);
  std::vector<Row> rows;
  const struct {
    const wchar_t* name;
    const char* what;
    bool shown;
  } tips[] = {{L"full.exe", "8 info tip: executable with a full version resource", false},
              {L"described", "8 info tip: folder whose desktop.ini names a class", false},
              {L"crowded", "8 info tip: desktop.ini of 5,000 keys", false},
              {L"crowded", "8 info tip: desktop.ini of 5,000 keys, composed and shown", true}};
  for (const auto& t : tips) {
    int row = 0;
    while (row < window.Rows() && window.Main().GetLeftItem(row)->DisplayName() != t.name) ++row;
    if (row == window.Rows()) throw std::runtime_error("the tips folder lacks " + fm::ToUtf8(t.name));
    std::vector<double> samples;
    std::wstring tip;
    for (int rep = 0; rep < options.reps; ++rep) {
      samples.push_back(t.shown ? window.TimeShownInfoTip(row, tip) : window.TimeInfoTip(row, tip));
    }
    const auto lines = std::count(tip.begin(), tip.end(), L'\n') + 1;
    progress(std::string(t.what) + ": " + std::to_string(lines) + " lines");
    const Summary summary = Summarize(samples);
    rows.push_back({t.what, "-", summary, "ms", std::to_string(lines) + " lines",
                    Verdict(summary.median <= 50, "<= 50 ms")});
  }
  return rows;
}

// Measure 6, each repetition in a fresh process; 6b with the folder in both panes.
Row MeasureMemory(const Options& options, const Folder& biggest, int rows, bool both, Progress& progress) {
  std::vector<double> perEntry;
  std::string counter;
  for (int rep = 0; rep < options.reps; ++rep) {
    const MemoryRun run = MemoryPerEntry(options.root + L"\\" + biggest.name, options.root + L"\\small",
                                         both ? 2 * rows : rows, both);
    perEntry.push_back(run.perEntry);
    counter = run.counter;
    progress("memory repetition " + std::to_string(rep + 1) + ": " + Fixed(run.perEntry, 0) +
             " bytes per entry");
  }
  const Summary memory = Summarize(perEntry);
  return {both ? "6b private bytes per entry with both panes showing the folder (" + counter + ")"
              : "6 private bytes per entry with the folder shown (" + counter + ")",
          biggest.size,
          memory,
          "B",
          "",
          Verdict(memory.median <= 350, "<= 350 B")};
}

// Measure 7: a first start warms the file cache and is not counted.
Row MeasureStartups(const Options& options, Progress& progress) {
  std::vector<double> startups;
  int unseen = 0;
  int drives = 0;
  for (int rep = 0; rep <= options.reps; ++rep) {
    const bench::StartupRun run = bench::MeasureStartup(options.foldmere);
    if (rep == 0) continue;
    startups.push_back(run.ms);
    unseen += run.pixelsSeen ? 0 : 1;
    drives = run.rows;
    progress("start-up repetition " + std::to_string(rep) + ": " + Fixed(run.ms, 0) + " ms" +
             (run.pixelsSeen ? "" : " (rows not seen on the screen)"));
  }
  return {"7 start-up: process start to painted window, " + std::to_string(drives) + " drive rows",
          "-", Summarize(startups), "ms",
          unseen ? std::to_string(unseen) + " runs without rows on screen" : ""};
}

int Run(const Options& options) {
  Progress progress(options.progress);
  std::vector<Folder> folders = {
      {L"files-1000", "1,000"}, {L"files-10000", "10,000"}, {L"mixed-10000", "10,000 mixed"}};
  if (!options.quick) folders.push_back({L"files-100000", "100,000"});
  // Measures 4 to 6 are about the biggest folder of the run.
  const Folder biggest = options.quick ? folders[1] : folders.back();

  std::vector<std::string> head = bench::MachineLines();
  head.push_back("Host load at the start: " + HostLoad());
  for (const auto& line : head) progress(line);

  fm::test::ModalWatcher watch;
  std::vector<Row> rows;
  int biggestRows = 0;
  if (options.only != Only::Copies && options.only != Only::Startup) {
    bench::WindowBench window;
    std::vector<Row> leaveRows;
    if (options.only == Only::All || options.only == Only::Read)
      rows = MeasureFolders(options, folders, biggest, window, watch, progress, leaveRows);
    if (options.only == Only::Tips) {
      rows = MeasureInfoTips(options, window, progress);
    } else if (options.only == Only::Selection) {
      rows = MeasureSelection(options, biggest, window, progress);
    } else if (options.only == Only::Burst) {
      rows = MeasureBursts(options, biggest, window, progress);
    } else if (options.only == Only::All) {
      const auto scroll = MeasureScroll(options, biggest, window, progress, biggestRows);
      rows.insert(rows.end(), scroll.begin(), scroll.end());
      rows.insert(rows.end(), leaveRows.begin(), leaveRows.end());
      const auto tips = MeasureInfoTips(options, window, progress);
      rows.insert(rows.end(), tips.begin(), tips.end());
      const auto selection = MeasureSelection(options, biggest, window, progress);
      rows.insert(rows.end(), selection.begin(), selection.end());
      const auto bursts = MeasureBursts(options, biggest, window, progress);
      rows.insert(rows.end(), bursts.begin(), bursts.end());
    }
    CheckNoBoxes(watch);
  }
  if (options.only == Only::All) {
    rows.push_back(MeasureMemory(options, biggest, biggestRows, false, progress));
    rows.push_back(MeasureMemory(options, biggest, biggestRows, true, progress));
  }
  if (options.only == Only::All || options.only == Only::Startup)
    rows.push_back(MeasureStartups(options, progress));
  if (options.only == Only::All || options.only == Only::Copies) {
    const auto copies = bench::MeasureFileCopies(options.copies, progress);
    rows.insert(rows.end(), copies.begin(), copies.end());
  }
  CheckNoBoxes(watch);

  head.push_back("Host load at the end: " + HostLoad());
  head.push_back("Each figure: median, min and max of " + std::to_string(options.reps) +
                 " repetitions (measure 4: of the longest step in each part; measure 9: of " +
                 std::to_string(options.copies.reps) + " after one round that warms the cache)." +
                 " Times in ms.");
  const std::string table = bench::FormatTable(head, rows);
  // The same bytes as the report file: no CR before each line feed.
  _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(table.data(), 1, table.size(), stdout);
  std::fflush(stdout);
  std::ofstream(fs::path(options.report), std::ios::binary) << table;
  progress("report written");
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  try {
    fm::ComApartment apartment;
    fm::ui::Application().Initialize();
    fm::ui::Application().SetTitle(L"Foldmere x64");
    if (argc == 5 && std::wstring(argv[1]) == L"--memory-probe")
      return MemoryProbe(argv[2], argv[3], argv[4], false);
    if (argc == 5 && std::wstring(argv[1]) == L"--memory-probe-both")
      return MemoryProbe(argv[2], argv[3], argv[4], true);
    return Run(Parse(argc, argv));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "foldmere_bench: %s\n", error.what());
    return 1;
  }
}
