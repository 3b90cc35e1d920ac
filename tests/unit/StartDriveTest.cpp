#include <gtest/gtest.h>

#include "core/StartDrive.h"

namespace fm {
namespace {

TEST(StartDriveTest, DriveIsReadPastPrefixesAndSharesHaveNone) {
  const struct {
    const wchar_t* path;
    const wchar_t* drive;
  } cases[] = {
      {L"C:\\Program Files\\Foldmere.exe", L"C:"},
      {L"c:\\tools\\Foldmere.exe", L"c:"},
      {L"\\\\?\\D:\\very\\long\\Foldmere.exe", L"D:"},
      {L"\\\\.\\E:\\Foldmere.exe", L"E:"},
      {L"\\\\server\\share\\Foldmere.exe", L""},
      {L"\\\\?\\UNC\\server\\share\\Foldmere.exe", L""},
      {L"\\\\?\\Volume{5d1e2f00-0000-0000-0000-100000000000}\\x.exe", L""},
      {L"1:\\x.exe", L""},
      {L"C", L""},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(DriveOfPath(c.path), c.drive) << c.path;
}

}  // namespace
}  // namespace fm
