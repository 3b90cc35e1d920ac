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
  EXPECT_EQ(InfoTipText(FullInfo(), L"1.5 KB"),
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
  EXPECT_EQ(InfoTipText(info, L""),
            L"Location: C:\\app\\tool.exe\r\nCompany: co\r\nFile Version: fv\r\nInternal Filename: in\r\n"
            L"Copyright: cr\r\nTrademark: tm\r\nOriginal Filename: of\r\nProduct: pn\r\nProduct Version: pv\r\n"
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

}  // namespace
}  // namespace fm
