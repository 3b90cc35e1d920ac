// Start-up of the real program: from the moment the process is created to its first
// painted main window with the computer folder listed.
#pragma once

#include <string>

namespace bench {

struct StartupRun {
  double ms = 0;
  int rows = 0;             // rows of the left list when it counted as painted
  bool pixelsSeen = false;  // the list's rows on the screen are not one flat colour
};

// Starts exe, watches its windows from outside until the main window is painted, then
// closes it with WM_CLOSE and waits for it to end. Raises std::runtime_error on failure.
StartupRun MeasureStartup(const std::wstring& exe);

}  // namespace bench
