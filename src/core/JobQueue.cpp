#include "core/JobQueue.h"

#include <algorithm>

namespace fm {

std::uint32_t JobQueue::Add(bool paused) {
  jobs_.push_back({++lastId_, QueuePhase::Waiting, paused, false});
  return lastId_;
}

QueuedJob* JobQueue::Open(std::uint32_t id) {
  auto it =
      std::find_if(jobs_.begin(), jobs_.end(), [id](const QueuedJob& j) { return j.id == id; });
  return it == jobs_.end() || it->phase == QueuePhase::Finished ? nullptr : &*it;
}

const QueuedJob* JobQueue::Find(std::uint32_t id) const {
  auto it =
      std::find_if(jobs_.begin(), jobs_.end(), [id](const QueuedJob& j) { return j.id == id; });
  return it == jobs_.end() ? nullptr : &*it;
}

void JobQueue::Cancel(std::uint32_t id) {
  QueuedJob* job = Open(id);
  if (job == nullptr) return;
  job->cancelled = true;
  if (job->phase == QueuePhase::Waiting) job->phase = QueuePhase::Finished;
}

void JobQueue::Pause(std::uint32_t id) {
  if (QueuedJob* job = Open(id)) job->paused = true;
}

void JobQueue::Resume(std::uint32_t id) {
  if (QueuedJob* job = Open(id)) job->paused = false;
}

std::optional<std::uint32_t> JobQueue::StartNext() {
  for (const auto& job : jobs_) {
    if (job.phase == QueuePhase::Running) return std::nullopt;
  }
  for (auto& job : jobs_) {
    if (job.phase == QueuePhase::Waiting && !job.paused) {
      job.phase = QueuePhase::Running;
      return job.id;
    }
  }
  return std::nullopt;
}

void JobQueue::Finish(std::uint32_t id) {
  if (QueuedJob* job = Open(id)) job->phase = QueuePhase::Finished;
}

void JobQueue::Forget(std::uint32_t id) {
  std::erase_if(jobs_,
                [id](const QueuedJob& j) { return j.id == id && j.phase == QueuePhase::Finished; });
}

}  // namespace fm
