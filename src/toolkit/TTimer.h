// The message-driven timer: ticks arrive through the message loop (or ProcessMessages) on
// the GUI thread, never on a thread of their own.
#pragma once

#include <cstdint>

#include "toolkit/TComponent.h"

namespace toolkit {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  // The period in milliseconds, 1000 at creation. 0: the timer never fires.
  std::uint32_t Interval() const { return interval_; }
  // Enabled at creation.
  bool Enabled() const { return enabled_; }
  // Changing either value of an enabled timer starts its period anew (the next tick comes
  // one full interval after the change); setting the value it already has changes
  // nothing, the running period goes on.
  void SetInterval(std::uint32_t ms);
  void SetEnabled(bool enabled);
  // Enabled and a non-zero interval: the backend has it scheduled.
  bool Active() const { return enabled_ && interval_ != 0; }

  // May be changed at any time, also from inside its own tick; the period goes on.
  TNotifyEvent OnTimer;

  // Backend entry point: one period has passed. Runs OnTimer through Application's
  // guarded call path; a tick that raises leaves the timer running. The handler may free
  // the timer: nothing touches it after the handler.
  void Tick();

 private:
  void Restart();

  std::uint32_t interval_ = 1000;
  bool enabled_ = true;
};

}  // namespace toolkit
