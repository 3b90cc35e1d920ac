#include <gtest/gtest.h>

#include <set>

#include "core/KeepBothName.h"

namespace fm {
namespace {

TEST(KeepBothNameTest, FirstFreeNumberBeforeTheExtension) {
  const struct {
    const wchar_t* name;
    bool isFolder;
    std::set<std::wstring> taken;
    const wchar_t* expected;
  } cases[] = {
      {L"a.txt", false, {L"a.txt"}, L"a (2).txt"},
      {L"a.txt", false, {L"a.txt", L"a (2).txt"}, L"a (3).txt"},
      {L"a.txt", false, {L"a.txt", L"a (3).txt"}, L"a (2).txt"},
      {L"archive.tar.gz", false, {}, L"archive.tar (2).gz"},
      {L"README", false, {L"README", L"README (2)"}, L"README (3)"},
      {L"photos.2024", true, {}, L"photos.2024 (2)"},
      {L".profile", false, {}, L".profile (2)"},
      {L".config.bak", false, {}, L".config (2).bak"},
      {L"a (3).txt", false, {L"a (4).txt"}, L"a (5).txt"},
      {L"Folder (3)", true, {}, L"Folder (4)"},
      // Not a number of ours: kept as a part of the name.
      {L"a (1).txt", false, {}, L"a (1) (2).txt"},
      {L"a (03).txt", false, {}, L"a (03) (2).txt"},
      {L"a (x).txt", false, {}, L"a (x) (2).txt"},
      {L"a().txt", false, {}, L"a() (2).txt"},
      {L"(7)", true, {}, L"(7) (2)"},
      {L"name.", false, {}, L"name (2)."},
  };
  for (const auto& c : cases) {
    const auto taken = [&](std::wstring_view n) { return c.taken.contains(std::wstring(n)); };
    EXPECT_EQ(KeepBothName(c.name, c.isFolder, taken), c.expected) << c.name;
  }
}

TEST(KeepBothNameTest, AsksOnlyAboutNamesOfItsOwnForm) {
  std::vector<std::wstring> asked;
  const auto taken = [&](std::wstring_view n) {
    asked.emplace_back(n);
    return asked.size() < 4;
  };
  EXPECT_EQ(KeepBothName(L"x.bin", false, taken), L"x (5).bin");
  EXPECT_EQ(asked,
            (std::vector<std::wstring>{L"x (2).bin", L"x (3).bin", L"x (4).bin", L"x (5).bin"}));
}

}  // namespace
}  // namespace fm
