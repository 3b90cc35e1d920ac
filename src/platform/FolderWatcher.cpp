#include "platform/FolderWatcher.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/OsError.h"

namespace fm {

namespace {

constexpr DWORD kNames = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr DWORD kHeard = kNames | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES;
constexpr DWORD kBufferBytes = 64 * 1024;
// How long the end waits for the system to give back the buffers of reads cut short.
constexpr DWORD kCloseWaitMs = 2000;
// How long a new watch waits for the worker to listen before it goes on unsure.
constexpr DWORD kListenWaitMs = 5000;

}  // namespace

struct FolderWatcher::Folder {
  FolderWatcher* owner = nullptr;
  int watch = 0;
  UniqueHandle handle;
  OVERLAPPED overlapped{};
  // Records are DWORD-aligned within the buffer.
  std::vector<DWORD> buffer = std::vector<DWORD>(kBufferBytes / sizeof(DWORD));
  DWORD heard = kHeard;
  bool listening = false;
};

FolderWatcher::FolderWatcher(HWND window, UINT message)
    : window_(window), message_(message), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  worker_.Reset(CreateThread(nullptr, 0, &FolderWatcher::Start, this, 0, nullptr));
  if (!worker_) RaiseLastOSError();
}

FolderWatcher::~FolderWatcher() {
  stop_ = true;
  SetEvent(wake_.Get());
  WaitForSingleObject(worker_.Get(), INFINITE);
}

DWORD WINAPI FolderWatcher::Start(void* watcher) {
  static_cast<FolderWatcher*>(watcher)->Run();
  return 0;
}

int FolderWatcher::Watch(const std::wstring& folder, bool namesOnly) {
  const int watch = ++lastWatch_;
  {
    const std::lock_guard lock(gatheringsMutex_);
    gatherings_[watch];
  }
  // The worker listens before the caller reads the folder: a change made between the two
  // would otherwise go unheard.
  const auto listening = std::make_shared<UniqueHandle>(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  {
    const std::lock_guard lock(commandsMutex_);
    commands_.push_back({watch, folder, namesOnly, listening});
  }
  SetEvent(wake_.Get());
  if (*listening) WaitForSingleObject(listening->Get(), kListenWaitMs);
  return watch;
}

void FolderWatcher::Unwatch(int watch) {
  {
    const std::lock_guard lock(gatheringsMutex_);
    gatherings_.erase(watch);
  }
  {
    const std::lock_guard lock(commandsMutex_);
    commands_.push_back({watch, {}, false, nullptr});
    ++pending_;
  }
  SetEvent(wake_.Get());
}

FolderChanges FolderWatcher::Take(int watch) {
  const std::lock_guard lock(gatheringsMutex_);
  const auto found = gatherings_.find(watch);
  if (found == gatherings_.end()) return {};
  FolderChanges changes = std::move(found->second.changes);
  found->second = Gathering{};
  return changes;
}

void FolderWatcher::Remind(int watch, DWORD afterMs) {
  {
    const std::lock_guard lock(gatheringsMutex_);
    const auto found = gatherings_.find(watch);
    if (found == gatherings_.end()) return;
    found->second.reminder = GetTickCount64() + afterMs;
  }
  SetEvent(wake_.Get());
}

void FolderWatcher::Run() {
  DWORD wait = INFINITE;
  while (!stop_) {
    // Alertable: the reads' completion routines run inside this wait.
    WaitForSingleObjectEx(wake_.Get(), wait, TRUE);
    RunCommands();
    wait = PostDue();
  }
  std::vector<int> watches;
  for (const auto& [watch, folder] : folders_) watches.push_back(watch);
  for (const int watch : watches) Close(watch);
  const ULONGLONG end = GetTickCount64() + kCloseWaitMs;
  while (!closing_.empty() && GetTickCount64() < end) SleepEx(10, TRUE);
  // A read the system never gave back keeps its buffer: freeing it could let the system
  // write into freed memory.
}

void FolderWatcher::RunCommands() {
  std::vector<Command> commands;
  {
    const std::lock_guard lock(commandsMutex_);
    commands.swap(commands_);
  }
  for (Command& command : commands) {
    if (command.folder.empty()) {
      Close(command.watch);
      --pending_;
    } else {
      Open(command.watch, command.folder, command.namesOnly);
      if (command.listening && *command.listening) SetEvent(command.listening->Get());
    }
  }
}

void FolderWatcher::Hold(bool held) {
  held_ = held;
  SetEvent(wake_.Get());
}

void FolderWatcher::Open(int watch, const std::wstring& path, bool namesOnly) {
  auto folder = std::make_unique<Folder>();
  folder->heard = namesOnly ? kNames : kHeard;
  folder->owner = this;
  folder->watch = watch;
  folder->handle.Reset(CreateFileW(path.c_str(), FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  // A completion routine is free to use the event field: it carries the folder.
  folder->overlapped.hEvent = folder.get();
  if (!folder->handle || !Listen(*folder)) {
    const std::lock_guard lock(gatheringsMutex_);
    const auto found = gatherings_.find(watch);
    if (found != gatherings_.end()) {
      found->second.changes.End();
      if (!found->second.due) found->second.due = GetTickCount64();
    }
    return;
  }
  ++openFolders_;
  folders_[watch] = folder.release();
}

void FolderWatcher::Close(int watch) {
  const auto found = folders_.find(watch);
  if (found == folders_.end()) return;
  Folder* folder = found->second;
  folders_.erase(found);
  --openFolders_;
  if (folder->listening) {
    CancelIo(folder->handle.Get());
    closing_.push_back(folder);
  } else {
    delete folder;
  }
}

bool FolderWatcher::Listen(Folder& folder) {
  folder.listening = ReadDirectoryChangesW(folder.handle.Get(), folder.buffer.data(), kBufferBytes, FALSE, folder.heard,
                                           nullptr, &folder.overlapped, &FolderWatcher::Completed) != 0;
  return folder.listening;
}

void CALLBACK FolderWatcher::Completed(DWORD error, DWORD bytes, OVERLAPPED* overlapped) {
  auto* folder = static_cast<Folder*>(overlapped->hEvent);
  folder->listening = false;
  FolderWatcher& owner = *folder->owner;
  const auto closing = std::find(owner.closing_.begin(), owner.closing_.end(), folder);
  if (closing != owner.closing_.end()) {
    owner.closing_.erase(closing);
    delete folder;
    return;
  }
  owner.Heard(*folder, error, bytes);
}

void FolderWatcher::Heard(Folder& folder, DWORD error, DWORD bytes) {
  FolderChanges heard;
  if (error == ERROR_NOTIFY_ENUM_DIR || (error == ERROR_SUCCESS && bytes == 0)) {
    heard.Overflow();
  } else if (error != ERROR_SUCCESS) {
    heard.End();
  } else {
    // Each record is checked against what came back before it is read, and read by
    // copying: Wine packs its records without aligning them.
    const auto* base = reinterpret_cast<const BYTE*>(folder.buffer.data());
    const DWORD size = std::min(bytes, kBufferBytes);
    constexpr DWORD kHeader = offsetof(FILE_NOTIFY_INFORMATION, FileName);
    DWORD offset = 0;
    for (;;) {
      if (size < kHeader || offset > size - kHeader) break;
      FILE_NOTIFY_INFORMATION record;
      std::memcpy(&record, base + offset, kHeader);
      if (record.FileNameLength > size - offset - kHeader) break;
      std::wstring name(record.FileNameLength / sizeof(WCHAR), L'\0');
      std::memcpy(name.data(), base + offset + kHeader, name.size() * sizeof(WCHAR));
      heard.Add(name);
      if (record.NextEntryOffset == 0) break;
      offset += record.NextEntryOffset;
    }
  }
  // The next read starts before the changes are handed on, so that little goes unheard.
  if (!heard.Ended() && !Listen(folder)) heard.End();
  const std::lock_guard lock(gatheringsMutex_);
  const auto found = gatherings_.find(folder.watch);
  if (found == gatherings_.end()) return;
  Gathering& gathering = found->second;
  if (gathering.changes.Empty() && !gathering.posted) gathering.due = GetTickCount64() + kGatherMs;
  gathering.changes.Merge(heard);
}

DWORD FolderWatcher::PostDue() {
  const ULONGLONG now = GetTickCount64();
  ULONGLONG next = 0;
  // A reminder is no change: it is posted while changes are held.
  const bool held = held_;
  const std::lock_guard lock(gatheringsMutex_);
  for (auto& [watch, gathering] : gatherings_) {
    if (gathering.posted) continue;
    ULONGLONG due = held || gathering.changes.Empty() ? 0 : gathering.due;
    if (gathering.reminder && (!due || gathering.reminder < due)) due = gathering.reminder;
    if (!due) continue;
    if (due <= now) {
      gathering.posted = PostMessageW(window_, message_, static_cast<WPARAM>(watch), 0) != 0;
    } else if (!next || due < next) {
      next = due;
    }
  }
  return next ? static_cast<DWORD>(next - now) : INFINITE;
}

}  // namespace fm
