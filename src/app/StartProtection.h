// The protection around the program's start: nothing thrown ends it without a word.
#pragma once

#include <functional>

namespace foldmere {

// Runs program and returns its exit code. An error that escapes it (from the COM
// apartment, the application or the main window's making) is shown in the standard error
// box, and the exit code is then 1.
int RunProtected(const std::function<int()>& program) noexcept;

}  // namespace foldmere
