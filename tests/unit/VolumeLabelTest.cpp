#include <gtest/gtest.h>

#include "core/VolumeLabel.h"

namespace fm {
namespace {

TEST(VolumeLabelTest, ACaptionNamesAVolumeWhenSomethingStandsBeforeItsColonParenthesis) {
  const struct {
    const wchar_t* text;
    std::size_t end;
  } cases[] = {
      {L"Data (D:)", 8}, {L" (C:)", 4},    // a drive without a label, as the shell names it
      {L"(C:)", 3},      {L"(:)", 0},      // nothing between "(" and ":)"
      {L"a:)", 2},                         // no "(": one character before ":)" is enough
      {L":)", 0},        {L"x(:)y:)", 6},  // the first ":)" too early, a later one counts
      {L"Data (D:", 0},  {L"Data", 0},    {L"", 0}, {L"a.txt", 0}, {L"(x) (C:)", 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VolumeCaptionEnd(c.text), c.end) << c.text;
    EXPECT_EQ(IsVolumeCaption(c.text), c.end != 0) << c.text;
  }
}

TEST(VolumeLabelTest, AConfirmedTextGivesTheRootAndTheLabel) {
  const struct {
    const wchar_t* text;
    const wchar_t* root;
    const wchar_t* label;
  } cases[] = {
      {L"New (D:)", L"D:", L"New"},
      {L"Old label (C:)", L"C:", L"Old label"},
      {L"New(D:)", L"D:", L"Ne"},  // without the blank the last letter goes
      {L"(D:)", L"D:", L""},       // only the drive clears the label
      {L" (C:)", L"C:", L""},
      {L"X (C:)", L"C:", L"X"},
      {L"NewLabel", L"NewLabel", L"NewLabel"},  // the drive removed names no root
      {L"", L"", L""},
      {L"C:\\rest (D:)", L"C:\\", L"C:\\rest"},  // a leading drive root wins
      {L"C:\\", L"C:\\", L"C:\\"},
      {L"ab:)", L"b:", L""},  // no "(" but ":)" after the first character
      {L"a (b) (C:)", L"C:", L"a (b)"},
      {L"Data (D:) more", L"D:", L"Data"},
  };
  for (const auto& c : cases) {
    const VolumeLabelRequest request = LabelRequestOf(c.text);
    EXPECT_EQ(request.root, c.root) << c.text;
    EXPECT_EQ(request.label, c.label) << c.text;
  }
}

TEST(VolumeLabelTest, TheResultTextNamesLabelAndRoot) {
  EXPECT_EQ(LabelResultText(true, {L"C:", L"Data"}), L"set Data for C:");
  EXPECT_EQ(LabelResultText(false, {L"NewLabel", L"NewLabel"}),
            L"failed set NewLabel for NewLabel");
  EXPECT_EQ(LabelResultText(true, {L"C:", L""}), L"set  for C:");
}

}  // namespace
}  // namespace fm
