#include "toolkit/TTimer.h"

#include "toolkit/Backend.h"
#include "toolkit/TApplication.h"

namespace toolkit {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  Restart();
}

TTimer::~TTimer() {
  backend::StopTimer(*this);
}

void TTimer::SetInterval(std::uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::Restart() {
  backend::StopTimer(*this);
  if (Active()) backend::StartTimer(*this);
}

void TTimer::Tick() {
  Application.Guarded(this, [this] { Fire(OnTimer, this); });
}

}  // namespace toolkit
