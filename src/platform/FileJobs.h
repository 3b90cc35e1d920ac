// The file-operation engine: copy, move and permanent delete of the user's items on one
// worker thread with a queue. The worker never touches a window: it posts `message` to the
// window it was given whenever there is news, and the UI thread takes the news with
// TakeNews(). A question (a name that exists, a step that failed) holds its job until the
// UI thread answers it; nothing on the UI thread ever waits on the worker.
//
// The engine copies with its own loop on CreateFileW/ReadFile/WriteFile rather than the
// platform's CopyFileExW, which under Wine ignores its progress routine and cancel flag,
// copies in 64 KiB blocks and leaves a partial target when a write fails. The same loop runs
// on Windows, so what the tests show under Wine is what runs there. Where Wine falls short:
// - FindFirstStreamW lists no alternate data streams under Wine, so the streams (a
//   downloaded file's zone mark) are copied only on Windows; under Wine the copy of the main
//   data, times and attributes is what is shown.
// - Wine lists a Linux link to a folder as a reparse point but can neither read it
//   (FSCTL_GET_REPARSE_POINT fails) nor remove it as a link, and CreateSymbolicLinkW makes
//   nothing while answering success. The engine never enters such a link: a copy or
//   delete of it is asked about (Retry / Skip / Cancel), and a link call that answers
//   success without a link to show is taken as a failure.
// - Sending to the Recycle Bin is not the engine's; the shell's SHFileOperationW does it
//   (under Wine into $XDG_DATA_HOME/Trash). Its copies and moves are not used: under Wine
//   they replace an existing target without asking and cannot be cancelled.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fm {

using JobId = std::uint32_t;

enum class JobKind { Copy, Move, Delete };

struct JobRequest {
  JobKind kind = JobKind::Copy;
  // Full paths of the items, all in one folder.
  std::vector<std::wstring> sources;
  // The folder the items go into (not used by Delete).
  std::wstring targetFolder;
  // A new name for a single item copied or moved; empty keeps each item's own name.
  std::wstring targetName;
  // A job may be queued paused: it waits until resumed.
  bool startPaused = false;
};

enum class JobState { Waiting, Counting, Running, Paused, Asking, Done, Cancelled, Failed };

// A job as the progress window shows it.
struct JobProgress {
  JobId id = 0;
  JobKind kind = JobKind::Copy;
  JobState state = JobState::Waiting;
  std::wstring currentItem;  // full path of the item being worked on
  std::uint64_t itemsDone = 0, itemsTotal = 0;
  std::uint64_t bytesDone = 0, bytesTotal = 0;
  // Bytes per second over the last few seconds, 0 while unknown.
  std::uint64_t bytesPerSecond = 0;
  // Sources whose folders and targets changed, so that panes showing them read them again.
  std::vector<std::wstring> changedFolders;
  // Why a Failed job failed (system text).
  std::wstring failure;
};

// What a question is about: a target name that exists (or is read-only), or a step that failed.
struct ItemFacts {
  std::wstring path;
  std::uint64_t size = 0;
  FILETIME lastWrite{};
  DWORD attributes = 0;
};

enum class QuestionKind { NameExists, ReadOnlyTarget, StepFailed };

struct JobQuestion {
  JobId id = 0;
  QuestionKind kind = QuestionKind::NameExists;
  ItemFacts source, target;
  // For StepFailed: the system's text for the failure.
  std::wstring failure;
};

enum class Answer {
  Overwrite, OverwriteAll, OverwriteAllOlder,
  Skip, SkipAll,
  KeepBoth,
  Retry,
  Cancel
};

struct JobNews {
  std::vector<JobProgress> jobs;             // every job not yet taken as finished
  std::vector<JobQuestion> questions;        // questions waiting for an answer
};

class FileJobEngine {
 public:
  // Starts the worker; it posts `message` (wParam 0, lParam 0) to `window` when there is news,
  // at most every 100 ms while a job runs.
  FileJobEngine(HWND window, UINT message);
  // Cancels every job and joins the worker (a running file's partial copy is removed first).
  ~FileJobEngine();
  FileJobEngine(const FileJobEngine&) = delete;
  FileJobEngine& operator=(const FileJobEngine&) = delete;

  // Refuses (throws with a text for the user) before anything is written when a folder would
  // go into itself or an item onto itself.
  JobId Add(JobRequest request);
  void Pause(JobId id);
  void Resume(JobId id);
  // A waiting job never starts; a running one stops between blocks and removes its partial file.
  void Cancel(JobId id);
  void AnswerQuestion(JobId id, Answer answer);

  // The news since the last call; finished jobs appear once more with their final state.
  JobNews TakeNews();

 private:
  struct Worker;
  std::unique_ptr<Worker> worker_;
};

}  // namespace fm
