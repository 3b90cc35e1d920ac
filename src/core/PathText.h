// Texts of file system paths, as navigation, the folder read and the rows use them.
#pragma once

#include <string>
#include <string_view>

namespace fm {

// True when the first ":\" of path starts at its second character ("C:\Windows"). Virtual
// items, UNC paths and class-identifier names are not drive-letter paths.
bool IsDriveLetterPath(std::wstring_view path);

// True for a drive root as a drive's row names it: a letter, a colon and a backslash.
bool IsDriveRoot(std::wstring_view path);

// True when path's last name ends in a dot or a blank ("report.txt."): ordinary path
// handling strips that ending and reaches a sibling ("report.txt") instead.
bool EndingIsStripped(std::wstring_view path);

// The final path that the system reports for an open handle, made presentable: cut at
// the first NUL, blanks and control characters trimmed from both ends, "\\?\UNC\server"
// turned into "\\server" and a leading "\\?\" dropped.
std::wstring CleanFinalPath(std::wstring_view finalPath);

// What Enter in the path box makes of a typed text: one character gets ":", and a text
// ending in ":" then gets "\" ("d" becomes "d:\").
std::wstring CompleteTypedPath(std::wstring_view typed);

// The name of the entry that path names directly inside folder ("a.txt" of "C:\dir\a.txt"
// in "C:\dir"), compared exactly; empty when path lies anywhere else.
std::wstring NameInFolder(std::wstring_view path, std::wstring_view folder);

// folder and name joined by one backslash ("C:\" and "a" give "C:\a").
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// Everything after the last "\" or ":" ("a.txt" of "C:\dir\a.txt").
std::wstring FileNamePart(std::wstring_view path);

// Everything up to and including the last "\" or ":" ("C:\dir\" of "C:\dir\a.txt");
// empty when there is neither. With FileNamePart it gives the whole path back.
std::wstring PathPart(std::wstring_view path);

// The caption a path gives its row: the text after its last backslash, or the whole
// path when that text is empty (a drive root such as "C:\") or there is no backslash.
std::wstring LastPathPart(std::wstring_view path);

// The folder a path lies in: the text before its last backslash, keeping that backslash
// when it follows the drive's colon ("C:\" for "C:\a.txt", "C:\Windows" for
// "C:\Windows\a.txt"). Empty when there is no backslash.
std::wstring FolderPart(std::wstring_view path);

}  // namespace fm
