// Debug builds list, at shutdown, the item ID lists and entries still alive.
#pragma once

namespace foldmere {

class LeakReport {
 public:
  LeakReport() = default;
  LeakReport(const LeakReport&) = delete;
  LeakReport& operator=(const LeakReport&) = delete;
  // Reports what is still alive when the program's objects are gone.
  ~LeakReport();
};

}  // namespace foldmere
