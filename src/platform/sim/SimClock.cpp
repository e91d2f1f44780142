#include "platform/sim/SimClock.h"

namespace platform::sim {

namespace {
std::int64_t clockMs = 0;
}

std::int64_t ClockMs() { return clockMs; }

void AdvanceClockMs(std::int64_t ms) {
  if (ms > 0) clockMs += ms;
}

void ResetClock() { clockMs = 0; }

}  // namespace platform::sim
