// The file-operation engine on folders made from the Linux side by run-file-jobs.sh, which
// also compares the copied bytes from there after these tests and kills a copy midway.
#include <gtest/gtest.h>

#include <filesystem>

#include "FileJobDriver.h"
#include "WinTestSupport.h"
#include "core/Error.h"

namespace fm::test {
namespace {

const std::wstring kRoot = L"C:\\foldmere-jobs";
const std::wstring kSource = kRoot + L"\\src";
const std::wstring kOut = kRoot + L"\\out";

std::wstring Out(const std::wstring& name) { return kOut + L"\\" + name; }
std::wstring Src(const std::wstring& name) { return kSource + L"\\" + name; }

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::uint64_t SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The file system's number of a file (the inode under Wine).
std::uint64_t FileIndex(const std::wstring& path) {
  const UniqueHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !GetFileInformationByHandle(file.Get(), &info)) return 0;
  return (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

// Names in a folder, "*.part" leftovers among them.
std::vector<std::wstring> Names(const std::wstring& folder) {
  std::vector<std::wstring> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    names.push_back(entry.path().filename().wstring());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::wstring FreshOut(const std::wstring& name) {
  const std::wstring folder = Out(name);
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  std::filesystem::create_directories(folder);
  return folder;
}

class FileJobs : public testing::Test {
 protected:
  void SetUp() override {
    if (!Exists(kSource))
      GTEST_SKIP() << "run by run-file-jobs.sh, which makes " << ToUtf8(kSource);
    CreateDirectoryW(kOut.c_str(), nullptr);
  }

  JobId Add(JobKind kind, std::vector<std::wstring> sources, std::wstring target,
            bool paused = false) {
    JobRequest request;
    request.kind = kind;
    request.sources = std::move(sources);
    request.targetFolder = std::move(target);
    request.startPaused = paused;
    return driver.Engine().Add(std::move(request));
  }

  // Copies first.txt, top.txt and big.bin into a folder that already holds a top.txt: the
  // job waits on its question until it is answered, so what `meanwhile` does happens at a
  // known point whatever the disk's speed; the answer skips top.txt. News comes at most every
  // 100 ms, long enough for a fast disk to copy the whole big.bin.
  JobId AddCopyHeldAtAQuestion(const std::wstring& out, std::function<void(JobId)> meanwhile) {
    WriteWhole(out + L"\\top.txt", "already here");
    driver.answer = [meanwhile](const JobQuestion& question) {
      meanwhile(question.id);
      return Answer::Skip;
    };
    return Add(JobKind::Copy, {Src(L"first.txt"), Src(L"top.txt"), Src(L"big.bin")}, out);
  }

  FileJobDriver driver;
};

TEST_F(FileJobs, CopyOfAMixedSelectionCarriesTimesAndAttributes) {
  const std::wstring out = FreshOut(L"copy-mixed");
  const std::wstring hidden = Src(L"tree\\sub\\hidden.txt");
  ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  const JobId id = Add(JobKind::Copy, {Src(L"tree"), Src(L"top.txt")}, out);
  const JobProgress end = driver.WaitFor(id);
  EXPECT_EQ(end.state, JobState::Done);
  EXPECT_TRUE(driver.Asked().empty());
  EXPECT_EQ(end.itemsDone, end.itemsTotal);
  EXPECT_EQ(end.bytesDone, end.bytesTotal);
  EXPECT_GT(end.bytesTotal, 3u << 20);

  for (const wchar_t* item : {L"top.txt", L"tree\\a.txt", L"tree\\sub\\b.bin",
                              L"tree\\sub\\deeper\\c.txt", L"tree\\read-only.txt", L"tree\\sub"}) {
    EXPECT_TRUE(SameTime(LastWrite(Src(item)), LastWrite(out + L"\\" + item))) << item;
  }
  EXPECT_TRUE(Exists(out + L"\\tree\\empty-folder"));
  EXPECT_NE(GetFileAttributesW((out + L"\\tree\\read-only.txt").c_str()) & FILE_ATTRIBUTE_READONLY,
            0u);
  EXPECT_NE(GetFileAttributesW((out + L"\\tree\\sub\\hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN,
            0u);
  EXPECT_EQ(std::find(end.changedFolders.begin(), end.changedFolders.end(), out) !=
                end.changedFolders.end(),
            true);
}

TEST_F(FileJobs, AMoveWithinOneDriveIsARenameThatKeepsTheFile) {
  const std::wstring out = FreshOut(L"move-c");
  const std::wstring file = kRoot + L"\\move-c\\m.txt";
  const std::wstring inner = kRoot + L"\\move-c\\mf\\x.txt";
  const std::uint64_t fileIndex = FileIndex(file), innerIndex = FileIndex(inner);
  ASSERT_NE(fileIndex, 0u);
  const JobId id = Add(JobKind::Move, {file, kRoot + L"\\move-c\\mf"}, out);
  EXPECT_EQ(driver.WaitFor(id).state, JobState::Done);
  EXPECT_FALSE(Exists(file));
  EXPECT_FALSE(Exists(kRoot + L"\\move-c\\mf"));
  EXPECT_EQ(FileIndex(out + L"\\m.txt"), fileIndex);
  EXPECT_EQ(FileIndex(out + L"\\mf\\x.txt"), innerIndex);
}

TEST_F(FileJobs, AMoveToAnotherDriveDeletesEachSourceAfterItsCopy) {
  if (!Exists(L"D:\\foldmere-jobs-d.txt"))
    GTEST_SKIP() << "drive D: is not mapped by run-file-jobs.sh";
  const std::wstring from = kRoot + L"\\move-d";
  // The sources must outlive every copy: the engine's own news is watched for an item
  // that is gone before its copy is whole.
  std::vector<std::wstring> early;
  driver.watch = [&](const JobNews&) {
    for (const wchar_t* item : {L"f.txt", L"folder\\g.bin", L"folder\\h.txt"}) {
      const std::wstring target = std::wstring(L"D:\\moved\\") + item;
      if (!Exists(from + L"\\" + item) &&
          SizeOf(target) != SizeOf(kRoot + L"\\ref\\move-d\\" + item)) {
        early.push_back(item);
      }
    }
  };
  CreateDirectoryW(L"D:\\moved", nullptr);
  const JobId id = Add(JobKind::Move, {from + L"\\f.txt", from + L"\\folder"}, L"D:\\moved");
  const JobProgress end = driver.WaitFor(id);
  EXPECT_EQ(end.state, JobState::Done);
  EXPECT_TRUE(early.empty());
  EXPECT_FALSE(Exists(from + L"\\f.txt"));
  EXPECT_FALSE(Exists(from + L"\\folder"));
  EXPECT_TRUE(Exists(L"D:\\moved\\folder\\g.bin"));
  EXPECT_TRUE(SameTime(LastWrite(kRoot + L"\\ref\\move-d\\folder\\g.bin"),
                       LastWrite(L"D:\\moved\\folder\\g.bin")));
}

TEST_F(FileJobs, EveryConflictAnswer) {
  const FILETIME older = DaysAfter2020(1), newer = DaysAfter2020(9);
  const struct {
    const char* what;
    std::vector<Answer> answers;        // given in turn
    std::vector<std::string> expected;  // a, b, c as they end, "x (2)" and "x (3)" too
    size_t questions;
    JobState state;
  } cases[] = {
      {"overwrite",
       {Answer::Overwrite, Answer::Skip, Answer::Skip},
       {"new a", "old b", "old c", "taken", "<missing>"},
       3,
       JobState::Done},
      {"overwrite all",
       {Answer::OverwriteAll},
       {"new a", "new b", "new-old c", "taken", "<missing>"},
       1,
       JobState::Done},
      // a's target is older than its source, b's newer, c's source older than its target.
      {"overwrite all older",
       {Answer::OverwriteAllOlder},
       {"new a", "old b", "old c", "taken", "<missing>"},
       1,
       JobState::Done},
      {"skip",
       {Answer::Skip, Answer::Overwrite, Answer::Skip},
       {"old a", "new b", "old c", "taken", "<missing>"},
       3,
       JobState::Done},
      {"skip all",
       {Answer::SkipAll},
       {"old a", "old b", "old c", "taken", "<missing>"},
       1,
       JobState::Done},
      {"keep both with (2) taken",
       {Answer::KeepBoth, Answer::Skip, Answer::Skip},
       {"old a", "old b", "old c", "taken", "new a"},
       3,
       JobState::Done},
      {"cancel",
       {Answer::Cancel},
       {"old a", "old b", "old c", "taken", "<missing>"},
       1,
       JobState::Cancelled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring from = FreshOut(L"conflict-src"), to = FreshOut(L"conflict-dst");
    WriteWhole(from + L"\\a.txt", "new a", &newer);
    WriteWhole(to + L"\\a.txt", "old a", &older);
    WriteWhole(from + L"\\b.txt", "new b", &older);
    WriteWhole(to + L"\\b.txt", "old b", &newer);
    WriteWhole(from + L"\\c.txt", "new-old c", &older);
    WriteWhole(to + L"\\c.txt", "old c", &older);
    WriteWhole(to + L"\\a (2).txt", "taken");
    FileJobDriver local;
    size_t next = 0;
    local.answer = [&](const JobQuestion& q) {
      EXPECT_EQ(q.kind, QuestionKind::NameExists);
      EXPECT_EQ(q.target.path,
                to + L"\\" + std::filesystem::path(q.source.path).filename().wstring());
      return next < c.answers.size() ? c.answers[next++] : Answer::Skip;
    };
    JobRequest request{
        JobKind::Copy, {from + L"\\a.txt", from + L"\\b.txt", from + L"\\c.txt"}, to};
    const JobProgress end = local.WaitFor(local.Engine().Add(request));
    EXPECT_EQ(end.state, c.state);
    EXPECT_EQ(local.Asked().size(), c.questions);
    const std::vector<std::string> got = {
        ReadWhole(to + L"\\a.txt"), ReadWhole(to + L"\\b.txt"), ReadWhole(to + L"\\c.txt"),
        ReadWhole(to + L"\\a (2).txt"), ReadWhole(to + L"\\a (3).txt")};
    EXPECT_EQ(got, c.expected);
    for (const auto& name : Names(to))
      EXPECT_EQ(name.find(L".part"), std::wstring::npos) << ToUtf8(name);
  }
}

TEST_F(FileJobs, AReadOnlyTargetIsAskedAbout) {
  const struct {
    Answer answer;
    const char* expected;
  } cases[] = {{Answer::Skip, "kept"}, {Answer::Overwrite, "fresh"}};
  for (const auto& c : cases) {
    const std::wstring from = FreshOut(L"ro-src"), to = FreshOut(L"ro-dst");
    WriteWhole(from + L"\\r.txt", "fresh");
    WriteWhole(to + L"\\r.txt", "kept");
    SetFileAttributesW((to + L"\\r.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    FileJobDriver local;
    local.answer = [&](const JobQuestion& q) {
      return q.kind == QuestionKind::ReadOnlyTarget ? c.answer : Answer::Overwrite;
    };
    JobRequest request{JobKind::Copy, {from + L"\\r.txt"}, to};
    EXPECT_EQ(local.WaitFor(local.Engine().Add(request)).state, JobState::Done);
    ASSERT_EQ(local.Asked().size(), 2u) << c.expected;
    EXPECT_EQ(local.Asked()[1].kind, QuestionKind::ReadOnlyTarget);
    EXPECT_EQ(ReadWhole(to + L"\\r.txt"), c.expected);
    SetFileAttributesW((to + L"\\r.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(FileJobs, IntoItselfAndOntoItselfAreRefusedBeforeAnythingIsWritten) {
  const std::wstring tree = Src(L"tree");
  const std::vector<std::wstring> before = Names(tree);
  const struct {
    const char* what;
    JobKind kind;
    std::wstring source, target;
  } cases[] = {
      {"copy into itself", JobKind::Copy, tree, tree},
      {"move into its subfolder", JobKind::Move, tree, tree + L"\\sub"},
      {"copy onto itself", JobKind::Copy, Src(L"top.txt"), kSource},
      {"move onto itself, other case", JobKind::Move, Src(L"top.txt"), L"c:\\FOLDMERE-JOBS\\src\\"},
  };
  for (const auto& c : cases) {
    JobRequest request{c.kind, {c.source}, c.target};
    EXPECT_THROW(driver.Engine().Add(request), Error) << c.what;
  }
  EXPECT_EQ(Names(tree), before);
  EXPECT_TRUE(Exists(Src(L"top.txt")));
}

TEST_F(FileJobs, CancelInsideALargeFileRemovesItsPartialCopyOnly) {
  const std::wstring out = FreshOut(L"cancel");
  const JobId id = AddCopyHeldAtAQuestion(out, [this](JobId job) { driver.Engine().Pause(job); });
  ASSERT_TRUE(
      driver.WaitUntil(id, [](const JobProgress& p) { return p.state == JobState::Paused; }));
  EXPECT_GT(SizeOf(out + L"\\big.bin"), 0u);
  driver.Engine().Cancel(id);
  EXPECT_EQ(driver.WaitFor(id).state, JobState::Cancelled);
  EXPECT_EQ(Names(out), (std::vector<std::wstring>{L"first.txt", L"top.txt"}));
  EXPECT_EQ(ReadWhole(out + L"\\top.txt"), "already here");
}

TEST_F(FileJobs, PauseHoldsTheCopyAndResumeFinishesIt) {
  const std::wstring out = FreshOut(L"pause");
  const JobId id = AddCopyHeldAtAQuestion(out, [this](JobId job) { driver.Engine().Pause(job); });
  ASSERT_TRUE(
      driver.WaitUntil(id, [](const JobProgress& p) { return p.state == JobState::Paused; }));
  const std::uint64_t held = SizeOf(out + L"\\big.bin");
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(SizeOf(out + L"\\big.bin"), held);
  EXPECT_GT(held, 0u);
  EXPECT_LT(held, SizeOf(Src(L"big.bin")));
  driver.Engine().Resume(id);
  const JobProgress end = driver.WaitFor(id);
  EXPECT_EQ(end.state, JobState::Done);
  EXPECT_EQ(end.bytesDone, end.bytesTotal);
  EXPECT_EQ(SizeOf(out + L"\\big.bin"), SizeOf(Src(L"big.bin")));
}

TEST_F(FileJobs, JobsWaitTheirTurnAndACancelledWaitingJobNeverStarts) {
  const std::wstring first = FreshOut(L"queue-1"), second = FreshOut(L"queue-2"),
                     third = FreshOut(L"queue-3"), fourth = FreshOut(L"queue-4");
  JobId c = 0;
  const JobId a = AddCopyHeldAtAQuestion(first, [&](JobId) { driver.Engine().Cancel(c); });
  const JobId b = Add(JobKind::Copy, {Src(L"top.txt")}, second);
  c = Add(JobKind::Copy, {Src(L"top.txt")}, third);
  const JobId d = Add(JobKind::Copy, {Src(L"top.txt")}, fourth, true);
  EXPECT_EQ(driver.WaitFor(b).state, JobState::Done);
  EXPECT_EQ(driver.WaitFor(a).state, JobState::Done);
  EXPECT_EQ(driver.StatesOf(b).front(), JobState::Waiting);
  EXPECT_EQ(driver.StatesOf(c), (std::vector<JobState>{JobState::Waiting, JobState::Cancelled}));
  EXPECT_EQ(driver.StatesOf(d), std::vector<JobState>{JobState::Paused});
  EXPECT_EQ(driver.Ended(), (std::vector<JobId>{c, a, b}));
  EXPECT_TRUE(Names(third).empty());
  EXPECT_TRUE(Names(fourth).empty());
  driver.Engine().Resume(d);
  EXPECT_EQ(driver.WaitFor(d).state, JobState::Done);
  EXPECT_TRUE(Exists(fourth + L"\\top.txt"));
}

TEST_F(FileJobs, ASourceDeletedWhileQueuedIsAskedAbout) {
  const std::wstring from = FreshOut(L"vanish-src"), out = FreshOut(L"vanish");
  WriteWhole(from + L"\\gone.txt", "back again");
  const JobId b = Add(JobKind::Copy, {from + L"\\gone.txt"}, out, true);
  ASSERT_TRUE(DeleteFileW((from + L"\\gone.txt").c_str()));
  driver.Engine().Resume(b);
  std::vector<Answer> answers = {Answer::Retry, Answer::Skip};
  driver.answer = [&](const JobQuestion& q) {
    EXPECT_EQ(q.kind, QuestionKind::StepFailed);
    EXPECT_FALSE(q.failure.empty());
    const Answer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  };
  EXPECT_EQ(driver.WaitFor(b).state, JobState::Done);
  EXPECT_EQ(driver.Asked().size(), 2u);
  EXPECT_TRUE(Names(out).empty());

  // Retry after the source came back copies it.
  WriteWhole(from + L"\\gone2.txt", "back again");
  const JobId c = Add(JobKind::Copy, {from + L"\\gone2.txt"}, out, true);
  ASSERT_TRUE(DeleteFileW((from + L"\\gone2.txt").c_str()));
  driver.answer = [&](const JobQuestion&) {
    WriteWhole(from + L"\\gone2.txt", "back again");
    return Answer::Retry;
  };
  driver.Engine().Resume(c);
  EXPECT_EQ(driver.WaitFor(c).state, JobState::Done);
  EXPECT_EQ(ReadWhole(out + L"\\gone2.txt"), "back again");
}

TEST_F(FileJobs, ADiskThatFillsUpAsksAndLeavesNoPartialFile) {
  if (!Exists(L"T:\\")) {
    GTEST_SKIP() << "no small tmpfs as T: (run-file-jobs.sh could not mount one here)";
  }
  const struct {
    Answer answer;
    JobState state;
    std::vector<std::wstring> left;
  } cases[] = {
      {Answer::Skip, JobState::Done, {L"small.txt"}},
      {Answer::Cancel, JobState::Cancelled, {}},
  };
  for (const auto& c : cases) {
    for (const auto& name : Names(L"T:\\")) DeleteFileW((L"T:\\" + name).c_str());
    FileJobDriver local;
    local.answer = [&](const JobQuestion& q) {
      EXPECT_EQ(q.kind, QuestionKind::StepFailed);
      EXPECT_EQ(q.source.path, Src(L"disk\\six.bin"));
      return c.answer;
    };
    JobRequest request{JobKind::Copy, {Src(L"disk\\six.bin"), Src(L"disk\\small.txt")}, L"T:\\"};
    EXPECT_EQ(local.WaitFor(local.Engine().Add(request)).state, c.state);
    EXPECT_EQ(local.Asked().size(), 1u);
    EXPECT_EQ(Names(L"T:\\"), c.left);
    EXPECT_EQ(SizeOf(Src(L"disk\\six.bin")), 6u << 20);
  }
}

TEST_F(FileJobs, PathsPastTheOldLimitAreCopiedMovedAndDeleted) {
  std::wstring deep = FreshOut(L"long");
  while (deep.size() < 300) deep += L"\\" + std::wstring(40, L'd');
  for (size_t cut = Out(L"long").size(); cut != std::wstring::npos;
       cut = deep.find(L'\\', cut + 1)) {
    CreateDirectoryW((L"\\\\?\\" + deep.substr(0, cut)).c_str(), nullptr);
  }
  CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr);
  WriteWhole(L"\\\\?\\" + deep + L"\\deep.txt", "deep");
  const std::wstring top = Out(L"long") + L"\\" + std::wstring(40, L'd');
  const std::wstring copied = FreshOut(L"long-copy"), moved = FreshOut(L"long-move");
  EXPECT_EQ(driver.WaitFor(Add(JobKind::Copy, {top}, copied)).state, JobState::Done);
  const std::wstring tail = deep.substr(Out(L"long").size());
  EXPECT_EQ(ReadWhole(L"\\\\?\\" + copied + tail + L"\\deep.txt"), "deep");
  EXPECT_EQ(driver.WaitFor(Add(JobKind::Move, {copied + tail.substr(0, 41)}, moved)).state,
            JobState::Done);
  EXPECT_EQ(ReadWhole(L"\\\\?\\" + moved + tail + L"\\deep.txt"), "deep");
  EXPECT_EQ(driver.WaitFor(Add(JobKind::Delete, {top}, L"")).state, JobState::Done);
  EXPECT_TRUE(Names(Out(L"long")).empty());
  EXPECT_TRUE(driver.Asked().empty());
}

TEST_F(FileJobs, LinksAreNeverFollowed) {
  // folder-link points at real\ beside it; made from the Linux side.
  const std::wstring parent = kRoot + L"\\links";
  ASSERT_NE(GetFileAttributesW((parent + L"\\folder-link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT,
            0u);
  const std::wstring out = FreshOut(L"links");
  driver.answer = [](const JobQuestion&) { return Answer::Skip; };
  EXPECT_EQ(driver.WaitFor(Add(JobKind::Copy, {parent + L"\\folder-link"}, out)).state,
            JobState::Done);
  const DWORD copied = GetFileAttributesW((out + L"\\folder-link").c_str());
  // Made again as a link, or (where the platform cannot make links) asked about and left
  // out; never a folder with the target's items copied in.
  if (copied == INVALID_FILE_ATTRIBUTES) {
    ASSERT_EQ(driver.Asked().size(), 1u);
    EXPECT_EQ(driver.Asked()[0].kind, QuestionKind::StepFailed);
  } else {
    EXPECT_NE(copied & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
  }
  // Deleted, the link goes and what it points at stays. Wine lists a Linux link to a folder
  // as a link but can neither read nor remove it: there the removal is asked about.
  const size_t askedBefore = driver.Asked().size();
  EXPECT_EQ(driver.WaitFor(Add(JobKind::Delete, {parent}, L"")).state, JobState::Done);
  if (Exists(parent)) {
    EXPECT_TRUE(RunningUnderWine());
    ASSERT_GT(driver.Asked().size(), askedBefore);
    EXPECT_EQ(driver.Asked()[askedBefore].source.path, parent + L"\\folder-link");
  }
  EXPECT_EQ(ReadWhole(kRoot + L"\\link-target\\inner.txt"), "inner");
}

}  // namespace
}  // namespace fm::test
