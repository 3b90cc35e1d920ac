#include "core/DpiScale.h"

namespace fm {

int ScaleToDpi(int value, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  // 64 bits: a large value at a high DPI must not overflow on the way.
  const long long product = static_cast<long long>(value) * dpi;
  const long long half = kDesignDpi / 2;
  const long long scaled =
      product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi);
  return static_cast<int>(scaled);
}

}  // namespace fm
