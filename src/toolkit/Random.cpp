#include "toolkit/Random.h"

#include "toolkit/Backend.h"

namespace toolkit {

namespace {

std::uint64_t seed = 0;

// splitmix64: every seed, also one from a counter that moved by 1, starts a well-mixed
// sequence, which matters when the generator is re-seeded before each draw.
std::uint64_t Next() {
  seed += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = seed;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void Randomize() {
  seed = static_cast<std::uint64_t>(backend::PerformanceCounter());
}

std::int32_t Random(std::int32_t range) {
  if (range <= 0) return 0;
  // The top 32 bits scaled to the range: uniform up to a bias below 2^-32 per value.
  return static_cast<std::int32_t>(((Next() >> 32) * static_cast<std::uint64_t>(range)) >> 32);
}

std::uint64_t RandSeed() {
  return seed;
}

void SetRandSeed(std::uint64_t value) {
  seed = value;
}

}  // namespace toolkit
