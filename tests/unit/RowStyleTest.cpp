#include <gtest/gtest.h>

#include "core/RowStyle.h"

namespace fm {
namespace {

namespace rc = row_color;

constexpr RowStyle Bold(TColor color) { return {color, true, false}; }
constexpr RowStyle BoldItalic(TColor color) { return {color, true, true}; }

TEST(RowStyleTest, NameCellStyleFollowsAttributesAndPlace) {
  constexpr std::wstring_view kShown = L"C:\\Data";
  constexpr std::wstring_view kInShown = L"C:\\Data\\f.txt";
  const struct {
    const char* name;
    RowFacts facts;
    RowStyle style;
  } cases[] = {
      {"ordinary file", {0x20, true, kInShown, L"f.txt", 10, kShown}, Bold(rc::kListFont)},
      {"read-only", {0x21, true, kInShown, L"f.txt", 10, kShown}, BoldItalic(rc::kReadOnly)},
      {"system", {0x4, true, kInShown, L"f.txt", 10, kShown}, BoldItalic(rc::kSystem)},
      {"read-only hidden", {0x3, true, kInShown, L"f.txt", 10, kShown}, BoldItalic(rc::kHidden)},
      {"hidden system", {0x6, true, kInShown, L"f.txt", 10, kShown}, BoldItalic(rc::kHidden)},
      {"compressed read-only",
       {0x801, true, kInShown, L"f.txt", 10, kShown},
       BoldItalic(rc::kCompressed)},
      {"compressed", {0x820, true, kInShown, L"f.txt", 10, kShown}, Bold(rc::kCompressed)},
      {"encrypted", {0x4000, true, kInShown, L"f.txt", 10, kShown}, Bold(rc::kCompressed)},
      {"plain folder", {0x10, false, L"C:\\Data\\d", L"d", 0, kShown}, Bold(rc::kListFont)},
      {"link to a folder", {0x410, false, L"C:\\T", L"lnk", 0, kShown}, BoldItalic(rc::kLink)},
      {"hidden link", {0x412, false, L"C:\\T", L"lnk", 0, kShown}, BoldItalic(rc::kLink)},
      {"file elsewhere",
       {0x20, true, L"C:\\T\\f.txt", L"f.txt", 10, kShown},
       BoldItalic(rc::kElsewhere)},
      {"compressed file elsewhere",
       {0x820, true, L"C:\\T\\f.txt", L"f.txt", 10, kShown},
       BoldItalic(rc::kElsewhere)},
      {"folder differs in case only",
       {0x20, true, L"C:\\data\\f.txt", L"f.txt", 0, kShown},
       BoldItalic(rc::kElsewhere)},
      {"file in a shown root",
       {0x20, true, L"C:\\f.txt", L"f.txt", 10, L"C:\\"},
       Bold(rc::kListFont)},
      {"deleted file", {0x20, false, kInShown, L"f.txt", 10, kShown}, Bold(rc::kMissing)},
      {"deleted hidden file",
       {0x22, false, kInShown, L"f.txt", 10, kShown},
       BoldItalic(rc::kMissing)},
      {"deleted, no name", {0x20, false, kInShown, L"", 10, kShown}, Bold(rc::kListFont)},
      {"drive", {0, false, L"C:\\", L"System (C:)", 0, L"Drives"}, Bold(rc::kListFont)},
  };
  for (const auto& c : cases) {
    const RowStyle style = RowStyleOf(c.facts);
    EXPECT_EQ(style.color, c.style.color) << c.name;
    EXPECT_EQ(style.bold, c.style.bold) << c.name;
    EXPECT_EQ(style.italic, c.style.italic) << c.name;
  }
}

}  // namespace
}  // namespace fm
