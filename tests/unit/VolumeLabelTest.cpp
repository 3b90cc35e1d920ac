#include <gtest/gtest.h>

#include "core/VolumeLabel.h"

namespace fm {
namespace {

TEST(VolumeLabelTest, TheLabelIsTheTypedTextWithoutItsDriveAndBlanks) {
  const struct {
    const wchar_t* typed;
    const wchar_t* label;
  } cases[] = {
      {L"Data (D:)", L"Data"},
      {L"Old label (C:)", L"Old label"},
      {L"New(D:)", L"New"},         // no blank before the drive: the label keeps every letter
      {L"Data (E:)", L"Data"},      // another drive's letter names no other volume
      {L"(D:)", L""},               // only the drive clears the label
      {L" (C:)", L""},              // as the shell names a drive without a label
      {L"  Spaced  (c:)  ", L"Spaced"},
      {L"\tTabbed\t", L"Tabbed"},
      {L"NewLabel", L"NewLabel"},   // without the drive the text is the label
      {L"", L""},
      {L"   ", L""},
      {L"a (b) (C:)", L"a (b)"},    // only the trailing drive goes
      {L"Data (D:) more", L"Data (D:) more"},
      {L"Data (1:)", L"Data (1:)"},  // no drive letter
      {L"Data (DE:)", L"Data (DE:)"},
      {L"Data D:)", L"Data D:)"},
      {L"(D:)(E:)", L"(D:)"},
  };
  for (const auto& c : cases) EXPECT_EQ(VolumeLabelOf(c.typed), c.label) << c.typed;
}

TEST(VolumeLabelTest, TheResultTextNamesLabelAndRoot) {
  EXPECT_EQ(LabelResultText(true, L"Data", L"C:\\"), L"set Data for C:\\");
  EXPECT_EQ(LabelResultText(false, L"Data", L"Z:\\"), L"failed set Data for Z:\\");
  EXPECT_EQ(LabelResultText(true, L"", L"C:\\"), L"set  for C:\\");
}

}  // namespace
}  // namespace fm
