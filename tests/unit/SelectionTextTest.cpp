#include <gtest/gtest.h>

#include "core/SelectionText.h"

namespace fm {
namespace {

TEST(SelectionTextTest, SaysCountAndSizeOnlyForSeveralRows) {
  const struct {
    std::uint64_t rows;
    std::uint64_t bytes;
    wchar_t separator;
    const wchar_t* expected;
  } cases[] = {
      {0, 0, L'.', L""},
      {1, 5000, L'.', L""},
      {2, 0, L'.', L"Selected: 2, 0 B"},
      {3, 1536, L'.', L"Selected: 3, 1.5 KB"},
      {3, 1536, L',', L"Selected: 3, 1,5 KB"},
      {100000, 5ull << 40, L'.', L"Selected: 100000, 5 TB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SelectionText(c.rows, c.bytes, c.separator), c.expected) << c.rows << " rows, " << c.bytes;
  }
}

}  // namespace
}  // namespace fm
