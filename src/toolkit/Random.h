// The run-time library's pseudo-random generator: one process-wide sequence.
#pragma once

#include <cstdint>

namespace toolkit {

// Re-seeds the generator from the backend's high-resolution counter (the performance
// counter where there is one; headless: settable, see headless::SetPerformanceCounter).
void Randomize();
// A number drawn uniformly from 0 to range - 1; 0 when range is 0 or less.
std::int32_t Random(std::int32_t range);

std::uint64_t RandSeed();
void SetRandSeed(std::uint64_t seed);

}  // namespace toolkit
