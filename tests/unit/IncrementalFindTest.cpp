#include <gtest/gtest.h>

#include <vector>

#include "core/IncrementalFind.h"

namespace fm {
namespace {

const std::vector<std::wstring> kNames = {L"Windows",  L"Documents",  L"data",
                                          L"DOC1.TXT", L"\u00c4rger", L"zeta"};

TEST(IncrementalFindTest, FindsFirstPrefixMatchFromTheStartRow) {
  const struct {
    const wchar_t* typed;
    int start;
    bool wrap;
    int found;
  } cases[] = {
      {L"doc", 0, true, 1},       {L"doc", 2, true, 3},
      {L"DoC1", 0, false, 3},     {L"doc", 4, true, 1},  // wraps past the last row
      {L"doc", 4, false, -1},     {L"data", 0, false, 2},
      {L"\u00e4", 0, true, -1},  // only a to z are folded
      {L"\u00c4", 0, true, 4},    {L"", 0, true, -1},
      {L"windowsx", 0, true, -1}, {L"zeta", 5, false, 5},
      {L"win", 5, false, -1},                            // without wrap only the last row is tested
      {L"win", 5, true, 0},       {L"win", 6, true, 0},  // a start beyond the rows covers them all
      {L"zeta", 99, true, 5},     {L"win", 6, false, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindRowByPrefix(c.typed, c.start, c.wrap, kNames), c.found)
        << c.typed << " from " << c.start << (c.wrap ? " wrapping" : "");
  }
}

TEST(IncrementalFindTest, VisitsEachRowOnceInSearchOrder) {
  const struct {
    int start;
    bool wrap;
    std::vector<int> visits;
  } cases[] = {
      {0, true, {0, 1, 2, 3, 4, 5}}, {3, true, {3, 4, 5, 0, 1, 2}}, {5, true, {5, 0, 1, 2, 3, 4}},
      {6, true, {0, 1, 2, 3, 4, 5}}, {3, false, {3, 4, 5}},         {6, false, {}},
  };
  for (const auto& c : cases) {
    std::vector<int> visits;
    const int found = FindRowByPrefix(L"nothing", c.start, c.wrap, static_cast<int>(kNames.size()),
                                      [&](int row) -> std::wstring_view {
                                        visits.push_back(row);
                                        return kNames.at(row);
                                      });
    EXPECT_EQ(found, -1);
    EXPECT_EQ(visits, c.visits) << "from " << c.start << (c.wrap ? " wrapping" : "");
  }
}

TEST(IncrementalFindTest, EmptyListFindsNothing) {
  EXPECT_EQ(FindRowByPrefix(L"a", 0, true, std::span<const std::wstring>()), -1);
}

}  // namespace
}  // namespace fm
