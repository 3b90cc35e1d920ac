// Drives the file-operation engine from a test: a hidden window of the test's own takes
// the engine's messages, and questions are answered by a function the test gives.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/FileJobs.h"
#include "platform/Handles.h"

namespace fm::test {

class FileJobDriver {
 public:
  FileJobDriver();
  ~FileJobDriver();
  FileJobDriver(const FileJobDriver&) = delete;
  FileJobDriver& operator=(const FileJobDriver&) = delete;

  FileJobEngine& Engine() { return *engine_; }
  // The hidden window that takes the engine's messages on this thread.
  HWND Window() const { return window_.Get(); }

  // Answers each question as it comes; unset, every question is answered Cancel.
  std::function<Answer(const JobQuestion&)> answer;
  // Called with the news each time the engine's message arrives.
  std::function<void(const JobNews&)> watch;

  // Handles messages until the job has ended; its final progress (state Waiting when the
  // time ran out).
  JobProgress WaitFor(JobId id, DWORD timeoutMs = 180000);
  // Handles messages until done() holds for the job's latest progress.
  bool WaitUntil(JobId id, const std::function<bool(const JobProgress&)>& done,
                 DWORD timeoutMs = 180000);

  const std::vector<JobQuestion>& Asked() const { return asked_; }
  // The order in which jobs ended.
  const std::vector<JobId>& Ended() const { return ended_; }
  // Every state a job was seen in, in order, each once in a row.
  std::vector<JobState> StatesOf(JobId id) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void TakeNews();

  UniqueHWnd window_;
  std::unique_ptr<FileJobEngine> engine_;
  std::map<JobId, JobProgress> latest_;
  std::map<JobId, std::vector<JobState>> states_;
  std::vector<JobQuestion> asked_;
  std::vector<JobId> ended_;
};

// Whole content of a file, read with the platform's calls.
std::string ReadWhole(const std::wstring& path);
// Makes (or replaces) a file with text and, when given, a last-write time.
void WriteWhole(const std::wstring& path, const std::string& text,
                const FILETIME* written = nullptr);
FILETIME LastWrite(const std::wstring& path);
// A last-write time some days from a fixed point in 2020.
FILETIME DaysAfter2020(int days);

}  // namespace fm::test
