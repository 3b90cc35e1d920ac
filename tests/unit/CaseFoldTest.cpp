#include <gtest/gtest.h>

#include "core/CaseFold.h"

namespace fm {
namespace {

TEST(CaseFoldTest, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(AsciiUpper(L"abz{`\u00e4\u00df"), L"ABZ{`\u00e4\u00df");
  EXPECT_TRUE(EqualsAsciiNoCase(L"Arial Bold", L"ARIAL bold"));
  EXPECT_FALSE(EqualsAsciiNoCase(L"\u00e4", L"\u00c4"));
  EXPECT_FALSE(EqualsAsciiNoCase(L"ab", L"abc"));
  EXPECT_TRUE(StartsWithAsciiNoCase(L"Documents", L"DOC"));
  EXPECT_FALSE(StartsWithAsciiNoCase(L"Do", L"Doc"));
}

}  // namespace
}  // namespace fm
