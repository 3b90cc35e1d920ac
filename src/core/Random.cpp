#include "core/Random.h"

namespace fm {

std::mt19937_64& RandomEngine() {
  static std::mt19937_64 engine;
  return engine;
}

void Randomize(std::uint64_t seed) { RandomEngine().seed(seed); }

}  // namespace fm
