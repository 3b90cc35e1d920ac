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

TEST(FolderChangesTest, TooManyItemsChangedInOneGatheringAskForAWholeRead) {
  FolderChanges many;
  for (std::size_t i = 0; i < FolderChanges::kReadWholeAfter; ++i) many.Add(L"f" + std::to_wstring(i));
  EXPECT_FALSE(many.ReadWhole());
  many.Add(L"one more");
  EXPECT_TRUE(many.ReadWhole());
  EXPECT_TRUE(many.Names().empty());

  // A file written in many small steps is one item to look at again, however often heard.
  FolderChanges oneFile;
  for (std::size_t i = 0; i <= 3 * FolderChanges::kReadWholeAfter; ++i) oneFile.Add(L"log.txt");
  EXPECT_FALSE(oneFile.ReadWhole());
  EXPECT_EQ(oneFile.Names(), std::vector<std::wstring>{L"log.txt"});

  // Two gatherings merged count their items together, each once.
  FolderChanges first;
  FolderChanges later;
  const std::size_t half = FolderChanges::kReadWholeAfter / 2;
  for (std::size_t i = 0; i <= half; ++i) first.Add(L"a" + std::to_wstring(i));
  for (std::size_t i = 0; i <= half; ++i) later.Add(L"a" + std::to_wstring(i));
  first.Merge(later);
  EXPECT_FALSE(first.ReadWhole());
  EXPECT_EQ(first.Changes(), 2 * (half + 1));
  FolderChanges others;
  for (std::size_t i = 0; i <= half; ++i) others.Add(L"b" + std::to_wstring(i));
  EXPECT_FALSE(others.ReadWhole());
  first.Merge(others);
  EXPECT_TRUE(first.ReadWhole());
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
