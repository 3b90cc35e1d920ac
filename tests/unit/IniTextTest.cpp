#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/IniText.h"

namespace fm {
namespace {

using Entries = std::vector<IniEntry>;

TEST(IniTextTest, KeysComeInFileOrderTrimmedUnquotedAndFirstValuedWhenRepeated) {
  const struct {
    const char* what;
    std::wstring_view text;
    Entries entries;
  } cases[] = {
      {"order", L"[.ShellClassInfo]\r\nB=2\r\nA=1\r\n[Other]\r\nC=3",
       {{L".ShellClassInfo", L"B", L"2"}, {L".ShellClassInfo", L"A", L"1"}, {L"Other", L"C", L"3"}}},
      {"blanks", L"  [ s ]  \n\t key \t=  a value \t\n", {{L"s", L"key", L"a value"}}},
      {"quotes", L"[s]\nd=\"double\"\ns='single'\nm=\"mixed'\ni=a \"b\"\nq=\"\n",
       {{L"s", L"d", L"double"}, {L"s", L"s", L"single"}, {L"s", L"m", L"\"mixed'"},
        {L"s", L"i", L"a \"b\""}, {L"s", L"q", L"\""}}},
      {"value with =", L"[s]\nk=a=b", {{L"s", L"k", L"a=b"}}},
      {"repeated key", L"[s]\nk=first\nK=second\n[t]\nk=other",
       {{L"s", L"k", L"first"}, {L"s", L"K", L"first"}, {L"t", L"k", L"other"}}},
      {"section met again", L"[s]\nk=first\n[t]\nx=1\n[S]\nk=again\nj=new",
       {{L"s", L"k", L"first"}, {L"t", L"x", L"1"}, {L"S", L"k", L"first"}, {L"S", L"j", L"new"}}},
      {"no section, comment, no =, no name",
       L"early=1\n[s]\n;k=comment\nbare\n=nameless\nk=\n",
       {{L"s", L"k", L""}}},
      {"line ends", L"[s]\rA=1\nB=2\r\n\r\nC=3", {{L"s", L"A", L"1"}, {L"s", L"B", L"2"}, {L"s", L"C", L"3"}}},
      {"zero ends a line's text", std::wstring_view(L"[s]\nk=a\0b\nj=2", 13), {{L"s", L"k", L"a"}, {L"s", L"j", L"2"}}},
      {"unclosed section", L"[open\nk=v", {{L"open", L"k", L"v"}}},
      {"empty", L"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIni(c.text, false), c.entries) << c.what;
}

TEST(IniTextTest, AFileCutAtTheReadLimitLosesOnlyItsUnfinishedLine) {
  const std::wstring_view text = L"[s]\r\nwhole=yes\r\nhalf=cut in the mid";
  EXPECT_EQ(ParseIni(text, true), (Entries{{L"s", L"whole", L"yes"}}));
  EXPECT_EQ(ParseIni(text, false),
            (Entries{{L"s", L"whole", L"yes"}, {L"s", L"half", L"cut in the mid"}}));
  EXPECT_EQ(ParseIni(L"[s]k=no line break at all", true), Entries{});
}

TEST(IniTextTest, AByteOrderMarkNamesTheEncoding) {
  using namespace std::string_view_literals;
  const struct {
    const char* what;
    std::string_view bytes;
    std::optional<std::wstring> text;
  } cases[] = {
      // Units as they come, a character pair as two.
      {"UTF-16 LE", "\xFF\xFE[\0s\0]\0\xE4\0\x3D\xD8\x00\xDE"sv,
       std::wstring(L"[s]\u00e4") + static_cast<wchar_t>(0xD83D) + static_cast<wchar_t>(0xDE00)},
      {"UTF-16 BE", "\xFE\xFF\0[\0s\0]\0\xE4"sv, L"[s]\u00e4"},
      {"UTF-16, odd byte cut", "\xFF\xFE" "a\0b"sv, L"a"},
      {"UTF-8", "\xEF\xBB\xBF[s]\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"sv, L"[s]\u00e4\u20ac\U0001F600"},
      {"UTF-8, character cut at the end", "\xEF\xBB\xBF" "a\xE2\x82"sv, L"a"},
      {"UTF-8, malformed", "\xEF\xBB\xBF" "a\x80z\xC3z\xC0\xAFz\xED\xA0\x80z"sv,
       L"a\ufffdz\ufffdz\ufffdz\ufffdz"},
      {"mark alone", "\xEF\xBB\xBF"sv, L""},
      {"no mark: the system's code page", "[s]\xE4"sv, std::nullopt},
      {"empty", ""sv, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TextOfMarkedBytes(c.bytes), c.text) << c.what;
}

}  // namespace
}  // namespace fm
