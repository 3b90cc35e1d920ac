#include "core/Gradient.h"

#include <cmath>

namespace fm {

namespace {

// The rounding mode is the default one: to nearest, a half to the even neighbour.
int Nearest(double value) { return static_cast<int>(std::nearbyint(value)); }

TColor Scaled(TColor base, int shift, double f) {
  const int component = static_cast<int>((base >> shift) & 0xFF);
  return static_cast<TColor>(Nearest(component * f) & 0xFF) << shift;
}

}  // namespace

std::vector<GradientBand> GradientBands(TColor baseColor, int clientHeight) {
  std::vector<GradientBand> bands;
  bands.reserve(kGradientBandCount);
  for (int i = 0; i < kGradientBandCount; ++i) {
    const double f = static_cast<double>(i) / kGradientBandCount;
    const TColor color =
        Scaled(baseColor, 0, f) | Scaled(baseColor, 8, f) | Scaled(baseColor, 16, f);
    const int top = Nearest(clientHeight * (static_cast<double>(i) / kGradientBandCount));
    const int bottom = Nearest(clientHeight * (static_cast<double>(i + 1) / kGradientBandCount));
    bands.push_back({color, top, bottom});
  }
  return bands;
}

}  // namespace fm
