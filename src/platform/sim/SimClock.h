// The simulated clock shared by the simulated desktop (Sleep, the time stamps of its
// event log) and the headless toolkit (timers, posted messages, the time of day).
#pragma once

#include <cstdint>

namespace platform::sim {

// Milliseconds since the simulation began.
std::int64_t ClockMs();
// Moves the clock forward by ms without running anything; the headless toolkit's
// Advance(ms) is what fires timers on the way.
void AdvanceClockMs(std::int64_t ms);
// Back to 0, for a fresh test.
void ResetClock();

}  // namespace platform::sim
