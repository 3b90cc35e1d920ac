// Design numbers are pixels at 96 dots per inch; a window shows them at its own DPI.
#pragma once

namespace fm {

inline constexpr int kDesignDpi = 96;

// value * dpi / 96 to the nearest integer, a half away from zero (as MulDiv rounds), so
// that a size and its negative scale alike. A DPI of 0 or below counts as 96.
int ScaleToDpi(int value, int dpi);

}  // namespace fm
