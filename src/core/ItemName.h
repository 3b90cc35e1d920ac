// Names typed for a new folder, a rename or the target of a single copied item: which the
// file system would refuse or silently change, told before anything is made.
#pragma once

#include <string>
#include <string_view>

namespace fm {

enum class NameProblem {
  None,
  Empty,               // nothing but blanks
  ForbiddenCharacter,  // \ / : * ? " < > | or a control character
  DeviceName,          // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
  StrippedEnding,      // ends in a dot or a blank, which the system would drop
};

NameProblem ProblemOfName(std::wstring_view name);

// What the user is told about a name with that problem; empty for None.
std::wstring NameProblemText(NameProblem problem, std::wstring_view name);

// The box for a name that exists already in folder.
std::wstring NameExistsText(std::wstring_view name, std::wstring_view folder);

}  // namespace fm
