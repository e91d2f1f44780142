// The headless backend: a message queue and a timer schedule on the simulated clock.
#include <algorithm>
#include <array>
#include <deque>
#include <iostream>
#include <vector>

#include "platform/sim/SimClock.h"
#include "toolkit/Backend.h"
#include "toolkit/Messages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "toolkit/TTimer.h"
#include "toolkit/headless/Headless.h"

namespace toolkit {

namespace {

struct TScheduled {
  TTimer* timer;
  std::int64_t due;
  std::uint64_t order;  // ties at the same due time go in scheduling order
};

struct TPosted {
  WindowHandle handle;
  std::uint32_t msg;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};

// Shows nothing; counts what it was told, for tests.
class THeadlessPeer final : public TPeer {
 public:
  explicit THeadlessPeer(WindowHandle handle) : handle_(handle) {}
  WindowHandle Handle() const override { return handle_; }
  void Changed(TChange change) override { ++counts_.at(static_cast<std::size_t>(change)); }
  void PictureChanged(const TRect& area) override {
    Changed(TChange::kPicture);
    lastArea_ = area;
  }
  void DefaultHandler(TMessage& message) override {
    if (message.Msg == kWmEraseBkgnd) message.Result = 1;
  }
  int Count(TChange change) const { return counts_.at(static_cast<std::size_t>(change)); }
  const TRect& LastArea() const { return lastArea_; }

 private:
  WindowHandle handle_;
  std::array<int, static_cast<std::size_t>(TChange::kStyle) + 1> counts_{};
  TRect lastArea_;
};

struct THeadlessState {
  std::vector<TScheduled> timers;
  std::deque<TPosted> queue;
  std::deque<std::function<void()>> steps;
  std::uint64_t nextOrder = 0;
  WindowHandle nextHandle = 0x10000;
  TDateTime base = 0;  // Now() at clock 0
  char timeSeparator = ':';
  char thousandSeparator = ',';
  std::int64_t counterBase = 0;  // counter at clock 0
  int shownCount = 0;
  std::string lastShown;
};

THeadlessState& State() {
  // Never destroyed: timers and windows freed during static destruction still find it.
  static auto* state = new THeadlessState;
  return *state;
}

constexpr std::int64_t kCounterPerMs = 10000;  // a 10 MHz counter, as Windows reports

TDateTime DefaultBase() {
  return EncodeDate(2024, 6, 3) + EncodeTime(9, 0, 0, 0);
}

TScheduled* Earliest() {
  auto& timers = State().timers;
  auto found = std::min_element(timers.begin(), timers.end(), [](const auto& a, const auto& b) {
    return a.due != b.due ? a.due < b.due : a.order < b.order;
  });
  return found == timers.end() ? nullptr : &*found;
}

// Takes the next user step, if there is one, and runs it.
bool RunUserStep() {
  auto& steps = State().steps;
  if (steps.empty()) return false;
  const auto step = std::move(steps.front());
  steps.pop_front();
  step();
  return true;
}

}  // namespace

namespace backend {

void Initialize() {
  platform::SetMessagePoster(&backend::PostMessage);
}

std::unique_ptr<TPeer> CreatePeer(TControl& control) {
  const bool windowed = dynamic_cast<TWinControl*>(&control) != nullptr;
  return std::make_unique<THeadlessPeer>(windowed ? State().nextHandle++ : 0);
}

void RunLoop() {
  while (!Application.Terminated()) {
    ProcessMessages();
    if (Application.Terminated() || RunUserStep()) continue;
    if (TForm* main = Application.MainForm(); main != nullptr) main->Close();
    if (!Application.Terminated()) Application.Terminate();
  }
}

void ModalLoop(TForm& form) {
  for (;;) {
    ProcessMessages();
    if (form.ModalResult() != mrNone || Application.Terminated()) return;
    if (RunUserStep()) continue;
    form.UserClose();
    ProcessMessages();
    if (form.ModalResult() == mrNone && !Application.Terminated()) {
      std::cerr << "toolkit: the modal loop of \"" << form.Name()
                << "\" had no user step left and the form did not close: mrCancel\n";
      form.SetModalResult(mrCancel);
    }
    return;
  }
}

platform::WindowHandle CreateMessageWindow() {
  return State().nextHandle++;
}

void DestroyMessageWindow(platform::WindowHandle) {}

void PostMessage(platform::WindowHandle handle, std::uint32_t msg, std::uintptr_t wParam,
                 std::intptr_t lParam) {
  State().queue.push_back({handle, msg, wParam, lParam});
}

void ProcessMessages() {
  THeadlessState& state = State();
  for (;;) {
    if (!state.queue.empty()) {
      const TPosted posted = state.queue.front();
      state.queue.pop_front();
      DeliverMessage(posted.handle, posted.msg, posted.wParam, posted.lParam);
      continue;
    }
    TScheduled* next = Earliest();
    const std::int64_t now = platform::sim::ClockMs();
    if (next == nullptr || next->due > now) return;
    // The next period starts now; the handler may stop or free the timer, after which
    // this entry is gone, so nothing below touches it.
    TTimer* timer = next->timer;
    next->due = now + timer->Interval();
    next->order = state.nextOrder++;
    timer->Tick();
  }
}

void StartTimer(TTimer& timer) {
  THeadlessState& state = State();
  state.timers.push_back({&timer, platform::sim::ClockMs() + timer.Interval(), state.nextOrder++});
}

void StopTimer(TTimer& timer) {
  auto& timers = State().timers;
  std::erase_if(timers, [&](const TScheduled& s) { return s.timer == &timer; });
}

TDateTime Now() {
  return State().base + static_cast<TDateTime>(platform::sim::ClockMs()) / kMSecsPerDay;
}

std::int64_t PerformanceCounter() {
  return State().counterBase + platform::sim::ClockMs() * kCounterPerMs;
}

char TimeSeparator() {
  return State().timeSeparator;
}

char ThousandSeparator() {
  return State().thousandSeparator;
}

void ShowException(const std::string& text) {
  THeadlessState& state = State();
  ++state.shownCount;
  state.lastShown = text;
  std::cerr << "toolkit: unhandled exception: " << text << '\n';
}

}  // namespace backend

namespace headless {

void Reset() {
  Application.Clear();
  THeadlessState& state = State();
  const WindowHandle nextHandle = state.nextHandle;  // handles stay unique across tests
  state = THeadlessState{};
  state.nextHandle = nextHandle;
  platform::sim::ResetClock();
  state.base = DefaultBase();
  backend::Initialize();
}

void Advance(std::int64_t ms) {
  const std::int64_t target = platform::sim::ClockMs() + std::max<std::int64_t>(ms, 0);
  for (;;) {
    backend::ProcessMessages();
    const TScheduled* next = Earliest();
    if (next == nullptr || next->due > target) break;
    platform::sim::AdvanceClockMs(next->due - platform::sim::ClockMs());
  }
  platform::sim::AdvanceClockMs(target - platform::sim::ClockMs());
}

void QueueUserStep(std::function<void()> step) {
  State().steps.push_back(std::move(step));
}

std::size_t QueuedUserSteps() {
  return State().steps.size();
}

int ChangeCount(const TControl& control, TChange change) {
  const auto* peer = dynamic_cast<const THeadlessPeer*>(control.Peer());
  return peer == nullptr ? 0 : peer->Count(change);
}

TRect LastPictureArea(const TControl& control) {
  const auto* peer = dynamic_cast<const THeadlessPeer*>(control.Peer());
  return peer == nullptr ? TRect{} : peer->LastArea();
}

std::int64_t NextTick(const TTimer& timer) {
  for (const TScheduled& s : State().timers) {
    if (s.timer == &timer) return s.due;
  }
  return -1;
}

std::size_t PendingMessages() {
  return State().queue.size();
}

void SetNow(TDateTime value) {
  State().base = value - static_cast<TDateTime>(platform::sim::ClockMs()) / kMSecsPerDay;
}

void SetTimeSeparator(char separator) {
  State().timeSeparator = separator;
}

void SetThousandSeparator(char separator) {
  State().thousandSeparator = separator;
}

void SetPerformanceCounter(std::int64_t value) {
  State().counterBase = value - platform::sim::ClockMs() * kCounterPerMs;
}

int ShownExceptionCount() {
  return State().shownCount;
}

const std::string& LastShownException() {
  return State().lastShown;
}

}  // namespace headless

}  // namespace toolkit
