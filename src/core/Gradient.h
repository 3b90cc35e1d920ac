// The bands of a vertical gradient from black at the top to nearly a base colour at the
// bottom.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Color.h"

namespace fm {

inline constexpr int kGradientBandCount = 100;

struct GradientBand {
  TColor Color;  // 0x00BBGGRR
  int Top;       // first row
  int Bottom;    // row after the last
};

// Band i has i/100 of each of the base colour's three low bytes (a system-colour value is
// taken as it stands) and covers the rows from ClientHeight * i/100 to ClientHeight *
// (i+1)/100; every value is taken to the nearest integer, a half to the even one.
std::vector<GradientBand> GradientBands(TColor baseColor, int clientHeight);

}  // namespace fm
