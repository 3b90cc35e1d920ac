// The program's one pseudo-random generator, seeded once at start.
#pragma once

#include <cstdint>
#include <random>

namespace fm {

std::mt19937_64& RandomEngine();
void Randomize(std::uint64_t seed);

}  // namespace fm
