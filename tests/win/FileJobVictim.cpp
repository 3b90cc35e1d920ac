#include "FileJobVictim.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "FileJobDriver.h"
#include "WinTestSupport.h"

namespace fm::test {

//   foldmere_win_tests.exe --file-job-victim copy|move PID-FILE TARGET SOURCE...
// The Linux process id of this Wine process goes to PID-FILE before the job starts; the
// job answers Overwrite to every name that exists.
bool RunFileJobVictim(int& exitCode) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const UniqueHLocal owner(argv);
  if (argv == nullptr || argc < 6 || std::wstring(argv[1]) != L"--file-job-victim") return false;
  JobRequest request;
  request.kind = std::wstring(argv[2]) == L"move" ? JobKind::Move : JobKind::Copy;
  const std::wstring pidFile = argv[3];
  request.targetFolder = argv[4];
  for (int i = 5; i < argc; ++i) request.sources.push_back(argv[i]);

  // Wine shows the host's root as Z:; /proc/self is the process that reads it.
  const std::string stat = ReadWhole(L"Z:\\proc\\self\\stat");
  WriteWhole(pidFile + L".tmp", stat.substr(0, stat.find(' ')) + "\n");
  MoveFileExW((pidFile + L".tmp").c_str(), pidFile.c_str(), MOVEFILE_REPLACE_EXISTING);

  FileJobDriver driver;
  driver.answer = [](const JobQuestion&) { return Answer::Overwrite; };
  exitCode = driver.WaitFor(driver.Engine().Add(request)).state == JobState::Done ? 0 : 1;
  return true;
}

}  // namespace fm::test
