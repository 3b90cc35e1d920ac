// Pictures described in design pixels and drawn at the size a DPI asks for, so that they
// stay sharp at every scale instead of being stretched from one bitmap.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "platform/Handles.h"

namespace fm::ui {

// Draws shapes given in design pixels of a square picture at its drawn size.
class TPictureCanvas {
 public:
  TPictureCanvas(HDC dc, int designSize, int size)
      : dc_(dc), designSize_(designSize), size_(size) {}

  // The pixels from left to right and top to bottom, right and bottom excluded.
  void FillRect(int left, int top, int right, int bottom, COLORREF color);
  // A polygon through the corners, filled with its edges.
  void FillPolygon(std::initializer_list<POINT> corners, COLORREF color);

 private:
  int At(int designPixels) const { return MulDiv(designPixels, size_, designSize_); }

  HDC dc_;
  int designSize_;
  int size_;
};

// A square picture of DesignSize pixels at 96 dpi; what it does not cover is transparent.
struct TPicture {
  int DesignSize;
  void (*Draw)(TPictureCanvas& canvas);
};

// The picture drawn at size x size pixels as the one image of a new image list.
UniqueHImageList PictureImageList(const TPicture& picture, int size);
// The picture drawn at size x size pixels as an icon.
UniqueHIcon PictureIcon(const TPicture& picture, int size);

}  // namespace fm::ui
