// Measures 9a to 9c: the file-operation engine's copies against a bare read/write loop, the
// platform's CopyFileExW beside them, and how long the UI thread goes unanswered meanwhile.
#pragma once

#include <string>
#include <vector>

#include "Measure.h"

namespace bench {

struct CopyBenchOptions {
  std::wstring root;  // holds one-gib.bin and small-files\ (made by scripts/bench)
  int reps = 3;
  // Linux cp of the same data, timed by scripts/bench beforehand; negative when not given.
  double linuxCpMs = -1, linuxCpTreeMs = -1;
};

std::vector<Row> MeasureFileCopies(const CopyBenchOptions& options, Progress& progress);

}  // namespace bench
