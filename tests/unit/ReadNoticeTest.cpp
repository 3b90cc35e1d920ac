#include <gtest/gtest.h>

#include "core/ReadNotice.h"

namespace fm {
namespace {

TEST(ReadNoticeTest, FirstPathAloneOrWithHowManyMore) {
  const struct {
    std::uint64_t more;
    const wchar_t* expected;
  } cases[] = {
      {0, L"C:\\pipes\\p1"},
      {1, L"C:\\pipes\\p1\r\nand 1 more like it."},
      {4999, L"C:\\pipes\\p1\r\nand 4999 more like it."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NeitherFileNorFolderNotice(L"C:\\pipes\\p1", c.more), c.expected) << c.more;
}

}  // namespace
}  // namespace fm
