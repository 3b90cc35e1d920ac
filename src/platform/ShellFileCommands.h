// What the shell does for the file commands: whether a file's type can be edited, and
// sending items to the Recycle Bin.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fm {

// Whether the shell knows an "edit" command for the file's type.
bool HasEditVerb(const std::wstring& path);

// Sends the items to the Recycle Bin without the shell's own questions, boxes or
// progress; raises an error when the shell did not.
void SendToRecycleBin(HWND owner, const std::vector<std::wstring>& paths);

}  // namespace fm
