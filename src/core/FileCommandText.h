// What the file commands ask and tell: the copy and move prompt, the delete questions, a
// job's title, and the typed target of a copy or move made a full path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fm {

enum class FileCommand { Copy, Move, Delete };

// "Copy 1 item to:", "Move 3 items to:".
std::wstring CopyMovePrompt(FileCommand command, std::uint64_t items);

// The question before a delete: one item is named, several are counted; a permanent
// delete says that nothing comes back.
std::wstring DeleteQuestion(const std::vector<std::wstring>& paths, bool permanently);

// A job's window title: "Copying 3 items to C:\dest", "Deleting "a.txt"".
std::wstring JobTitle(FileCommand command, const std::vector<std::wstring>& paths, std::wstring_view target);

// The path a typed target names: blanks around it and final backslashes and blanks (but a
// drive root's backslash) dropped, a name without a drive or share taken in base. Empty for a blank text.
std::wstring TypedTargetPath(std::wstring_view typed, std::wstring_view base);

}  // namespace fm
