// The program's own pictures, described in design pixels and drawn at every DPI's size.
#pragma once

#include "ui/Picture.h"

namespace fm::pictures {

// The back button's upward arrow, 21 x 21.
extern const fm::ui::TPicture kBackArrow;
// The F9 button's glyph: a page with a square at its corner, 16 x 16.
extern const fm::ui::TPicture kPropertyGlyph;

}  // namespace fm::pictures
