#include <gtest/gtest.h>

#include "core/VersionText.h"

namespace fm {
namespace {

TEST(VersionTextTest, FileFunctionNamesTheKindAndTheSubtypeOfDriversAndFonts) {
  const struct {
    std::uint32_t type;
    std::uint32_t subtype;
    const wchar_t* text;
  } cases[] = {
      {0, 7, L"Unknown"},
      {1, 3, L"Application"},
      {2, 0, L"DLL"},
      {3, 0, L"Unknown Driver"},
      {3, 1, L"Printer Driver"},
      {3, 2, L"Keyboard Driver"},
      {3, 3, L"Language Driver"},
      {3, 4, L"Display Driver"},
      {3, 5, L"Mouse Driver"},
      {3, 6, L"Network Driver"},
      {3, 7, L"System Driver"},
      {3, 8, L"InstallableDriver"},
      {3, 9, L"Sound Driver"},
      {3, 10, L"Communications Driver"},
      {3, 11, L""},
      {3, 0xFFFFFFFF, L""},
      {4, 0, L"Unknown Font"},
      {4, 1, L"Raster Font"},
      {4, 2, L"Vector Font"},
      {4, 3, L"Truetype Font"},
      {4, 4, L""},
      {5, 0x12AB, L"Virtual Defice Identifier = 000012AB"},
      {5, 0xDEADBEEF, L"Virtual Defice Identifier = DEADBEEF"},
      {6, 0, L""},
      {7, 1, L"Static-link Library"},
      {8, 0, L""},
      {0xFFFFFFFF, 0, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileFunctionText(c.type, c.subtype), c.text) << c.type << "/" << c.subtype;
  }
}

TEST(VersionTextTest, AFlagCountsOnlyWhereTheMaskDeclaresItValid) {
  const struct {
    std::uint32_t mask;
    std::uint32_t flags;
    std::uint32_t flag;
    bool set;
  } cases[] = {
      {0x3F, 0x01, 0x01, true},  {0x3F, 0x00, 0x01, false}, {0x00, 0x3F, 0x01, false},
      {0x01, 0x3F, 0x02, false}, {0x3F, 0x22, 0x20, true},  {0x3F, 0x22, 0x08, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HasFileFlag(c.mask, c.flags, c.flag), c.set) << std::hex << c.mask << " " << c.flags << " " << c.flag;
  }
}

TEST(VersionTextTest, StringPathTakesLanguageFromTheLowWordInUpperCaseHex) {
  EXPECT_EQ(VersionStringPath(0x04B00409, L"FileVersion"), L"\\StringFileInfo\\040904B0\\FileVersion");
  EXPECT_EQ(VersionStringPath(0x04E40409, L"CompanyName"), L"\\StringFileInfo\\040904E4\\CompanyName");
  EXPECT_EQ(VersionStringPath(0x00000000, L"x"), L"\\StringFileInfo\\00000000\\x");
}

TEST(VersionTextTest, TitleAndCaptionAreComposedAlsoFromEmptyTexts) {
  EXPECT_EQ(ApplicationTitle(L"Foldmere x64", L"0.0.1.46"), L"Foldmere x64 v0.0.1.46");
  EXPECT_EQ(ApplicationTitle(L"", L""), L" v");
  EXPECT_EQ(WindowCaption(L"Foldmere x64 v0.0.1.46", L"(C) Someone"), L"Foldmere x64 v0.0.1.46 (C) Someone");
}

}  // namespace
}  // namespace fm
