// Measure 10: files created in a shown folder as fast as another thread can make them.
#pragma once

#include <string>

#include "WindowBench.h"

namespace bench {

struct BurstRun {
  // From the last file made to the rows counting every file (checked then against a fresh
  // listing of the folder).
  double caughtUpMs = 0;
  // The longest WM_NULL round trip asked of the window by a third thread during the burst,
  // up to the rows caught up.
  double longestStallMs = 0;
};

// Shows folder in the window, makes files new files in it and waits for the rows; removes
// them again after (untimed). `tag` keeps the names of the runs apart.
BurstRun MeasureBurst(WindowBench& window, const std::wstring& folder, int files, const std::wstring& tag);

}  // namespace bench
