#include "ui/Graphics.h"

#include "core/DpiScale.h"

namespace fm::ui {

COLORREF ColorToRGB(TColor color) {
  if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

TFont::TFont(std::wstring name, int height, TColor color)
    : name_(std::move(name)), height_(height), color_(color) {}

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), color_(other.color_), style_(other.style_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this != &other) {
    handle_.Reset();
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
  }
  return *this;
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  handle_.Reset();
  style_ = style;
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  handle_.Reset();
  height_ = height;
}

HFONT TFont::Handle(int dpi) const {
  if (handle_ && handleDpi_ != dpi) handle_.Reset();
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = ScaleToDpi(height_, dpi);
    lf.lfWeight = style_.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = CLEARTYPE_NATURAL_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.Reset(CreateFontIndirectW(&lf));
    handleDpi_ = dpi;
  }
  return handle_.Get();
}

TBrush& TBrush::operator=(const TBrush& other) {
  SetColor(other.color_);
  return *this;
}

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  handle_.Reset();
  color_ = color;
}

HBRUSH TBrush::Handle() const {
  if (!handle_) handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
  return handle_.Get();
}

}  // namespace fm::ui
