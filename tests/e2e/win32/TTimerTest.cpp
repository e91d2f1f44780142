// The toolkit's timers on the Win32 backend's real message loop, under Wine: they fire
// below the system's tick, keep their meaning (restart on change, 0 never fires, a stopped
// or freed timer fires no more) and never nest inside their own tick. The achieved period
// is printed, not judged: it depends on the machine and on Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "toolkit/Backend.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"
#include "toolkit/TTimer.h"

namespace {

using toolkit::TObject;
using toolkit::TTimer;

double NowMs() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

class Win32Timers : public testing::Test {
 protected:
  static void SetUpTestSuite() { toolkit::Application.Initialize(); }

  // Runs the backend's loop (the modal one, on a form that is never shown) until Finish()
  // or limitMs.
  void RunLoop(std::uint32_t limitMs) {
    form_.SetModalResult(toolkit::mrNone);
    TTimer deadline(nullptr);
    deadline.SetInterval(limitMs);
    deadline.OnTimer = [this](TObject*) { Finish(); };
    toolkit::backend::ModalLoop(form_);
  }
  void Finish() { form_.SetModalResult(toolkit::mrOk); }

 private:
  toolkit::TForm form_{nullptr};
};

TEST_F(Win32Timers, FiresEveryFiveMillisecondsAndNoMoreOnceDisabledInItsTick) {
  constexpr std::size_t kTicks = 200;
  TTimer timer(nullptr);
  TTimer quiet(nullptr);
  quiet.SetEnabled(false);
  quiet.SetInterval(100);
  quiet.OnTimer = [this](TObject*) { Finish(); };
  std::vector<double> times;
  timer.OnTimer = [&](TObject*) {
    times.push_back(NowMs());
    if (times.size() == kTicks) {
      timer.SetEnabled(false);
      quiet.SetEnabled(true);  // 100 ms more of the loop, to see that nothing follows
    }
  };
  timer.SetInterval(5);
  RunLoop(30000);

  ASSERT_EQ(times.size(), kTicks);
  std::vector<double> intervals;
  for (std::size_t i = 1; i < times.size(); ++i) intervals.push_back(times[i] - times[i - 1]);
  const double mean = (times.back() - times.front()) / static_cast<double>(intervals.size());
  std::sort(intervals.begin(), intervals.end());
  std::printf(
      "5 ms timer on the Win32 loop: %zu intervals, mean %.3f ms, p50 %.3f ms, "
      "p99 %.3f ms, max %.3f ms\n",
      intervals.size(), mean, intervals[intervals.size() / 2],
      intervals[(intervals.size() * 99 + 99) / 100 - 1], intervals.back());
  RecordProperty("mean_interval_us", static_cast<int>(mean * 1000));
}

TEST_F(Win32Timers, IntervalZeroNeverFires) {
  int ticks = 0;
  TTimer idle(nullptr);
  idle.SetInterval(0);
  idle.OnTimer = [&](TObject*) { ++ticks; };
  TTimer once(nullptr);
  once.OnTimer = [&](TObject*) {
    ++ticks;
    once.SetInterval(0);  // still enabled
  };
  once.SetInterval(5);
  RunLoop(200);
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(idle.Enabled());
  EXPECT_TRUE(once.Enabled());
}

TEST_F(Win32Timers, StoppedTimerDoesNotFireFromAWakeThatWasDue) {
  int ticks = 0;
  TTimer timer(nullptr);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(5);
  ::Sleep(40);  // due, and the backstop's WM_TIMER may be queued too
  timer.SetEnabled(false);
  toolkit::Application.ProcessMessages();
  RunLoop(50);
  EXPECT_EQ(ticks, 0);
}

TEST_F(Win32Timers, ChangeStartsThePeriodAnew) {
  for (const bool changeInterval : {true, false}) {
    SCOPED_TRACE(changeInterval ? "new interval" : "disabled and enabled again");
    TTimer timer(nullptr);
    double changed = 0;
    double ticked = 0;
    timer.OnTimer = [&](TObject*) {
      ticked = NowMs();
      Finish();
    };
    timer.SetInterval(50);
    ::Sleep(30);
    changed = NowMs();
    if (changeInterval) {
      timer.SetInterval(40);
    } else {
      timer.SetEnabled(false);
      timer.SetEnabled(true);
    }
    RunLoop(5000);
    ASSERT_GT(ticked, 0);
    // Without the restart the tick would come 20 ms after the change.
    EXPECT_GE(ticked - changed, changeInterval ? 40.0 : 50.0);
  }
}

TEST_F(Win32Timers, TimerFreedInATickFiresNoMore) {
  // Both due in the same pass of the loop; the first frees itself and the second.
  int firstTicks = 0;
  int secondTicks = 0;
  auto first = std::make_unique<TTimer>(nullptr);
  auto second = std::make_unique<TTimer>(nullptr);
  first->SetInterval(5);
  second->SetInterval(5);
  first->OnTimer = [&](TObject*) {
    ++firstTicks;
    second.reset();
    first.reset();
  };
  second->OnTimer = [&](TObject*) { ++secondTicks; };
  ::Sleep(20);
  toolkit::Application.ProcessMessages();
  RunLoop(100);
  EXPECT_EQ(firstTicks, 1);
  EXPECT_EQ(secondTicks, 0);
}

TEST_F(Win32Timers, TickThatDispatchesMessagesAfterItsPeriodDoesNotNest) {
  int depth = 0;
  int deepest = 0;
  int ticks = 0;
  TTimer timer(nullptr);
  timer.OnTimer = [&](TObject*) {
    deepest = std::max(deepest, ++depth);
    ::Sleep(12);  // longer than the period
    toolkit::Application.ProcessMessages();
    --depth;
    if (++ticks == 5) Finish();
  };
  timer.SetInterval(5);
  RunLoop(5000);
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(deepest, 1);
}

}  // namespace
