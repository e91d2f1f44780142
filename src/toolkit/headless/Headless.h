// The headless backend's controls for tests. No display: timers and posted messages run
// on the simulated clock (platform/sim/SimClock.h), and tests act as the user through the
// controls' user entry points.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/TControl.h"
#include "toolkit/TDateTime.h"
#include "toolkit/Types.h"

namespace toolkit {
class TTimer;
}

namespace toolkit::headless {

// A fresh start for a test: the application cleared (Application.Clear: its forms freed,
// no OnException), simulated clock at 0, no queued message, no scheduled timer, no user
// step waiting, time of day and locale back to their defaults (Now() = 2024-06-03
// 09:00:00, ":" and ","), performance counter following the clock, the exception count
// at 0, and this backend's PostMessage installed as the desktop's message poster.
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

// ---- The user in the loops -------------------------------------------------------------
//
// Application.Run and TForm::ShowModal run their loop here; each turn delivers what is
// due, then takes the next queued user step and runs it (a step acts as the user through
// the entry points and may Advance the clock). Steps are taken in order by whichever
// loop is innermost. A modal loop that finds no step left ends as if the user closed the
// window (UserClose; if that does not end it, ModalResult mrCancel); the main loop with
// no step left closes the main form (Close; if that does not end it, Terminate).

void QueueUserStep(std::function<void()> step);
std::size_t QueuedUserSteps();

// ---- Peers --------------------------------------------------------------------------

// How many times the peer of control was told of that change since it was created; 0
// while it has none. The area of the last PictureChanged of an image's peer.
int ChangeCount(const TControl& control, TChange change);
TRect LastPictureArea(const TControl& control);

// Exceptions that reached Application without an OnException handler, and the last text.
int ShownExceptionCount();
const std::string& LastShownException();

}  // namespace toolkit::headless
