#include <gtest/gtest.h>

#include "core/FileCommandText.h"

namespace fm {
namespace {

TEST(FileCommandTextTest, OneItemIsNamedAndSeveralAreCounted) {
  const std::vector<std::wstring> one{L"C:\\src\\a.txt"};
  const std::vector<std::wstring> two{L"C:\\src\\a.txt", L"C:\\src\\sub"};
  EXPECT_EQ(CopyMovePrompt(FileCommand::Copy, 1), L"Copy 1 item to:");
  EXPECT_EQ(CopyMovePrompt(FileCommand::Move, 3), L"Move 3 items to:");
  EXPECT_EQ(DeleteQuestion(one, false), L"Send \"a.txt\" to the Recycle Bin?");
  EXPECT_EQ(DeleteQuestion(two, false), L"Send 2 items to the Recycle Bin?");
  EXPECT_EQ(DeleteQuestion(one, true), L"Delete \"a.txt\" permanently? It cannot be restored.");
  EXPECT_EQ(DeleteQuestion(two, true), L"Delete 2 items permanently? They cannot be restored.");
  EXPECT_EQ(JobTitle(FileCommand::Copy, two, L"D:\\dest"), L"Copying 2 items to D:\\dest");
  EXPECT_EQ(JobTitle(FileCommand::Move, one, L"D:\\"), L"Moving \"a.txt\" to D:\\");
  EXPECT_EQ(JobTitle(FileCommand::Delete, one, L""), L"Deleting \"a.txt\"");
}

TEST(FileCommandTextTest, ATypedTargetBecomesAFullPath) {
  const struct {
    const wchar_t* typed;
    const wchar_t* path;
  } cases[] = {
      {L"D:\\dest", L"D:\\dest"},
      {L"  D:\\dest\\  ", L"D:\\dest"},
      {L"D:\\dest\\\\", L"D:\\dest"},
      {L"D:\\dest \\", L"D:\\dest"},
      {L"D:\\", L"D:\\"},
      {L"D:", L"D:\\"},
      {L"copy.txt", L"C:\\src\\copy.txt"},
      {L"sub\\new name", L"C:\\src\\sub\\new name"},
      {L"\\\\server\\share\\dir\\", L"\\\\server\\share\\dir"},
      {L"", L""},
      {L"   ", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TypedTargetPath(c.typed, L"C:\\src"), c.path) << testing::PrintToString(std::wstring(c.typed));
  }
}

}  // namespace
}  // namespace fm
