#include "Pictures.h"

namespace fm::pictures {

namespace {

constexpr COLORREF kDarkBlue = RGB(0, 64, 128);
constexpr COLORREF kBlue = RGB(0, 120, 215);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kLightGreen = RGB(128, 255, 128);

void DrawBackArrow(fm::ui::TPictureCanvas& canvas) {
  // The head widens by a pixel on each side per row, from one pixel at the top.
  canvas.FillPolygon({{10, 3}, {11, 3}, {17, 9}, {17, 10}, {4, 10}, {4, 9}}, kDarkBlue);
  // The shaft: light inside a dark edge.
  canvas.FillRect(8, 10, 13, 18, kDarkBlue);
  canvas.FillRect(9, 11, 12, 17, kBlue);
}

void DrawPropertyGlyph(fm::ui::TPictureCanvas& canvas) {
  // A page with three lines of text.
  canvas.FillRect(2, 1, 13, 15, kBlack);
  canvas.FillRect(3, 2, 12, 14, kWhite);
  for (int line : {4, 7, 10}) canvas.FillRect(5, line, 10, line + 1, kDarkBlue);
  // The square over its lower right corner.
  canvas.FillRect(10, 9, 15, 14, kGreen);
  canvas.FillRect(11, 10, 14, 13, kLightGreen);
}

}  // namespace

const fm::ui::TPicture kBackArrow{21, DrawBackArrow};
const fm::ui::TPicture kPropertyGlyph{16, DrawPropertyGlyph};

}  // namespace fm::pictures
