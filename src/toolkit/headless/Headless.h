// The headless backend's controls for tests. No display: timers and posted messages run
// on the simulated clock (platform/sim/SimClock.h), and tests act as the user through the
// controls' user entry points.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/TDateTime.h"

namespace toolkit {
class TTimer;
}

namespace toolkit::headless {

// A fresh start for a test: simulated clock at 0, no queued message, no scheduled timer,
// time of day and locale back to their defaults (Now() = 2024-06-03 09:00:00, ":" and
// ","), performance counter following the clock, the exception count at 0, and this
// backend's PostMessage installed as the desktop's message poster.
void Reset();

// Moves the simulated clock forward by ms, delivering queued messages at once and firing
// every timer at its due time on the way, in time order (messages first at each moment).
// Handlers run with the clock at their moment. ms <= 0 only delivers what is due now.
void Advance(std::int64_t ms);

// The simulated time at which timer ticks next; -1 when it is not scheduled.
std::int64_t NextTick(const TTimer& timer);
// Messages queued and not yet delivered.
std::size_t PendingMessages();

// Now() becomes value at the current simulated time and then runs with the clock.
void SetNow(TDateTime value);
void SetTimeSeparator(char separator);
void SetThousandSeparator(char separator);
// The performance counter reads value now and then advances 10000 per simulated ms.
void SetPerformanceCounter(std::int64_t value);

// Exceptions that reached Application without an OnException handler, and the last text.
int ShownExceptionCount();
const std::string& LastShownException();

}  // namespace toolkit::headless
