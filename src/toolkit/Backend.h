// The backend contract: what every toolkit backend (headless/, qt/, win32/) defines.
//
// Exactly one backend is linked into a binary. The portable model (the rest of toolkit/)
// holds all state and behaviour and calls the functions below; a backend only delivers
// messages and timer ticks, keeps the time of day and the locale, and shows what the
// model holds. A backend calls back into the model only through:
//   - DeliverMessage(handle, msg, wParam, lParam)   (Messages.h) for each queued message,
//   - TTimer::Tick()                                 for each due timer,
// all of which run through Application's guarded call path, so no exception leaves them
// into a backend's loop or an OS callback.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Desktop.h"
#include "toolkit/TDateTime.h"

namespace toolkit {
class TTimer;
}

namespace toolkit::backend {

// Once, from Application.Initialize: prepare the backend and install PostMessage below
// as the desktop's message poster (platform::SetMessagePoster), so that the X11 and the
// simulated desktop deliver hot-key and tray messages through the toolkit's queue.
void Initialize();

// ---- Messages -------------------------------------------------------------------------

// A window handle that is only a message target (TMessageWindow). Win32: a message-only
// window whose window procedure hands every message to DeliverMessage. Other backends:
// any handle value unique among live handles, never 0.
platform::WindowHandle CreateMessageWindow();
void DestroyMessageWindow(platform::WindowHandle handle);

// Queues a message for handle. It is handed to DeliverMessage in posting order, from the
// loop, a modal loop or ProcessMessages, never from inside PostMessage itself. Safe to
// call from inside a handler.
void PostMessage(platform::WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam);

// Delivers every queued message and fires every due timer, then returns; messages posted
// meanwhile are delivered too. Queued messages go before timers (as WM_TIMER is only
// generated for an empty queue). May be called re-entrantly from inside any handler.
void ProcessMessages();

// ---- Timers ---------------------------------------------------------------------------

// Schedules timer: its Tick() comes timer.Interval() ms from now and then every
// Interval() ms, measured from the tick's start. A late tick is not repeated to catch up
// (one tick, then a new period). The model calls StopTimer before every StartTimer, and
// StartTimer only for an active timer (enabled, interval above 0).
void StartTimer(TTimer& timer);
// Unschedules timer; a timer that is not scheduled is ignored. Called from the timer's
// destructor too, also from inside its own Tick.
void StopTimer(TTimer& timer);

// ---- Time, locale, randomness ---------------------------------------------------------

// The current local date and time.
TDateTime Now();
// A high-resolution counter for seeding the random generator (QueryPerformanceCounter;
// the millisecond tick count where there is none).
std::int64_t PerformanceCounter();
// The user's time separator (":" by default) and thousands separator ("," by default).
char TimeSeparator();
char ThousandSeparator();

// ---- Errors ---------------------------------------------------------------------------

// An exception reached Application with no OnException handler: show its text to the
// user (Win32: a message box; Qt: a message dialog; headless: a line on stderr, counted).
// Must not throw.
void ShowException(const std::string& text);

}  // namespace toolkit::backend
