#include <memory>
#include <vector>

#include "platform/Desktop.h"
#include "platform/sim/SimClock.h"
#include "toolkit/TTimer.h"
#include "toolkit_Fixture.h"

using namespace toolkit;
using platform::sim::ClockMs;

namespace {

class TimerTest : public ToolkitTest {
 protected:
  // A disabled timer with the interval given, recording the time of each tick.
  std::unique_ptr<TTimer> MakeTimer(std::uint32_t interval) {
    auto timer = std::make_unique<TTimer>(nullptr);
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->OnTimer = [this](TObject*) { ticks.push_back(ClockMs()); };
    return timer;
  }
  std::vector<std::int64_t> ticks;
};

TEST_F(TimerTest, TicksEveryIntervalFromEnabling) {
  auto timer = MakeTimer(300);
  headless::Advance(1000);
  EXPECT_TRUE(ticks.empty());
  timer->SetEnabled(true);
  headless::Advance(1000);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{1300, 1600, 1900}));
  timer->SetEnabled(false);
  headless::Advance(1000);
  EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(TimerTest, ChangesRestartThePeriodAndSameValuesDoNot) {
  struct Case {
    const char* what;
    void (*change)(TTimer&);
    std::int64_t firstTick;  // the timer was enabled at 0 with 1000 ms; change at 600
  };
  const Case cases[] = {
      {"same interval", [](TTimer& t) { t.SetInterval(1000); }, 1000},
      {"same enabled", [](TTimer& t) { t.SetEnabled(true); }, 1000},
      {"new interval", [](TTimer& t) { t.SetInterval(500); }, 1100},
      {"longer interval", [](TTimer& t) { t.SetInterval(2000); }, 2600},
      {"off and on",
       [](TTimer& t) {
         t.SetEnabled(false);
         t.SetEnabled(true);
       },
       1600},
      {"handler replaced", [](TTimer& t) { t.OnTimer = [](TObject*) {}; }, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    headless::Reset();
    auto timer = MakeTimer(1000);
    timer->SetEnabled(true);
    headless::Advance(600);
    c.change(*timer);
    EXPECT_EQ(headless::NextTick(*timer), c.firstTick);
  }
}

TEST_F(TimerTest, IntervalZeroNeverFires) {
  auto timer = MakeTimer(0);
  timer->SetEnabled(true);
  headless::Advance(100000);
  EXPECT_TRUE(ticks.empty());
  EXPECT_EQ(headless::NextTick(*timer), -1);
  timer->SetInterval(50);  // becomes active: the period begins at this change
  headless::Advance(100);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{100050, 100100}));
}

TEST_F(TimerTest, DisabledTimerTakesNewIntervalWithoutTicking) {
  auto timer = MakeTimer(100);
  timer->SetInterval(10);
  headless::Advance(500);
  EXPECT_TRUE(ticks.empty());
  EXPECT_EQ(headless::NextTick(*timer), -1);
}

TEST_F(TimerTest, LateTickIsNotRepeatedToCatchUp) {
  auto timer = MakeTimer(10);
  int count = 0;
  timer->OnTimer = [&](TObject*) {
    if (++count == 1) platform::sim::AdvanceClockMs(95);  // a slow handler
  };
  timer->SetEnabled(true);
  headless::Advance(10);  // the first tick runs from 10 to 105, the overdue one follows
  EXPECT_EQ(count, 2);    // once, not nine times
  EXPECT_EQ(headless::NextTick(*timer), 115);
}

TEST_F(TimerTest, HandlerMayReplaceItselfOrFreeItsTimer) {
  auto timer = MakeTimer(100);
  std::vector<int> calls;
  timer->OnTimer = [&](TObject*) {
    calls.push_back(1);
    timer->OnTimer = [&](TObject*) {
      calls.push_back(2);
      timer.reset();  // freed inside its own tick
    };
  };
  timer->SetEnabled(true);
  headless::Advance(1000);
  EXPECT_EQ(calls, (std::vector<int>{1, 2}));
  EXPECT_EQ(timer, nullptr);
}

TEST_F(TimerTest, TicksOfSeveralTimersComeInTimeOrder) {
  std::vector<char> order;
  auto a = MakeTimer(30);
  auto b = MakeTimer(20);
  a->OnTimer = [&](TObject*) { order.push_back('a'); };
  b->OnTimer = [&](TObject*) { order.push_back('b'); };
  a->SetEnabled(true);
  b->SetEnabled(true);
  headless::Advance(60);
  // b at 20, a at 30, b at 40; at 60 both: a was rescheduled at 30, b at 40, a first.
  EXPECT_EQ(order, (std::vector<char>{'b', 'a', 'b', 'a', 'b'}));
}

}  // namespace
