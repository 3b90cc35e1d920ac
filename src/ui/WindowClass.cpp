#include "ui/WindowClass.h"

#include "platform/OsError.h"

namespace fm::ui {

void RegisterWindowClass(const WNDCLASSEXW& windowClass) {
  if (RegisterClassExW(&windowClass) != 0) return;
  const DWORD error = GetLastError();
  if (error != ERROR_CLASS_ALREADY_EXISTS) RaiseLastOSError(error);
}

HWND CreateWindowChecked(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                         int x, int y, int width, int height, HWND parent, HMENU menu,
                         void* param) {
  HWND hwnd = CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menu,
                              GetModuleHandleW(nullptr), param);
  if (!hwnd) RaiseLastOSError();
  return hwnd;
}

}  // namespace fm::ui
