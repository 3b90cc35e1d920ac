#include <gtest/gtest.h>

#include "core/RowText.h"

namespace fm {
namespace {

TEST(RowTextTest, SizeColumnAndCaptionFollowTheFirstRuleThatHolds) {
  const struct {
    const char* name;
    bool isExistingFile;
    std::uint32_t attributes;
    std::uint64_t size;
    const wchar_t* displayName;
    const wchar_t* fullPath;
    const wchar_t* sizeText;
    const wchar_t* caption;
  } cases[] = {
      {"file", true, 0x20, 1536, L"a.txt", L"C:\\d\\a.txt", L"1.5 KB", L"a.txt"},
      {"empty file", true, 0x20, 0, L"e.txt", L"C:\\d\\e.txt", L"0 B", L"e.txt"},
      {"link to a file", true, 0x420, 10, L"l.txt", L"C:\\t\\t.txt", L"10 B", L"l.txt"},
      {"link to a folder", false, 0x410, 0, L"Shown", L"C:\\target", L"LINK", L"Shown"},
      {"plain folder", false, 0x10, 0, L"Windows", L"C:\\Windows", L"DIR", L"Windows"},
      {"localised folder", false, 0x10, 0, L"Dokumente", L"C:\\Users\\me\\Documents", L"DIR",
       L"Documents"},
      {"case differs", false, 0x10, 0, L"windows", L"C:\\Windows", L"DIR", L"Windows"},
      {"short folder name", false, 0x11, 0, L"ab", L"C:\\data\\ab", L"DIR", L"ab"},
      {"folder as drive root", false, 0x10, 0, L"System (C:)", L"C:\\", L"DIR", L"C:\\"},
      {"gone, with a size", false, 0x20, 2048, L"old.txt", L"C:\\d\\old.txt", L"2 KB", L"old.txt"},
      {"drive", false, 0, 0, L"System (C:)", L"C:\\", L"", L"System (C:)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RowSizeAndCaption row =
        SizeAndCaption(c.isExistingFile, c.attributes, c.size, c.displayName, c.fullPath, L'.');
    EXPECT_EQ(row.size, c.sizeText);
    EXPECT_EQ(row.caption, c.caption);
  }
}

TEST(RowTextTest, SizeColumnUsesTheDecimalSeparator) {
  EXPECT_EQ(SizeAndCaption(true, 0, 1536, L"a", L"C:\\a", L',').size, L"1,5 KB");
}

TEST(RowTextTest, AttributeLettersComeInTheOrderRASH) {
  const struct {
    std::uint32_t attributes;
    const wchar_t* letters;
  } cases[] = {
      {0x0, L""},      {0x1, L"R"},    {0x20, L"A"}, {0x4, L"S"}, {0x2, L"H"},
      {0x27, L"RASH"}, {0x23, L"RAH"}, {0x6, L"SH"}, {0x10, L""}, {0xFFFFFFFF, L"RASH"},
  };
  for (const auto& c : cases) EXPECT_EQ(AttributeLetters(c.attributes), c.letters) << c.attributes;
}

}  // namespace
}  // namespace fm
