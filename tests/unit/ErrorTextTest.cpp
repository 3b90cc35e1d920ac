#include <gtest/gtest.h>

#include "core/ErrorText.h"

namespace fm {
namespace {

TEST(ErrorTextTest, OleErrorHasEightUpperCaseHexDigits) {
  const struct {
    std::uint32_t code;
    const wchar_t* text;
  } cases[] = {
      {0x8007000Eu, L"OLE error 8007000E"}, {0x1u, L"OLE error 00000001"},
      {0x0u, L"OLE error 00000000"},        {0xFFFFFFFFu, L"OLE error FFFFFFFF"},
      {0x80004005u, L"OLE error 80004005"}, {0x0ABCDEF0u, L"OLE error 0ABCDEF0"},
  };
  for (const auto& c : cases) EXPECT_EQ(OleErrorText(c.code), c.text) << c.code;
}

TEST(ErrorTextTest, SystemErrorPutsCodeBeforeTheMessageLine) {
  const struct {
    std::int32_t code;
    const wchar_t* message;
    const wchar_t* text;
  } cases[] = {
      {5, L"Access is denied.", L"System Error.  Code: 5.\r\nAccess is denied."},
      {1313, L"", L"System Error.  Code: 1313.\r\n"},
      {-1, L"x", L"System Error.  Code: -1.\r\nx"},
  };
  for (const auto& c : cases) EXPECT_EQ(SystemErrorText(c.code, c.message), c.text) << c.code;
}

TEST(ErrorTextTest, ErrorBoxAddsFullStopAfterCharactersAboveIt) {
  const struct {
    const wchar_t* text;
    const wchar_t* shown;
  } cases[] = {
      {L"", L""},
      {L"Access is denied", L"Access is denied."},
      {L"Done.", L"Done."},
      {L"Line\r\n", L"Line\r\n"},  // control characters sort below "."
      {L"What?", L"What?."},       // "?" sorts above "."
      {L"100%", L"100%"},          // "%" sorts below "."
      {L"a/", L"a/."},             // "/" is the character right after "."
      {L"Fehler \u00e4", L"Fehler \u00e4."},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.text), c.shown);
}

}  // namespace
}  // namespace fm
