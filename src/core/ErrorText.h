// Texts of errors and of the standard error box.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fm {

// "OLE error 8007000E": a result code for which the system has no message.
std::wstring OleErrorText(std::uint32_t code);

// "System Error.  Code: 5." followed by CR LF and the system's message for the code.
std::wstring SystemErrorText(std::int32_t code, std::wstring_view systemMessage);

// The message of the standard error box: the text with "." appended when its last
// character sorts above ".". An empty text stays empty.
std::wstring ErrorBoxText(std::wstring_view text);

}  // namespace fm
