#include <map>
#include <optional>

#include "core/Error.h"
#include "core/JobQueue.h"
#include "core/PathContainment.h"
#include "core/PathText.h"
#include "core/TransferRate.h"
#include "platform/FileJobRun.h"
#include "platform/FileJobs.h"
#include "platform/Handles.h"
#include "platform/OsError.h"

namespace fm {

namespace {

class ExclusiveLock {
 public:
  explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

 private:
  SRWLOCK& lock_;
};

bool Finished(JobState state) {
  return state == JobState::Done || state == JobState::Cancelled || state == JobState::Failed;
}

std::wstring Utf16(const char* text) {
  std::wstring wide;
  for (; *text != '\0'; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

}  // namespace

struct FileJobEngine::Worker {
  struct Record {
    JobRequest request;
    JobProgress progress;
    std::optional<JobQuestion> question;
    std::optional<Answer> answer;
    TransferRate rate;
  };

  // What a running job sees of the engine.
  class Context : public JobContext {
   public:
    Context(Worker& worker, JobId id) : worker_(worker), id_(id) {}
    void Checkpoint() override { worker_.Checkpoint(id_); }
    Answer Ask(JobQuestion question) override { return worker_.Ask(id_, std::move(question)); }
    void Report(const std::function<void(JobProgress&)>& change, bool urgent) override {
      worker_.Report(id_, change, urgent);
    }

   private:
    Worker& worker_;
    JobId id_;
  };

  Worker(HWND w, UINT m) : window(w), message(m) {}

  HWND window;
  UINT message;
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
  JobQueue queue;
  std::map<JobId, Record> records;
  bool stopping = false;
  bool posted = false;
  ULONGLONG lastPost = 0;
  UniqueHandle thread;

  // Under the lock. One message at a time: the next comes once the window took the news.
  void Notify(bool urgent) {
    const ULONGLONG now = GetTickCount64();
    if (posted || (!urgent && now - lastPost < 100)) return;
    if (PostMessageW(window, message, 0, 0)) {
      posted = true;
      lastPost = now;
    }
  }

  void Wake() { WakeAllConditionVariable(&changed); }

  void Wait() { SleepConditionVariableSRW(&changed, &lock, INFINITE, 0); }

  bool CancelRequested(JobId id) const {
    const QueuedJob* job = queue.Find(id);
    return stopping || job == nullptr || job->cancelled;
  }

  void Checkpoint(JobId id) {
    ExclusiveLock hold(lock);
    Record& record = records.at(id);
    for (;;) {
      if (CancelRequested(id)) throw JobCancelled{};
      if (!queue.Find(id)->paused) break;
      if (record.progress.state != JobState::Paused) {
        record.progress.state = JobState::Paused;
        record.progress.bytesPerSecond = 0;
        record.rate.Restart();
        Notify(true);
      }
      Wait();
    }
    if (record.progress.state == JobState::Paused) {
      record.progress.state = JobState::Running;
      Notify(true);
    }
  }

  Answer Ask(JobId id, JobQuestion question) {
    ExclusiveLock hold(lock);
    Record& record = records.at(id);
    question.id = id;
    const JobState before = record.progress.state;
    record.question = std::move(question);
    record.answer.reset();
    record.progress.state = JobState::Asking;
    Notify(true);
    while (!record.answer && !CancelRequested(id)) Wait();
    record.question.reset();
    record.progress.state = before;
    record.rate.Restart();
    Notify(true);
    if (!record.answer) throw JobCancelled{};
    return *record.answer;
  }

  void Report(JobId id, const std::function<void(JobProgress&)>& change, bool urgent) {
    ExclusiveLock hold(lock);
    Record& record = records.at(id);
    const std::uint64_t bytesBefore = record.progress.bytesDone;
    change(record.progress);
    if (record.progress.bytesDone != bytesBefore) {
      record.rate.Add(GetTickCount64(), record.progress.bytesDone);
      record.progress.bytesPerSecond = record.rate.BytesPerSecond();
    }
    Notify(urgent);
  }

  void Loop() {
    for (;;) {
      JobId id = 0;
      JobRequest request;
      {
        ExclusiveLock hold(lock);
        std::optional<JobId> next;
        while (!stopping && !(next = queue.StartNext())) Wait();
        if (stopping) return;
        id = *next;
        request = records.at(id).request;
        records.at(id).progress.state = JobState::Counting;
        Notify(true);
      }
      Context context(*this, id);
      JobState end = JobState::Done;
      std::wstring failure;
      try {
        RunFileJob(context, request);
      } catch (const JobCancelled&) {
        end = JobState::Cancelled;
      } catch (const Error& e) {
        end = JobState::Failed;
        failure = e.Text();
      } catch (const std::exception& e) {
        end = JobState::Failed;
        failure = Utf16(e.what());
      }
      ExclusiveLock hold(lock);
      queue.Finish(id);
      JobProgress& progress = records.at(id).progress;
      progress.state = end;
      progress.failure = std::move(failure);
      progress.currentItem.clear();
      progress.bytesPerSecond = 0;
      Notify(true);
    }
  }

  static DWORD WINAPI ThreadStart(void* self) {
    static_cast<Worker*>(self)->Loop();
    return 0;
  }
};

FileJobEngine::FileJobEngine(HWND window, UINT message)
    : worker_(std::make_unique<Worker>(window, message)) {
  worker_->thread.Reset(CreateThread(nullptr, 0, &Worker::ThreadStart, worker_.get(), 0, nullptr));
  if (!worker_->thread) RaiseLastOSError();
}

FileJobEngine::~FileJobEngine() {
  {
    ExclusiveLock hold(worker_->lock);
    worker_->stopping = true;
    worker_->Wake();
  }
  WaitForSingleObject(worker_->thread.Get(), INFINITE);
}

JobId FileJobEngine::Add(JobRequest request) {
  if (request.sources.empty()) throw Error(L"There is nothing to work on.");
  if (request.kind != JobKind::Delete) {
    std::vector<TransferSource> sources;
    for (const auto& path : request.sources) {
      const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(path).c_str());
      sources.push_back({path, attributes != INVALID_FILE_ATTRIBUTES &&
                                   (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    }
    const TransferCheck check = CheckTransfer(sources, request.targetFolder, request.targetName,
                                              request.kind == JobKind::Move);
    const wchar_t* verb = request.kind == JobKind::Move ? L"moved" : L"copied";
    const std::wstring name = L"\"" + LastPathPart(check.source) + L"\" cannot be ";
    if (check.refusal == TransferRefusal::IntoItself) {
      throw Error(name + verb + L" into itself or into one of its own folders.");
    }
    if (check.refusal == TransferRefusal::OntoItself) {
      throw Error(name + verb + L" onto itself.");
    }
  }
  ExclusiveLock hold(worker_->lock);
  const JobId id = worker_->queue.Add(request.startPaused);
  Worker::Record& record = worker_->records[id];
  record.progress.id = id;
  record.progress.kind = request.kind;
  record.progress.state = request.startPaused ? JobState::Paused : JobState::Waiting;
  record.progress.itemsTotal = request.sources.size();
  const std::wstring sourceFolder = FolderPart(request.sources.front());
  if (request.kind != JobKind::Copy) record.progress.changedFolders.push_back(sourceFolder);
  if (request.kind != JobKind::Delete) {
    record.progress.changedFolders.push_back(request.targetFolder);
  }
  record.request = std::move(request);
  worker_->Notify(true);
  worker_->Wake();
  return id;
}

void FileJobEngine::Pause(JobId id) {
  ExclusiveLock hold(worker_->lock);
  worker_->queue.Pause(id);
  const QueuedJob* job = worker_->queue.Find(id);
  if (job != nullptr && job->phase == QueuePhase::Waiting) {
    worker_->records.at(id).progress.state = JobState::Paused;
    worker_->Notify(true);
  }
  worker_->Wake();
}

void FileJobEngine::Resume(JobId id) {
  ExclusiveLock hold(worker_->lock);
  worker_->queue.Resume(id);
  const QueuedJob* job = worker_->queue.Find(id);
  if (job != nullptr && job->phase == QueuePhase::Waiting) {
    worker_->records.at(id).progress.state = JobState::Waiting;
    worker_->Notify(true);
  }
  worker_->Wake();
}

void FileJobEngine::Cancel(JobId id) {
  ExclusiveLock hold(worker_->lock);
  const QueuedJob* job = worker_->queue.Find(id);
  if (job == nullptr) return;
  const bool waiting = job->phase == QueuePhase::Waiting;
  worker_->queue.Cancel(id);
  if (waiting) {
    worker_->records.at(id).progress.state = JobState::Cancelled;
    worker_->Notify(true);
  }
  worker_->Wake();
}

void FileJobEngine::AnswerQuestion(JobId id, Answer answer) {
  ExclusiveLock hold(worker_->lock);
  auto it = worker_->records.find(id);
  if (it == worker_->records.end() || !it->second.question) return;
  it->second.answer = answer;
  worker_->Wake();
}

JobNews FileJobEngine::TakeNews() {
  ExclusiveLock hold(worker_->lock);
  worker_->posted = false;
  JobNews news;
  for (auto it = worker_->records.begin(); it != worker_->records.end();) {
    news.jobs.push_back(it->second.progress);
    if (it->second.question) news.questions.push_back(*it->second.question);
    if (Finished(it->second.progress.state)) {
      worker_->queue.Forget(it->first);
      it = worker_->records.erase(it);
    } else {
      ++it;
    }
  }
  return news;
}

}  // namespace fm
