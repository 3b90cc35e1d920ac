#include <gtest/gtest.h>

#include "core/ItemName.h"

namespace fm {
namespace {

TEST(ItemNameTest, TellsWhatTheFileSystemWouldRefuseOrChange) {
  const struct {
    const wchar_t* name;
    NameProblem problem;
  } cases[] = {
      {L"Reports", NameProblem::None},
      {L"a.b.c", NameProblem::None},
      {L" leading blank", NameProblem::None},
      {L".hidden", NameProblem::None},
      {L"Größe €", NameProblem::None},
      {L"", NameProblem::Empty},
      {L"   ", NameProblem::Empty},
      {L"a/b", NameProblem::ForbiddenCharacter},
      {L"a\\b", NameProblem::ForbiddenCharacter},
      {L"C:", NameProblem::ForbiddenCharacter},
      {L"what?", NameProblem::ForbiddenCharacter},
      {L"*", NameProblem::ForbiddenCharacter},
      {L"\"quoted\"", NameProblem::ForbiddenCharacter},
      {L"<>", NameProblem::ForbiddenCharacter},
      {L"a|b", NameProblem::ForbiddenCharacter},
      {L"tab\there", NameProblem::ForbiddenCharacter},
      {L"name.", NameProblem::StrippedEnding},
      {L"name ", NameProblem::StrippedEnding},
      {L".", NameProblem::StrippedEnding},
      {L"..", NameProblem::StrippedEnding},
      {L"CON", NameProblem::DeviceName},
      {L"con.txt", NameProblem::DeviceName},
      {L"Nul", NameProblem::DeviceName},
      {L"com1", NameProblem::DeviceName},
      {L"LPT9.log", NameProblem::DeviceName},
      {L"COM0", NameProblem::None},
      {L"COM10", NameProblem::None},
      {L"console", NameProblem::None},
      {L"CONtents.txt", NameProblem::None},
  };
  for (const auto& c : cases) EXPECT_EQ(ProblemOfName(c.name), c.problem) << testing::PrintToString(std::wstring(c.name));
}

TEST(ItemNameTest, EveryProblemHasATextAndNoneHasNone) {
  EXPECT_EQ(NameProblemText(NameProblem::None, L"x"), L"");
  for (const NameProblem problem : {NameProblem::Empty, NameProblem::ForbiddenCharacter, NameProblem::DeviceName,
                                    NameProblem::StrippedEnding}) {
    EXPECT_FALSE(NameProblemText(problem, L"x").empty()) << static_cast<int>(problem);
  }
  EXPECT_EQ(NameProblemText(NameProblem::DeviceName, L"aux.txt"),
            L"\"aux.txt\" is the name of a device; please choose another name.");
  EXPECT_EQ(NameExistsText(L"a.txt", L"C:\\dir"), L"\"a.txt\" already exists in C:\\dir.");
}

}  // namespace
}  // namespace fm
