// The order and states of the file jobs: one runs at a time, the others wait in the order
// they came. A job queued paused waits until resumed and lets later jobs pass it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace fm {

enum class QueuePhase { Waiting, Running, Finished };

struct QueuedJob {
  std::uint32_t id = 0;
  QueuePhase phase = QueuePhase::Waiting;
  bool paused = false;
  bool cancelled = false;
};

class JobQueue {
 public:
  std::uint32_t Add(bool paused);
  // A waiting job is finished at once and never starts; a running one is only marked, and
  // stops at its next check.
  void Cancel(std::uint32_t id);
  void Pause(std::uint32_t id);
  void Resume(std::uint32_t id);
  // The first waiting job that is not paused becomes the running one, unless one runs.
  std::optional<std::uint32_t> StartNext();
  void Finish(std::uint32_t id);
  // Finished jobs leave the list.
  void Forget(std::uint32_t id);

  // Nothing for an id the queue does not hold.
  const QueuedJob* Find(std::uint32_t id) const;
  const std::vector<QueuedJob>& Jobs() const { return jobs_; }

 private:
  QueuedJob* Open(std::uint32_t id);

  std::vector<QueuedJob> jobs_;
  std::uint32_t lastId_ = 0;
};

}  // namespace fm
