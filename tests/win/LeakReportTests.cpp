// The report at shutdown lists what is still alive, and stays silent when nothing is.
#include <gtest/gtest.h>

#include "LeakReport.h"
#include "MainUnit.h"
#include "platform/Shell.h"

namespace {

TEST(LeakReport, NamesTheItemIdListsAndEntriesStillAlive) {
  testing::internal::CaptureStderr();
  { foldmere::LeakReport report; }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

  const fm::ItemIdList list = fm::ParseDisplayName(*fm::DesktopFolder(), nullptr, L"C:\\windows");
  const MainUnit::TLeftShellItem entry(list.Get(), L"windows", L"windows", L"C:\\windows", {});
  testing::internal::CaptureStderr();
  { foldmere::LeakReport report; }
  const std::string text = testing::internal::GetCapturedStderr();
#ifdef NDEBUG
  EXPECT_EQ(text, "");
#else
  EXPECT_NE(text.find("1 item ID lists and 1 entries"), std::string::npos) << text;
#endif
}

}  // namespace
