#include "ui/Picture.h"

#include <commctrl.h>

#include <vector>

namespace fm::ui {

namespace {

// Nothing of a picture is drawn in it.
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// The picture on a transparent background, in a bitmap compatible with the screen.
UniqueHBitmap DrawPicture(const TPicture& picture, int size) {
  const WindowDc screen(nullptr);
  UniqueHBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size, size));
  const UniqueMemoryDc dc(CreateCompatibleDC(screen.Get()));
  if (!bitmap || !dc) return {};
  const SelectObjectScope select(dc.Get(), bitmap.Get());
  TPictureCanvas canvas(dc.Get(), picture.DesignSize, size);
  canvas.FillRect(0, 0, picture.DesignSize, picture.DesignSize, kTransparent);
  picture.Draw(canvas);
  return bitmap;
}

}  // namespace

void TPictureCanvas::FillRect(int left, int top, int right, int bottom, COLORREF color) {
  const RECT rect{At(left), At(top), At(right), At(bottom)};
  const UniqueHBrush brush(CreateSolidBrush(color));
  ::FillRect(dc_, &rect, brush.Get());
}

void TPictureCanvas::FillPolygon(std::initializer_list<POINT> corners, COLORREF color) {
  std::vector<POINT> points;
  for (const POINT& corner : corners) points.push_back({At(corner.x), At(corner.y)});
  const UniqueHBrush brush(CreateSolidBrush(color));
  const SelectObjectScope selectBrush(dc_, brush.Get());
  // Without an outline the fill covers what FillRect would: right and bottom edges excluded.
  const SelectObjectScope selectPen(dc_, GetStockObject(NULL_PEN));
  Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

UniqueHImageList PictureImageList(const TPicture& picture, int size) {
  UniqueHImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
  const UniqueHBitmap bitmap = DrawPicture(picture, size);
  if (list && bitmap) ImageList_AddMasked(list.Get(), bitmap.Get(), kTransparent);
  return list;
}

UniqueHIcon PictureIcon(const TPicture& picture, int size) {
  const UniqueHImageList list = PictureImageList(picture, size);
  return UniqueHIcon(list ? ImageList_GetIcon(list.Get(), 0, ILD_TRANSPARENT) : nullptr);
}

}  // namespace fm::ui
