// A mode of the test program that runs one file job to be killed in the middle of a file
// from the Linux side (run-file-jobs.sh), which then checks that nothing was lost.
#pragma once

namespace fm::test {

// True when the command line asks for the mode; exitCode is then 0 when the job was done.
bool RunFileJobVictim(int argc, char** argv, int& exitCode);

}  // namespace fm::test
