// Colours and fonts as the window designs give them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/Color.h"
#include "platform/Handles.h"

namespace fm::ui {

using fm::clHighlight;
using fm::TColor;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnText = 0xFF000012;
inline constexpr TColor clHighlightText = 0xFF00000E;
inline constexpr TColor clInfoBk = 0xFF000018;
inline constexpr TColor clInfoText = 0xFF000017;
inline constexpr TColor clActiveCaption = 0xFF000002;
inline constexpr TColor clHotLight = 0xFF00001A;
inline constexpr TColor clGradientActiveCaption = 0xFF00001B;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clSkyBlue = 0x00F0CAA6;

COLORREF ColorToRGB(TColor color);

struct TFontStyles {
  bool bold = false;
  bool italic = false;
  bool operator==(const TFontStyles&) const = default;
};

// A font description; the handle is made on demand and owned by the font. The height is
// a 96-dpi design number: the handle is made for the DPI of the window that shows it.
class TFont {
 public:
  TFont() = default;
  TFont(std::wstring name, int height, TColor color);
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);

  const std::wstring& Name() const { return name_; }
  int Height() const { return height_; }
  TColor Color() const { return color_; }
  TFontStyles Style() const { return style_; }

  void SetColor(TColor color) { color_ = color; }
  void SetStyle(TFontStyles style);
  void SetHeight(int height);

  // The GDI font for these settings at dpi, with ClearType natural quality.
  HFONT Handle(int dpi) const;

 private:
  std::wstring name_ = L"Tahoma";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_;
  mutable UniqueHFont handle_;
  mutable int handleDpi_ = 0;
};

// A solid brush for a TColor, kept while the colour stays the same.
class TBrush {
 public:
  TBrush() = default;
  explicit TBrush(TColor color) : color_(color) {}
  TBrush(const TBrush& other) : color_(other.color_) {}
  TBrush& operator=(const TBrush& other);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  HBRUSH Handle() const;

 private:
  TColor color_ = clWindow;
  mutable UniqueHBrush handle_;
};

}  // namespace fm::ui
