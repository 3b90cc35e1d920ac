// Closes any message box or dialog of this process while it lives and keeps its text: a
// box left open would stop a measurement, and one that appeared means the figures around
// it are not to be trusted.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace bench {

class BoxWatch {
 public:
  BoxWatch();
  ~BoxWatch();
  BoxWatch(const BoxWatch&) = delete;
  BoxWatch& operator=(const BoxWatch&) = delete;

  std::vector<std::string> Texts() const;

 private:
  void Watch();

  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;
};

}  // namespace bench
