#include "core/HintPlacement.h"

#include <algorithm>

namespace fm {

ScreenBox FitWithin(const ScreenBox& box, const ScreenBox& area) {
  // 64-bit arithmetic: boxes from anywhere on a virtual screen must not overflow.
  const long long areaWidth = std::max(0LL, static_cast<long long>(area.right) - area.left);
  const long long areaHeight = std::max(0LL, static_cast<long long>(area.bottom) - area.top);
  const long long width =
      std::clamp(static_cast<long long>(box.right) - box.left, 0LL, areaWidth);
  const long long height =
      std::clamp(static_cast<long long>(box.bottom) - box.top, 0LL, areaHeight);
  const long long left = std::clamp<long long>(box.left, area.left, area.left + areaWidth - width);
  const long long top = std::clamp<long long>(box.top, area.top, area.top + areaHeight - height);
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
          static_cast<int>(top + height)};
}

}  // namespace fm
