#include <gtest/gtest.h>

#include "core/PathContainment.h"

namespace fm {
namespace {

TEST(PathContainmentTest, ComparableFormDropsPrefixesSeparatorsAndCase) {
  const struct {
    const wchar_t* path;
    const wchar_t* expected;
  } cases[] = {
      {L"c:\\Dir\\", L"C:\\DIR"},
      {L"\\\\?\\c:\\dir", L"C:\\DIR"},
      {L"C:\\", L"C:\\"},
      {L"\\\\?\\C:\\", L"C:\\"},
      {L"c:/a//", L"C:\\A"},
      {L"\\\\?\\UNC\\srv\\Share\\x", L"\\\\SRV\\SHARE\\X"},
      {L"\\\\srv\\share\\", L"\\\\SRV\\SHARE"},
      {L"C:\\\u00e4\u00ff\u03b1\u0436\u0451", L"C:\\\u00c4\u0178\u0391\u0416\u0401"},
      {L"C:\\\u00f7\u03c2", L"C:\\\u00f7\u03c2"},
  };
  for (const auto& c : cases) EXPECT_EQ(ComparablePath(c.path), c.expected) << c.path;
}

TEST(PathContainmentTest, InsideMeansBelowAWholeName) {
  const struct {
    const wchar_t* path;
    const wchar_t* folder;
    bool inside;
  } cases[] = {
      {L"C:\\a", L"C:\\a", true},
      {L"C:\\a\\b", L"C:\\a", true},
      {L"c:\\A\\b\\", L"\\\\?\\C:\\a\\", true},
      {L"C:\\ab", L"C:\\a", false},
      {L"C:\\a", L"C:\\ab", false},
      {L"C:\\a", L"C:\\", true},
      {L"D:\\a", L"C:\\", false},
      {L"C:\\a", L"", false},
      {L"\\\\srv\\share\\x", L"\\\\?\\UNC\\srv\\share", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSameOrInside(c.path, c.folder), c.inside) << c.path << L" in " << c.folder;
  }
}

TEST(PathContainmentTest, FoldersIntoThemselvesAndItemsOntoThemselvesAreRefused) {
  const struct {
    const char* what;
    std::vector<TransferSource> sources;
    const wchar_t* targetFolder;
    const wchar_t* targetName;
    bool isMove;
    TransferRefusal refusal;
    const wchar_t* refused;
  } cases[] = {
      {"folder into itself",
       {{L"C:\\a", true}},
       L"C:\\a",
       L"",
       false,
       TransferRefusal::IntoItself,
       L"C:\\a"},
      {"folder into its subfolder",
       {{L"C:\\a", true}},
       L"c:\\A\\b\\",
       L"",
       true,
       TransferRefusal::IntoItself,
       L"C:\\a"},
      {"prefix of a longer name",
       {{L"C:\\a", true}},
       L"C:\\ab",
       L"",
       false,
       TransferRefusal::None,
       L""},
      {"folder into its own folder",
       {{L"C:\\d\\a", true}},
       L"C:\\d",
       L"",
       false,
       TransferRefusal::OntoItself,
       L"C:\\d\\a"},
      {"file onto itself",
       {{L"C:\\d\\x.txt", false}},
       L"\\\\?\\c:\\D\\",
       L"",
       false,
       TransferRefusal::OntoItself,
       L"C:\\d\\x.txt"},
      {"file to another name",
       {{L"C:\\d\\x.txt", false}},
       L"C:\\d",
       L"y.txt",
       false,
       TransferRefusal::None,
       L""},
      {"new name that is its own",
       {{L"C:\\d\\x.txt", false}},
       L"C:\\d",
       L"X.TXT",
       false,
       TransferRefusal::OntoItself,
       L"C:\\d\\x.txt"},
      {"move that changes the case",
       {{L"C:\\d\\x.txt", false}},
       L"C:\\d",
       L"X.txt",
       true,
       TransferRefusal::None,
       L""},
      {"move onto its own name",
       {{L"C:\\d\\x.txt", false}},
       L"C:\\d",
       L"",
       true,
       TransferRefusal::OntoItself,
       L"C:\\d\\x.txt"},
      {"the second of several",
       {{L"C:\\d\\x", false}, {L"C:\\d\\sub", true}},
       L"C:\\d\\sub\\in",
       L"",
       false,
       TransferRefusal::IntoItself,
       L"C:\\d\\sub"},
      {"file named like the target folder",
       {{L"C:\\d\\sub", false}},
       L"C:\\d\\sub",
       L"",
       false,
       TransferRefusal::None,
       L""},
      {"trailing separator on a source",
       {{L"C:\\d\\sub\\", true}},
       L"C:\\d",
       L"",
       false,
       TransferRefusal::OntoItself,
       L"C:\\d\\sub\\"},
      {"another drive", {{L"C:\\a", true}}, L"D:\\a", L"", true, TransferRefusal::None, L""},
  };
  for (const auto& c : cases) {
    const TransferCheck check = CheckTransfer(c.sources, c.targetFolder, c.targetName, c.isMove);
    EXPECT_EQ(check.refusal, c.refusal) << c.what;
    EXPECT_EQ(check.source, c.refused) << c.what;
  }
}

TEST(PathContainmentTest, ExtendedLengthFormsOfPaths) {
  const struct {
    const wchar_t* path;
    const wchar_t* expected;
  } cases[] = {
      {L"C:\\x", L"\\\\?\\C:\\x"},
      {L"\\\\?\\C:\\x", L"\\\\?\\C:\\x"},
      {L"\\\\srv\\share\\x", L"\\\\?\\UNC\\srv\\share\\x"},
      {L"relative", L"relative"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtendedLengthPath(c.path), c.expected) << c.path;
}

}  // namespace
}  // namespace fm
