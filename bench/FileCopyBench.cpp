#include "FileCopyBench.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

#include "FileJobDriver.h"
#include "core/Error.h"
#include "core/PathText.h"
#include "platform/Handles.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

// The engine's block size, for a floor that does the same work with nothing around it.
constexpr DWORD kBlock = 1 << 20;

void BareCopy(const std::wstring& from, const std::wstring& to, std::byte* buffer) {
  const fm::UniqueHandle in(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  const fm::UniqueHandle out(CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                         nullptr));
  if (!in || !out) throw std::runtime_error("the floor's copy could not open its files");
  DWORD got = 0, put = 0;
  while (ReadFile(in.Get(), buffer, kBlock, &got, nullptr) && got > 0) {
    if (!WriteFile(out.Get(), buffer, got, &put, nullptr) || put != got)
      throw std::runtime_error("the floor's copy could not write");
  }
}

// A folder of folders of files copied by hand: CreateDirectoryW for each folder and
// copyFile for each file.
void CopyTree(const std::wstring& from, const std::wstring& to,
              const std::function<void(const std::wstring&, const std::wstring&)>& copyFile) {
  if (!CreateDirectoryW(to.c_str(), nullptr)) throw std::runtime_error("no target folder");
  WIN32_FIND_DATAW data;
  const fm::UniqueFindHandle find(FindFirstFileW((from + L"\\*").c_str(), &data));
  if (!find) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + L"\\" + name, to + L"\\" + name, copyFile);
    } else {
      copyFile(from + L"\\" + name, to + L"\\" + name);
    }
  } while (FindNextFileW(find.Get(), &data));
}

void PlatformCopy(const std::wstring& from, const std::wstring& to) {
  if (!CopyFileExW(from.c_str(), to.c_str(), nullptr, nullptr, nullptr, COPY_FILE_FAIL_IF_EXISTS))
    throw std::runtime_error("CopyFileExW failed");
}

// While it lives, a thread sends WM_NULL to window every 10 ms and keeps the longest round
// trip.
class ResponseWatch {
 public:
  explicit ResponseWatch(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            const double start = NowMs();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            const double ms = NowMs() - start;
            if (ms > longest_) longest_ = ms;
            Sleep(10);
          }
        }) {}
  ~ResponseWatch() {
    stop_ = true;
    thread_.join();
  }
  double Longest() const { return longest_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<double> longest_{0};
  std::thread thread_;
};

void RemoveTarget(const std::wstring& path) {
  std::error_code error;
  fs::remove_all(path, error);
  if (fs::exists(path)) throw std::runtime_error("the benchmark cannot clear " + fm::ToUtf8(path));
}

// One engine copy, with the UI thread's longest silence when watched.
double EngineCopy(const std::wstring& source, const std::wstring& targetFolder, double* silence) {
  fm::test::FileJobDriver driver;
  fm::JobRequest request{fm::JobKind::Copy, {source}, targetFolder};
  std::unique_ptr<ResponseWatch> watch;
  if (silence != nullptr) watch = std::make_unique<ResponseWatch>(driver.Window());
  const Stopwatch clock;
  const fm::JobProgress end = driver.WaitFor(driver.Engine().Add(request), 600000);
  const double ms = clock.Ms();
  if (end.state != fm::JobState::Done || !driver.Asked().empty())
    throw std::runtime_error("the engine's copy did not finish cleanly");
  if (watch) *silence = watch->Longest();
  return ms;
}

// Reads the file through, untimed, so that every way of copying starts with its source in
// the file cache. This machine's kernel pages out what stayed untouched for a minute
// (proactive reclaim), so a source last read before the small-file copies would come partly
// from the disk again, for whichever way reads it first.
void WarmCache(const std::wstring& file, std::byte* buffer) {
  const fm::UniqueHandle in(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!in) throw std::runtime_error("the benchmark cannot read " + fm::ToUtf8(file));
  DWORD got = 0;
  while (ReadFile(in.Get(), buffer, kBlock, &got, nullptr) && got > 0) {
  }
}

// Writes the copy's bytes to the disk, untimed: otherwise the next copy pays for the
// write-back of this one, and whichever way comes next looks slow.
void Settle(const std::wstring& file) {
  const fm::UniqueHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
  if (!handle || !FlushFileBuffers(handle.Get()))
    throw std::runtime_error("the benchmark cannot flush " + fm::ToUtf8(file));
}

double Timed(const std::function<void()>& work) {
  const Stopwatch clock;
  work();
  return clock.Ms();
}

std::string Ratio(const Summary& a, const Summary& b) { return Fixed(a.median / b.median, 3); }

std::string Verdict(bool met, const std::string& target) {
  return target + (met ? ": met" : ": MISSED");
}

}  // namespace

std::vector<Row> MeasureFileCopies(const CopyBenchOptions& options, Progress& progress) {
  const std::wstring big = options.root + L"\\one-gib.bin";
  const std::wstring tree = options.root + L"\\small-files";
  const std::wstring out = options.root + L"\\out";
  if (!fs::exists(big) || !fs::exists(tree)) throw std::runtime_error("no files to copy");
  RemoveTarget(out);
  fs::create_directories(out);
  const auto buffer = std::make_unique<std::byte[]>(kBlock);

  // Taken in turns within each repetition, so that a slower spell falls on all alike; the
  // first round warms the file cache and is not counted.
  std::vector<double> engine, floor, platform, treeEngine, treeFloor, treePlatform, silences;
  for (int rep = 0; rep <= options.reps; ++rep) {
    const std::wstring one = out + L"\\one-gib.bin", copy = out + L"\\small-files";
    double e = 0, fl = 0, pl = 0, te = 0, tfl = 0, tpl = 0, silence = 0;
    // Each way of copying comes first in turn, so that none is always the one after a
    // large delete.
    const std::function<void()> ones[] = {
        [&] { e = EngineCopy(big, out, nullptr); },
        [&] { fl = Timed([&] { BareCopy(big, one, buffer.get()); }); },
        [&] { pl = Timed([&] { PlatformCopy(big, one); }); },
    };
    const std::function<void()> trees[] = {
        [&] { te = EngineCopy(tree, out, &silence); },
        [&] {
          tfl = Timed([&] {
            CopyTree(tree, copy, [&](const std::wstring& from, const std::wstring& to) {
              BareCopy(from, to, buffer.get());
            });
          });
        },
        [&] { tpl = Timed([&] { CopyTree(tree, copy, PlatformCopy); }); },
    };
    // This machine gives memory left free for a few seconds back to its host, and the first
    // write into it afterwards runs ten times slower, whoever writes (a Linux dd as well).
    // An untimed copy takes that on; each timed copy then writes into the memory that the
    // one before it has just freed.
    BareCopy(big, one, buffer.get());
    Settle(one);
    for (int i = 0; i < 3; ++i) {
      WarmCache(big, buffer.get());
      RemoveTarget(one);
      ones[(rep + i) % 3]();
      Settle(one);
    }
    RemoveTarget(one);
    for (int i = 0; i < 3; ++i) {
      RemoveTarget(copy);
      trees[(rep + i) % 3]();
    }
    RemoveTarget(copy);
    progress("copies, repetition " + std::to_string(rep) + ": 1 GiB engine " + Fixed(e, 0) +
             " ms, floor " + Fixed(fl, 0) + " ms, CopyFileExW " + Fixed(pl, 0) +
             " ms; 10,000 files engine " + Fixed(te, 0) + " ms, floor " + Fixed(tfl, 0) +
             " ms, CopyFileExW " + Fixed(tpl, 0) + " ms, longest UI silence " + Fixed(silence, 1) +
             " ms");
    if (rep == 0) continue;
    engine.push_back(e);
    floor.push_back(fl);
    platform.push_back(pl);
    treeEngine.push_back(te);
    treeFloor.push_back(tfl);
    treePlatform.push_back(tpl);
    silences.push_back(silence);
  }
  RemoveTarget(out);

  const Summary e = Summarize(engine), f = Summarize(floor), te = Summarize(treeEngine),
                tf = Summarize(treeFloor), s = Summarize(silences);
  const double oneRatio = e.median / f.median, treeRatio = te.median / tf.median;
  std::vector<Row> rows = {
      {"9a copy one file through the engine (1 MiB blocks)", "1 GiB", e, "ms", Ratio(e, f),
       Verdict(oneRatio <= 1.05, "9a/floor <= 1.05")},
      {"9a floor: bare ReadFile/WriteFile loop, same buffer", "1 GiB", f, "ms"},
      {"9a beside: CopyFileExW", "1 GiB", Summarize(platform), "ms", Ratio(Summarize(platform), f)},
      {"9b copy 10 folders of 1,000 files of 4 KiB through the engine", "10,000", te, "ms",
       Ratio(te, tf), Verdict(treeRatio <= 1.10, "9b/floor <= 1.10")},
      {"9b floor: CreateDirectoryW and the bare loop", "10,000", tf, "ms"},
      {"9b beside: CopyFileExW in a loop", "10,000", Summarize(treePlatform), "ms",
       Ratio(Summarize(treePlatform), tf)},
      {"9c longest WM_NULL round trip to the UI thread during 9b", "10,000", s, "ms", "",
       Verdict(s.max <= 50, "max <= 50 ms")},
  };
  if (options.linuxCpMs >= 0) {
    rows.push_back({"9a beside: Linux cp (outside Wine)", "1 GiB",
                    Summary{options.linuxCpMs, options.linuxCpMs, options.linuxCpMs, 1}, "ms",
                    Fixed(options.linuxCpMs / f.median, 3)});
  }
  if (options.linuxCpTreeMs >= 0) {
    rows.push_back({"9b beside: Linux cp -r (outside Wine)", "10,000",
                    Summary{options.linuxCpTreeMs, options.linuxCpTreeMs, options.linuxCpTreeMs, 1},
                    "ms", Fixed(options.linuxCpTreeMs / tf.median, 3)});
  }
  return rows;
}

}  // namespace bench
