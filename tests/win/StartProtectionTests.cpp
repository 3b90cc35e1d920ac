// An error that escapes the program's start is shown, and the process ends with a failure.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "StartProtection.h"
#include "WinTestSupport.h"
#include "core/Error.h"

namespace {

TEST(StartProtection, AnEscapedErrorIsShownAndTheExitCodeTellsOfIt) {
  const struct {
    const char* name;
    std::function<int()> program;
    int exitCode;
    const wchar_t* box;  // null: none
  } cases[] = {
      {"a program that runs to its end", [] { return 0; }, 0, nullptr},
      {"its own exit code", [] { return 7; }, 7, nullptr},
      {"an error of the program's own", []() -> int { throw fm::Error(L"The design failed"); }, 1,
       L"The design failed."},
      {"any other exception", []() -> int { throw std::runtime_error("no apartment"); }, 1,
       L"no apartment."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fm::test::ModalWatcher watcher;
    EXPECT_EQ(foldmere::RunProtected(c.program), c.exitCode);
    const auto boxes = watcher.Boxes();
    if (!c.box) {
      EXPECT_TRUE(boxes.empty());
      continue;
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Foldmere x64");
    EXPECT_EQ(boxes[0].text, c.box);
    EXPECT_TRUE(boxes[0].stopIcon);
  }
}

}  // namespace
