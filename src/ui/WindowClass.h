// Window classes and windows whose making fails raise with the system's text.
#pragma once

#include <windows.h>

namespace fm::ui {

// Registers the class; one registered before under the same name is kept.
void RegisterWindowClass(const WNDCLASSEXW& windowClass);

// CreateWindowExW, raising when no window comes of it.
HWND CreateWindowChecked(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                         int x, int y, int width, int height, HWND parent, HMENU menu, void* param);

}  // namespace fm::ui
