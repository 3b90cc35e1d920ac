// The texts of the extra description lines of a file or folder: their formats, and the
// parsing of a library string reference "[@]file,[-]number".
#pragma once

#include <string>
#include <string_view>

namespace fm {

// Appends line to text, with CR LF before it when text is not empty.
void AppendLine(std::wstring& text, std::wstring_view line);

// "InfoTip: (desktop.ini) (IconResource) value"
std::wstring DesktopIniLine(std::wstring_view iniFileName, std::wstring_view key, std::wstring_view value);
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
std::wstring TrimBlanksAndControls(std::wstring_view text);

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

// The text after the first "@", or the whole text when it has none.
std::wstring_view AfterFirstAt(std::wstring_view text);

// Splits a reference (without its "@") at its first comma. A comma four places after
// that one means the first was meant as the dot of an extension: "shell32,dll,-4" is
// shell32.dll and 4.
LibraryReference SplitLibraryReference(std::wstring_view text);

// What a reference stands for when its string is not loaded: the file, with "," and the
// number part when there is one; empty for an empty file.
std::wstring ReferenceText(std::wstring_view file, std::wstring_view number);

}  // namespace fm
