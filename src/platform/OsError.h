// Failing system calls become fm::Error with the text the user is shown.
#pragma once

#include <windows.h>

#include <string>

namespace fm {

// The system's message for a Win32 error or result code, without the line break the
// system ends it with; empty when the system has none.
std::wstring SystemMessage(DWORD code);

// The system's message for hr, or "OLE error %.8X" when the system has none.
[[noreturn]] void RaiseOleError(HRESULT hr);

// For shell calls whose result must be a success.
inline void OleCheck(HRESULT hr) {
  if (FAILED(hr)) RaiseOleError(hr);
}

// "System Error.  Code: %d." with the system's message on the next line.
[[noreturn]] void RaiseLastOSError(DWORD code = GetLastError());

// For calls that report failure through the thread's last error.
inline void Win32Check(BOOL ok) {
  if (!ok) RaiseLastOSError();
}

}  // namespace fm
