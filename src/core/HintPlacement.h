// Where a hint window goes so that all of it can be seen.
#pragma once

namespace fm {

// A rectangle in screen coordinates; right and bottom lie just outside it.
struct ScreenBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool operator==(const ScreenBox&) const = default;
};

// The box moved, and cut where it is bigger, so that it lies within area: it moves left or
// up where it runs off the right or bottom edge, and never past the left or top edge.
ScreenBox FitWithin(const ScreenBox& box, const ScreenBox& area);

}  // namespace fm
