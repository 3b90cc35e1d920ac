// The conflict rules, the job queue and the transfer rate of the file jobs.
#include <gtest/gtest.h>

#include "core/ConflictRules.h"
#include "core/JobQueue.h"
#include "core/TransferRate.h"

namespace fm {
namespace {

constexpr std::uint64_t kOld = 100, kNew = 200;

TEST(ConflictRulesTest, AnswersAndTheChoiceTheyLeaveStanding) {
  using R = ConflictReply;
  using S = ConflictStep;
  const struct {
    const char* what;
    R reply;
    S forThisOne;  // source kNew, target kOld
    S laterOlder;  // a later target older than its source
    S laterNewer;  // a later target newer than its source
    S laterSame;   // a later target of the same time
  } cases[] = {
      {"overwrite", R::Overwrite, S::Overwrite, S::Ask, S::Ask, S::Ask},
      {"skip", R::Skip, S::Skip, S::Ask, S::Ask, S::Ask},
      {"keep both", R::KeepBoth, S::KeepBoth, S::Ask, S::Ask, S::Ask},
      {"cancel", R::Cancel, S::Cancel, S::Ask, S::Ask, S::Ask},
      {"overwrite all", R::OverwriteAll, S::Overwrite, S::Overwrite, S::Overwrite, S::Overwrite},
      {"skip all", R::SkipAll, S::Skip, S::Skip, S::Skip, S::Skip},
      {"overwrite all older", R::OverwriteAllOlder, S::Overwrite, S::Overwrite, S::Skip, S::Skip},
  };
  for (const auto& c : cases) {
    ConflictRules rules;
    EXPECT_EQ(rules.Decide(kNew, kOld), S::Ask) << c.what;
    EXPECT_EQ(rules.Answer(c.reply, kNew, kOld), c.forThisOne) << c.what;
    EXPECT_EQ(rules.Decide(kNew, kOld), c.laterOlder) << c.what;
    EXPECT_EQ(rules.Decide(kOld, kNew), c.laterNewer) << c.what;
    EXPECT_EQ(rules.Decide(kOld, kOld), c.laterSame) << c.what;
  }
}

TEST(ConflictRulesTest, OverwriteAllOlderAnsweredForANewerTargetSkipsIt) {
  ConflictRules rules;
  EXPECT_EQ(rules.Answer(ConflictReply::OverwriteAllOlder, kOld, kNew), ConflictStep::Skip);
}

std::vector<QueuePhase> Phases(const JobQueue& queue) {
  std::vector<QueuePhase> phases;
  for (const auto& job : queue.Jobs()) phases.push_back(job.phase);
  return phases;
}

TEST(JobQueueTest, OneRunsTheOthersWaitInOrder) {
  using P = QueuePhase;
  JobQueue queue;
  const auto a = queue.Add(false), b = queue.Add(false), c = queue.Add(false);
  EXPECT_EQ(queue.StartNext(), a);
  EXPECT_EQ(queue.StartNext(), std::nullopt);
  queue.Cancel(b);  // waiting: finished without ever starting
  EXPECT_EQ(Phases(queue), (std::vector<P>{P::Running, P::Finished, P::Waiting}));
  EXPECT_TRUE(queue.Find(b)->cancelled);
  queue.Finish(a);
  EXPECT_EQ(queue.StartNext(), c);
  queue.Cancel(c);  // running: only marked
  EXPECT_EQ(queue.Find(c)->phase, P::Running);
  EXPECT_TRUE(queue.Find(c)->cancelled);
  queue.Finish(c);
  EXPECT_EQ(queue.StartNext(), std::nullopt);
  queue.Forget(a);
  queue.Forget(b);
  EXPECT_EQ(queue.Find(a), nullptr);
  EXPECT_NE(queue.Find(c), nullptr);
}

TEST(JobQueueTest, PausedJobsWaitAndLetLaterOnesPass) {
  JobQueue queue;
  const auto a = queue.Add(true), b = queue.Add(false);
  EXPECT_EQ(queue.StartNext(), b);
  queue.Resume(a);
  EXPECT_EQ(queue.StartNext(), std::nullopt);  // b still runs
  queue.Pause(b);                              // a running job paused keeps its turn
  EXPECT_EQ(queue.StartNext(), std::nullopt);
  queue.Finish(b);
  EXPECT_EQ(queue.StartNext(), a);
  queue.Finish(a);
  queue.Pause(a);  // a finished job stays as it ended
  queue.Cancel(a);
  EXPECT_FALSE(queue.Find(a)->paused);
  EXPECT_FALSE(queue.Find(a)->cancelled);
  queue.Forget(999);
}

TEST(TransferRateTest, SpeedOverTheLastSeconds) {
  const struct {
    const char* what;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> samples;  // ms, bytes
    std::uint64_t expected;
  } cases[] = {
      {"nothing yet", {}, 0},
      {"one sample", {{0, 0}}, 0},
      {"too close together", {{0, 0}, {100, 1000}}, 0},
      {"steady", {{0, 0}, {1000, 1000}, {2000, 2000}}, 1000},
      {"older samples fall out", {{0, 0}, {1000, 100}, {5000, 100}, {6000, 4100}}, 4000},
      {"a stall counts", {{0, 0}, {1000, 3000}, {3000, 3000}}, 1000},
      {"clock backwards starts anew", {{5000, 0}, {6000, 900}, {10, 900}, {1010, 1900}}, 1000},
      {"large counts", {{0, 0}, {1000, 1ull << 60}}, 1ull << 60},
  };
  for (const auto& c : cases) {
    TransferRate rate;
    for (const auto& [ms, bytes] : c.samples) rate.Add(ms, bytes);
    EXPECT_EQ(rate.BytesPerSecond(), c.expected) << c.what;
  }
}

TEST(TransferRateTest, RestartForgetsThePause) {
  TransferRate rate;
  rate.Add(0, 0);
  rate.Add(1000, 1000);
  rate.Restart();
  rate.Add(60000, 1000);
  EXPECT_EQ(rate.BytesPerSecond(), 0u);
  rate.Add(61000, 3000);
  EXPECT_EQ(rate.BytesPerSecond(), 2000u);
}

TEST(TransferRateTest, SecondsLeftRoundUp) {
  EXPECT_EQ(SecondsLeft(1000, 0), std::nullopt);
  EXPECT_EQ(SecondsLeft(0, 10), 0u);
  EXPECT_EQ(SecondsLeft(1000, 1000), 1u);
  EXPECT_EQ(SecondsLeft(1001, 1000), 2u);
}

}  // namespace
}  // namespace fm
