// The victim mode: one job run to be killed from outside.
#include "FileJobVictim.h"

#include <cstring>
#include <string>
#include <vector>

#include "FileJobDriver.h"
#include "WinTestSupport.h"

namespace fm::test {

//   foldmere_win_tests.exe --file-job-victim copy|move READY-FILE TARGET SOURCE...
// READY-FILE is written when the job is about to start; the job answers Overwrite to every
// name that exists.
bool RunFileJobVictim(int argc, char** narrow, int& exitCode) {
  if (argc < 6 || std::string(narrow[1]) != "--file-job-victim") return false;
  // The paths the script gives are ASCII.
  std::vector<std::wstring> argv;
  for (int i = 0; i < argc; ++i) argv.emplace_back(narrow[i], narrow[i] + std::strlen(narrow[i]));
  JobRequest request;
  request.kind = argv[2] == L"move" ? JobKind::Move : JobKind::Copy;
  const std::wstring readyFile = argv[3];
  request.targetFolder = argv[4];
  for (int i = 5; i < argc; ++i) request.sources.push_back(argv[i]);

  WriteWhole(readyFile, "ready\n");

  FileJobDriver driver;
  driver.answer = [](const JobQuestion&) { return Answer::Overwrite; };
  exitCode = driver.WaitFor(driver.Engine().Add(request)).state == JobState::Done ? 0 : 1;
  return true;
}

}  // namespace fm::test
