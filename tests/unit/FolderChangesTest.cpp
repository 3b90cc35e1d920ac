#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FolderChanges.h"

namespace fm {
namespace {

TEST(FolderChangesTest, GathersEachNameOnceOrAsksForAWholeRead) {
  const struct {
    const char* what;
    std::vector<std::wstring> heard;
    std::vector<std::wstring> names;
    bool readWhole;
  } cases[] = {
      {"names in the order they came", {L"b.txt", L"a.txt"}, {L"b.txt", L"a.txt"}, false},
      {"a name changed twice is one name", {L"a.txt", L"b.txt", L"a.txt"}, {L"a.txt", L"b.txt"}, false},
      {"letter case tells names apart here", {L"a.txt", L"A.txt"}, {L"a.txt", L"A.txt"}, false},
      {"a path is not the folder's own item", {L"a.txt", L"sub\\b.txt"}, {}, true},
      {"a slash neither", {L"sub/b.txt"}, {}, true},
      {"an empty name tells nothing", {L""}, {}, true},
  };
  for (const auto& c : cases) {
    FolderChanges changes;
    for (const std::wstring& name : c.heard) changes.Add(name);
    EXPECT_EQ(changes.Names(), c.names) << c.what;
    EXPECT_EQ(changes.ReadWhole(), c.readWhole) << c.what;
    EXPECT_EQ(changes.Changes(), c.heard.size()) << c.what;
    EXPECT_FALSE(changes.Empty()) << c.what;
  }
}

TEST(FolderChangesTest, TooManyChangesInOneGatheringAskForAWholeRead) {
  // Changes to one name count too: a file written in many small steps is as much work
  // to follow as it is changes, and the threshold is on the changes heard.
  FolderChanges many;
  for (std::size_t i = 0; i < FolderChanges::kReadWholeAfter; ++i) many.Add(L"f" + std::to_wstring(i));
  EXPECT_FALSE(many.ReadWhole());
  many.Add(L"one more");
  EXPECT_TRUE(many.ReadWhole());
  EXPECT_TRUE(many.Names().empty());

  // Two gatherings merged are counted together, also where each held few names.
  FolderChanges first;
  FolderChanges later;
  first.Add(L"other");
  for (std::size_t i = 0; i < FolderChanges::kReadWholeAfter; ++i) later.Add(L"same");
  EXPECT_FALSE(later.ReadWhole());
  first.Merge(later);
  EXPECT_TRUE(first.ReadWhole());
  EXPECT_EQ(first.Changes(), FolderChanges::kReadWholeAfter + 1);
}

TEST(FolderChangesTest, MergeKeepsNamesOverflowAndTheEnd) {
  const struct {
    const char* what;
    bool laterOverflows;
    bool laterEnds;
    std::vector<std::wstring> names;
  } cases[] = {
      {"names join", false, false, {L"a", L"b"}},
      {"an overflow wins over names", true, false, {}},
      {"an end is kept beside the names", false, true, {L"a", L"b"}},
  };
  for (const auto& c : cases) {
    FolderChanges first;
    first.Add(L"a");
    FolderChanges later;
    later.Add(L"b");
    later.Add(L"a");
    if (c.laterOverflows) later.Overflow();
    if (c.laterEnds) later.End();
    first.Merge(later);
    EXPECT_EQ(first.Names(), c.names) << c.what;
    EXPECT_EQ(first.ReadWhole(), c.laterOverflows) << c.what;
    EXPECT_EQ(first.Ended(), c.laterEnds) << c.what;
    EXPECT_EQ(first.Changes(), 3u) << c.what;
  }
  EXPECT_TRUE(FolderChanges().Empty());
}

}  // namespace
}  // namespace fm
