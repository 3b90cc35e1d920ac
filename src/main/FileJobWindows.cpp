// The window's side of the file-operation engine: it owns the engine, shows each job in a
// progress window, asks the engine's questions in boxes and reads the panes again when a
// job ends. The engine's worker only posts; everything here runs on the window's thread,
// and nothing here waits on the worker.
#include <windows.h>

#include <algorithm>

#include "MainUnit.h"
#include "core/Error.h"
#include "core/ItemName.h"
#include "core/PathText.h"
#include "platform/Locale.h"
#include "ui/Application.h"

namespace MainUnit {

namespace {

bool Ended(fm::JobState state) {
  return state == fm::JobState::Done || state == fm::JobState::Cancelled || state == fm::JobState::Failed;
}

// Where a new progress window goes: beside the window's lower right corner, each further
// one a little lower, so that none hides another.
constexpr int kWindowStep = 24;

std::wstring FactsLine(const wchar_t* label, const fm::ItemFacts& facts) {
  return std::wstring(label) + fm::SizeToText(static_cast<std::int64_t>(facts.size)) + L", " +
         fm::LocalDateText(facts.lastWrite) + L"\n    " + facts.path;
}

}  // namespace

fm::FileJobEngine& TMain::Engine() {
  if (!FEngine) FEngine = std::make_unique<fm::FileJobEngine>(Handle(), kFileJobNews);
  return *FEngine;
}

void TMain::StartJob(fm::JobRequest Request, const std::wstring& Title, std::vector<std::wstring> Folders) {
  fm::JobId id = 0;
  try {
    id = Engine().Add(std::move(Request));
  } catch (const fm::Error& refused) {
    // Into itself, onto itself: nothing was written, and the user is told why.
    fm::ui::Application().ShowMessage(refused.Text());
    return;
  }
  auto window = std::make_unique<fm::ui::TJobProgressWindow>(Handle(), Title);
  window->OnPause = [this, id](bool pause) {
    if (pause) {
      Engine().Pause(id);
    } else {
      Engine().Resume(id);
    }
  };
  window->OnCancel = [this, id] { Engine().Cancel(id); };
  const RECT main = BoundsRect();
  const int step = Scaled(kWindowStep) * static_cast<int>(FJobs.size() % 8);
  window->SetBounds(main.right - window->Width() - Scaled(40) + step,
                    main.bottom - window->Height() - Scaled(80) + step, window->Width(),
                    window->Height());
  fm::JobProgress waiting;
  waiting.id = id;
  window->ShowProgress(waiting);
  // Shown without taking the keyboard from the lists.
  ShowWindow(window->Handle(), SW_SHOWNOACTIVATE);
  FJobs[id] = TRunningJob{std::move(window), std::move(Folders)};
}

void TMain::TakeJobNews() {
  if (!FEngine) return;
  fm::JobNews news = FEngine->TakeNews();
  for (const fm::JobProgress& job : news.jobs) {
    if (Ended(job.state)) {
      JobEnded(job);
    } else if (auto found = FJobs.find(job.id); found != FJobs.end()) {
      found->second.Window->ShowProgress(job);
    }
  }
  for (fm::JobQuestion& question : news.questions) {
    // The engine tells of a question until it has its answer: the one in the box now is
    // not asked again.
    if (FAskedJob == question.id) continue;
    // A job asks one thing at a time: a later word of it replaces the earlier.
    std::erase_if(FJobQuestions, [&](const fm::JobQuestion& waiting) { return waiting.id == question.id; });
    FJobQuestions.push_back(std::move(question));
  }
  AskJobQuestions();
}

void TMain::JobEnded(const fm::JobProgress& Job) {
  std::vector<std::wstring> folders = Job.changedFolders;
  if (auto found = FJobs.find(Job.id); found != FJobs.end()) {
    folders.insert(folders.end(), found->second.Folders.begin(), found->second.Folders.end());
    FJobs.erase(found);
  }
  std::erase_if(FJobQuestions, [&](const fm::JobQuestion& waiting) { return waiting.id == Job.id; });
  ReadFoldersAgain(folders);
  if (Job.state == fm::JobState::Failed && !Job.failure.empty()) {
    fm::ui::Application().ShowMessage(Job.failure);
  }
}

void TMain::AskJobQuestions() {
  // The box of one question runs its own loop; news that comes meanwhile waits its turn.
  if (FAskingJobQuestion) return;
  FAskingJobQuestion = true;
  struct Done {
    bool& asking;
    std::optional<fm::JobId>& job;
    ~Done() {
      asking = false;
      job.reset();
    }
  } done{FAskingJobQuestion, FAskedJob};
  while (!FJobQuestions.empty()) {
    const fm::JobQuestion question = FJobQuestions.front();
    FJobQuestions.pop_front();
    if (!FJobs.count(question.id)) continue;
    FAskedJob = question.id;
    const fm::Answer answer = AskJobQuestion(question);
    Engine().AnswerQuestion(question.id, answer);
    FAskedJob.reset();
  }
}

fm::Answer TMain::AskJobQuestion(const fm::JobQuestion& Question) {
  if (Question.kind == fm::QuestionKind::StepFailed) {
    static constexpr fm::Answer kAnswers[] = {fm::Answer::Retry, fm::Answer::Skip, fm::Answer::Cancel};
    const std::wstring text = L"\"" + fm::FileNamePart(Question.source.path) + L"\" could not be done:\n" +
                              Question.failure + L"\n\n" + Question.source.path;
    return kAnswers[Ask(text, {L"&Retry", L"&Skip", L"Cancel"}, 0, 2)];
  }
  static constexpr fm::Answer kAnswers[] = {fm::Answer::Overwrite, fm::Answer::OverwriteAll,
                                            fm::Answer::OverwriteAllOlder, fm::Answer::Skip,
                                            fm::Answer::SkipAll, fm::Answer::KeepBoth, fm::Answer::Cancel};
  const std::wstring name = fm::FileNamePart(Question.target.path);
  const std::wstring folder = fm::FolderPart(Question.target.path);
  std::wstring text = Question.kind == fm::QuestionKind::ReadOnlyTarget
                          ? L"\"" + name + L"\" in " + folder + L" is read-only. Replace it all the same?"
                          : fm::NameExistsText(name, folder) + L" Replace it?";
  text += L"\n\n" + FactsLine(L"New:       ", Question.source) + L"\n" + FactsLine(L"Existing: ", Question.target);
  // Skip has the focus: Enter alone never replaces a file.
  return kAnswers[Ask(text,
                      {L"&Overwrite", L"Overwrite &all", L"Overwrite all &older", L"&Skip", L"S&kip all",
                       L"Keep &both", L"Cancel"},
                      3, 6)];
}

void TMain::ReadFoldersAgain(const std::vector<std::wstring>& Folders) {
  std::vector<TPane*> panes;
  for (const std::wstring& folder : Folders) {
    for (TPane* pane : PanesFollowing(folder)) {
      if (std::find(panes.begin(), panes.end(), pane) == panes.end()) panes.push_back(pane);
    }
  }
  for (TPane* pane : panes) fm::ui::CallHandler([pane] { pane->Refresh(); });
}

}  // namespace MainUnit
