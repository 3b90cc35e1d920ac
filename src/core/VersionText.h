// Texts made from the values of a version resource.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fm {

// The kind of file named by the fixed file information's type and, for drivers and
// fonts, subtype; empty for a kind without a name.
std::wstring FileFunctionText(std::uint32_t fileType, std::uint32_t fileSubtype);

// A flag counts only where the resource both declares it valid and sets it.
bool HasFileFlag(std::uint32_t flagsMask, std::uint32_t flags, std::uint32_t flag);

// The value path of a version string in the language and code page of one entry of the
// translation table (language in the low 16 bits, code page in the high ones):
// \StringFileInfo\040904B0\FileVersion.
std::wstring VersionStringPath(std::uint32_t translation, std::wstring_view key);

// "Foldmere x64 v0.1.0.1": the application's title from its product name and file version.
std::wstring ApplicationTitle(std::wstring_view productName, std::wstring_view fileVersion);
// The main window's caption: the title, a blank and the copyright text.
std::wstring WindowCaption(std::wstring_view title, std::wstring_view legalCopyright);

}  // namespace fm
