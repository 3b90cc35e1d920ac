// One file job's work on the engine's worker thread, told what to report and whom to ask
// through a JobContext, so that it knows nothing of the queue or the window.
#pragma once

#include <functional>

#include "platform/FileJobs.h"

namespace fm {

// Thrown inside a run when its job is cancelled (or answered Cancel); the worker catches it.
struct JobCancelled {};

class JobContext {
 public:
  virtual ~JobContext() = default;
  // Between blocks: waits while the job is paused; throws JobCancelled once it is cancelled.
  virtual void Checkpoint() = 0;
  // Holds the job until the window answers; throws JobCancelled when the job is cancelled
  // meanwhile. question.id is filled in.
  virtual Answer Ask(JobQuestion question) = 0;
  // Changes the job's progress; urgent news is posted at once, the rest at most every 100 ms.
  virtual void Report(const std::function<void(JobProgress&)>& change, bool urgent = false) = 0;
};

void RunFileJob(JobContext& context, const JobRequest& request);

}  // namespace fm
