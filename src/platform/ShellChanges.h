// The shell's own word of changes: what programs tell it through SHChangeNotify, drives
// and media that come and go, and folders that are not the file system's. Delivered to a
// window as a message, read back with ReadShellChange.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

namespace fm {

// The window is told by message of every change the shell hears of, anywhere, for as
// long as this lives.
class ShellChangeRegistration {
 public:
  ShellChangeRegistration() = default;
  ShellChangeRegistration(HWND window, UINT message);
  ~ShellChangeRegistration();
  ShellChangeRegistration(const ShellChangeRegistration&) = delete;
  ShellChangeRegistration& operator=(const ShellChangeRegistration&) = delete;

 private:
  ULONG id_ = 0;
};

struct ShellChange {
  LONG event = 0;  // one SHCNE_ value
  // The items' file-system paths; empty for an item that has none (or is not given).
  std::wstring path;
  std::wstring otherPath;  // a rename's new path
};

// The change a message of the registration carries; no event when it carries none.
ShellChange ReadShellChange(WPARAM wParam, LPARAM lParam);

}  // namespace fm
