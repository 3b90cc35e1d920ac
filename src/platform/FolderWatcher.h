// Watches the folders the panes show for changes to their own items, on one worker thread
// for every watch. The worker never touches a window: it gathers the changes of a folder
// for a moment after the first, then posts the window a message whose wParam is the watch;
// the window takes the changes when it handles it. The window waits for the worker only
// while a new watch starts listening, so that a read made after it misses no change.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "core/FolderChanges.h"
#include "platform/Handles.h"

namespace fm {

class FolderWatcher {
 public:
  // How long the changes of a folder are gathered after the first before they are posted.
  static constexpr DWORD kGatherMs = 100;

  // Posts message to window when a watch has changes to take.
  FolderWatcher(HWND window, UINT message);
  // Stops the worker and waits for it: every watch ends.
  ~FolderWatcher();
  FolderWatcher(const FolderWatcher&) = delete;
  FolderWatcher& operator=(const FolderWatcher&) = delete;

  // Starts watching folder (its items, not theirs) and names the watch; never 0. Every
  // change made after it returns is heard. A watch of names only hears items come, go and
  // change names, not their contents.
  int Watch(const std::wstring& folder, bool namesOnly = false);
  void Unwatch(int watch);
  // The changes of the watch gathered so far; the next change starts a new gathering.
  FolderChanges Take(int watch);
  // Posts the watch's message now, whatever it gathered: its owner had more of the last
  // changes to apply than one turn of the window allows.
  void Remind(int watch) const { PostMessageW(window_, message_, static_cast<WPARAM>(watch), 0); }
  // Posts the watch's message after afterMs, or with the next gathering if that comes
  // first: its owner waits on something no change will tell of.
  void Remind(int watch, DWORD afterMs);
  // The folders the worker has open now: a watch counts from the moment the worker opens
  // its folder until it closes it.
  std::size_t OpenFolders() const { return openFolders_; }
  // Watches ended that the worker has not closed yet.
  std::size_t Pending() const { return pending_; }
  // While held, no change is posted (reminders are): the changes keep gathering and are
  // posted once let go.
  // For tests that look at rows older than the disk.
  void Hold(bool held);

 private:
  struct Folder;
  // A lock for std::lock_guard that throws nothing: std::mutex would bring in the ANSI
  // message call its system_error uses.
  struct SlimLock {
    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }
    SRWLOCK lock_ = SRWLOCK_INIT;
  };
  struct Command {
    int watch;
    std::wstring folder;  // empty: stop watching
    bool namesOnly;
    // Set once the folder is listened to, or cannot be; shared, since the caller may have
    // stopped waiting for it.
    std::shared_ptr<UniqueHandle> listening;
  };
  struct Gathering {
    FolderChanges changes;
    ULONGLONG due = 0;
    ULONGLONG reminder = 0;  // 0: none asked for
    bool posted = false;
  };

  static DWORD WINAPI Start(void* watcher);
  void Run();
  void RunCommands();
  void Open(int watch, const std::wstring& path, bool namesOnly);
  void Close(int watch);
  bool Listen(Folder& folder);
  void Heard(Folder& folder, DWORD error, DWORD bytes);
  // Posts every gathering whose time is up; returns how long until the next one is.
  DWORD PostDue();
  static void CALLBACK Completed(DWORD error, DWORD bytes, OVERLAPPED* overlapped);

  const HWND window_;
  const UINT message_;
  UniqueHandle wake_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> held_{false};
  std::atomic<int> lastWatch_{0};
  std::atomic<std::size_t> openFolders_{0};
  std::atomic<std::size_t> pending_{0};

  SlimLock commandsMutex_;
  std::vector<Command> commands_;

  SlimLock gatheringsMutex_;
  std::map<int, Gathering> gatherings_;

  // The worker's own.
  std::map<int, Folder*> folders_;
  // Folders closed whose last read has not come back yet: its buffer must live until then.
  std::vector<Folder*> closing_;

  UniqueHandle worker_;
};

// A watch that ends with its owner.
class FolderWatch {
 public:
  FolderWatch() = default;
  FolderWatch(FolderWatcher& watcher, const std::wstring& folder, bool namesOnly = false)
      : watcher_(&watcher), watch_(watcher.Watch(folder, namesOnly)) {}
  FolderWatch(FolderWatch&& other) noexcept
      : watcher_(std::exchange(other.watcher_, nullptr)), watch_(std::exchange(other.watch_, 0)) {}
  FolderWatch& operator=(FolderWatch&& other) noexcept {
    if (this != &other) {
      Reset();
      watcher_ = std::exchange(other.watcher_, nullptr);
      watch_ = std::exchange(other.watch_, 0);
    }
    return *this;
  }
  ~FolderWatch() { Reset(); }

  int Id() const { return watch_; }
  void Reset() {
    if (watcher_ && watch_) watcher_->Unwatch(watch_);
    watcher_ = nullptr;
    watch_ = 0;
  }

 private:
  FolderWatcher* watcher_ = nullptr;
  int watch_ = 0;
};

}  // namespace fm
