// The texts of the extra description lines of a file or folder: their formats, and the
// parsing of a library string reference "[@]file,[-]number".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fm {

// Appends line to text, with CR LF before it when text is not empty.
void AppendLine(std::wstring& text, std::wstring_view line);

// "InfoTip: (desktop.ini) (IconResource) value"
std::wstring DesktopIniLine(std::wstring_view iniFileName, std::wstring_view key,
                            std::wstring_view value);
// "InfoTip: (Registry) (name) value"; the unnamed default value is called "Default".
std::wstring RegistryLine(std::wstring_view valueName, std::wstring_view value);
// "Font: (Registry) " and the name the font list gives the file.
std::wstring FontLine(std::wstring_view fontName);
// "(Library: shell32.dll) text": a library's string in place of the reference to it.
std::wstring LibraryStringText(std::wstring_view libraryPath, std::wstring_view text);

// The desktop.ini file that governs a folder.
std::wstring DesktopIniPathIn(std::wstring_view folder);
// Whether path lies directly in folder, letter case of A to Z aside.
bool LiesInFolder(std::wstring_view path, std::wstring_view folder);

// Text without the blanks and control characters at either end.
std::wstring_view TrimBlanksAndControls(std::wstring_view text);

// A library string can be cut by the buffer it is read into; half a character pair at the
// cut is dropped rather than shown as a broken character.
std::wstring_view WithoutSplitPair(std::wstring_view text);

// The parts of a reference: the library file, the number part as written (its minus
// sign dropped) and the string number, -1 when the number part is not an integer.
struct LibraryReference {
  std::wstring file;
  std::wstring number;
  int id = -1;
};

// Whether a value refers to a library string: it begins with "@". An "@" further on is
// part of a plain text, such as a mail address.
bool IsLibraryReference(std::wstring_view value);

// A reference without its leading "@"; a text without one stays whole.
std::wstring_view WithoutReferenceMark(std::wstring_view text);

// Splits a reference (without its "@") at its first comma. A comma four places after
// that one means the first was meant as the dot of an extension: "shell32,dll,-4" is
// shell32.dll and 4.
LibraryReference SplitLibraryReference(std::wstring_view text);

// What a reference stands for when its string is not loaded: the file, with "," and the
// number part when there is one; empty for an empty file.
std::wstring ReferenceText(std::wstring_view file, std::wstring_view number);

// Where the library file of a reference may be read: file itself when it is a drive-letter
// path, file under the folder when it is relative (under the folder's drive for "\x.dll").
// Nothing for a file named on another machine or a device ("\\host\…", "\\?\…",
// "\\.\…"), on a drive's current folder ("C:x.dll"), or when folder is no drive-letter
// path itself. The result may still hold "." and ".." parts.
std::optional<std::wstring> LibraryPathIn(std::wstring_view file, std::wstring_view folder);

}  // namespace fm
