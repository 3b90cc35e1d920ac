#include <gtest/gtest.h>

#include "core/InfoTipText.h"

namespace fm {
namespace {

TFileVersionInfo FullInfo() {
  TFileVersionInfo info;
  info.HasVersionInfo = true;
  info.FileName = L"C:\\app\\tool.exe";
  info.FileType = L"Application";
  info.CompanyName = L"co";
  info.FileDescription = L"de";
  info.FileVersion = L"fv";
  info.InternalName = L"in";
  info.LegalCopyRight = L"cr";
  info.LegalTradeMarks = L"tm";
  info.OriginalFileName = L"of";
  info.ProductName = L"pn";
  info.ProductVersion = L"pv";
  info.Comments = L"cm";
  info.SpecialBuildStr = L"sb";
  info.PrivateBuildStr = L"pb";
  info.FileFunction = L"Application";
  info.Extra = L"InfoTip: (desktop.ini) (a) 1\r\nInfoTip: (desktop.ini) (b) 2";
  return info;
}

TEST(InfoTipTextTest, LinesStandInTheirOrder) {
  EXPECT_EQ(
      InfoTipText(FullInfo(), L"1.5 KB"),
      L"Location: C:\\app\\tool.exe\r\nType: Application\r\nCompany: co\r\nDescription: de\r\n"
      L"File Version: fv\r\nInternal Filename: in\r\nCopyright: cr\r\nTrademark: tm\r\n"
      L"Original Filename: of\r\nProduct: pn\r\nProduct Version: pv\r\nComments: cm\r\n"
      L"Special Build: sb\r\nPrivate Build: pb\r\nFunction: Application\r\n"
      L"InfoTip: (desktop.ini) (a) 1\r\nInfoTip: (desktop.ini) (b) 2\r\nSize: 1.5 KB");
}

TEST(InfoTipTextTest, MissingFactsLeaveNoEmptyLines) {
  TFileVersionInfo info = FullInfo();
  info.FileType.clear();
  info.FileDescription.clear();
  info.Comments.clear();
  info.Extra.clear();
  EXPECT_EQ(
      InfoTipText(info, L""),
      L"Location: C:\\app\\tool.exe\r\nCompany: co\r\nFile Version: fv\r\nInternal Filename: in\r\n"
      L"Copyright: cr\r\nTrademark: tm\r\nOriginal Filename: of\r\nProduct: pn\r\nProduct Version: "
      L"pv\r\n"
      L"Special Build: sb\r\nPrivate Build: pb\r\nFunction: Application");
}

TEST(InfoTipTextTest, VersionStringsShowOnlyWithAVersionResource) {
  TFileVersionInfo info = FullInfo();
  info.HasVersionInfo = false;
  EXPECT_EQ(InfoTipText(info, L"3 B"),
            L"Location: C:\\app\\tool.exe\r\nType: Application\r\n"
            L"InfoTip: (desktop.ini) (a) 1\r\nInfoTip: (desktop.ini) (b) 2\r\nSize: 3 B");
}

TEST(InfoTipTextTest, SizeLineFollowsTheSizeColumn) {
  const struct {
    const wchar_t* column;
    const wchar_t* tip;
  } cases[] = {
      {L"0 B", L"Location: C:\\x\r\nSize: 0 B"},
      {L"LINK", L"Location: C:\\x"},
      {L"DIR", L"Location: C:\\x"},
      {L"", L"Location: C:\\x"},
      {L"dir", L"Location: C:\\x\r\nSize: dir"},
  };
  for (const auto& c : cases) {
    TFileVersionInfo info;
    info.FileName = L"C:\\x";
    EXPECT_EQ(InfoTipText(info, c.column), c.tip) << testing::PrintToString(std::wstring(c.column));
  }
  EXPECT_EQ(InfoTipText(TFileVersionInfo{}, L""), L"Location: ");
}

std::wstring Lines(std::size_t count, std::size_t length) {
  std::wstring text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += L"\r\n";
    text += std::wstring(length, static_cast<wchar_t>(L'a' + i % 26));
  }
  return text;
}

TEST(InfoTipTextTest, ATipIsBoundedInLinesLineLengthAndAll) {
  const std::wstring ellipsis(1, L'\u2026');
  const std::wstring longest(kTipMaxLineLength, L'x');
  const std::wstring cutLine = std::wstring(kTipMaxLineLength - 1, L'x') + ellipsis;
  const wchar_t high = static_cast<wchar_t>(0xD83D), low = static_cast<wchar_t>(0xDE00);
  std::wstring pairAtCut(kTipMaxLineLength - 2, L'p');
  pairAtCut += high;
  pairAtCut += low;
  pairAtCut += L"tail";
  const struct {
    const char* what;
    std::wstring text;
    std::wstring tip;
  } cases[] = {
      {"short", L"Location: C:\\a\r\nType: Text", L"Location: C:\\a\r\nType: Text"},
      {"empty", L"", L""},
      {"line of the longest length", longest, longest},
      {"longer line", longest + L"y", cutLine},
      {"a million characters", std::wstring(1 << 20, L'x'), cutLine},
      {"character pair at the cut", pairAtCut, std::wstring(kTipMaxLineLength - 2, L'p') + ellipsis},
      {"bare CR and LF end lines too", L"a\rb\nc\r\n\r\nd", L"a\r\nb\r\nc\r\n\r\nd"},
      {"the most lines", Lines(kTipMaxLines, 3), Lines(kTipMaxLines, 3)},
      {"more lines", Lines(5000, 3), Lines(kTipMaxLines, 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(BoundedTip(c.text), c.tip) << c.what;

  // Forty full lines would pass the limit of all: the line that reaches it is cut.
  const std::wstring bounded = BoundedTip(Lines(kTipMaxLines, kTipMaxLineLength));
  EXPECT_EQ(bounded.size(), kTipMaxLength);
  EXPECT_EQ(bounded.back(), L'\u2026');
  const std::size_t fullLines = kTipMaxLength / (kTipMaxLineLength + 2);
  EXPECT_EQ(bounded.substr(0, fullLines * (kTipMaxLineLength + 2)),
            Lines(fullLines, kTipMaxLineLength) + L"\r\n");
}

TEST(InfoTipTextTest, ATipOfAHugeDescriptionIsBounded) {
  TFileVersionInfo info = FullInfo();
  info.Extra = Lines(500, 1000);
  const std::wstring tip = InfoTipText(info, L"1 KB");
  EXPECT_LE(tip.size(), kTipMaxLength);
  EXPECT_TRUE(tip.starts_with(L"Location: C:\\app\\tool.exe\r\nType: Application\r\n"));
}

}  // namespace
}  // namespace fm
