#include <gtest/gtest.h>

#include "core/Error.h"

namespace {

TEST(ToUtf8, EncodesEveryWidthAndReplacesBrokenSurrogates) {
  struct Case {
    std::wstring text;
    std::string utf8;
  };
  const Case cases[] = {
      {L"", ""},
      {L"C:\\a.txt", "C:\\a.txt"},
      {L"\u00e4\u00c4", "\xc3\xa4\xc3\x84"},
      {L"\u20ac", "\xe2\x82\xac"},
      {std::wstring(1, static_cast<wchar_t>(0xD800)), "\xef\xbf\xbd"},
  };
  for (const Case& c : cases) EXPECT_EQ(fm::ToUtf8(c.text), c.utf8);
  // A character beyond the basic plane, however wide wchar_t is.
  std::wstring clef;
  if constexpr (sizeof(wchar_t) == 2) {
    clef = {static_cast<wchar_t>(0xD834), static_cast<wchar_t>(0xDD1E)};
  } else {
    clef = {static_cast<wchar_t>(0x1D11E)};
  }
  EXPECT_EQ(fm::ToUtf8(clef), "\xf0\x9d\x84\x9e");
  EXPECT_STREQ(fm::Error(L"caf\u00e9").what(), "caf\xc3\xa9");
}

}  // namespace
