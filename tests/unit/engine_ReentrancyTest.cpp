// Both tick handlers dispatch the messages waiting in the queue before they act, so a
// stop, a new start or the main window's close can run in the middle of a tick. Each
// test queues such a message and then fires the runner's timer, as the message loop
// would when the message arrived just as the tick began.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/uObject.h"
#include "engine_Fixture.h"
#include "platform/sim/SimClock.h"
#include "toolkit/TMessageWindow.h"
#include "toolkit/TTimer.h"

using engine_test::kIdleCaption;
using engine_test::kTimes;
using toolkit::headless::Advance;
using toolkit::headless::NextTick;

namespace {

using Strings = std::vector<std::string>;

class Reentrancy : public engine_test::EngineTest {
 protected:
  // Queues a message whose handler runs action, then fires timer's tick.
  void TickWithMessage(toolkit::TTimer* timer, std::function<void()> action) {
    toolkit::TMessageWindow window([&](toolkit::TMessage&) { action(); });
    toolkit::PostMessage(window.Handle(), toolkit::kWmUser, 0, 0);
    timer->Tick();
    ASSERT_EQ(toolkit::headless::PendingMessages(), 0u);
  }
  void ClickAtFixedPoint() {
    runner.targetMode = ctFixed;
    runner.pointX = 100;
    runner.pointY = 50;
    runner.interval = 500;
    runner.randomInterval = false;
  }
};

TEST_F(Reentrancy, AStopInsideAClickTickEndsTheTickThere) {
  for (TClickTarget target : {ctCurrent, ctFixed, ctColor}) {
    SCOPED_TRACE(int(target));
    ResetDesktop();
    TBaseCtrl job;
    engine_test::RecordingOwner jobOwner;
    jobOwner.runner = &job;
    platform::sim::SetPixel(30, 40, 0xFF0000);
    job.targetMode = target;
    job.colorName = "clRed";
    job.interval = 500;
    job.Start(&jobOwner);
    Advance(1500);
    ASSERT_EQ(job.counter, 1);
    const std::size_t mark = LogSize();

    TickWithMessage(job.timer.get(), [&] { jobOwner.btnStopClick(nullptr); });  // stop hot key
    EXPECT_TRUE(Trace(mark).empty());
    EXPECT_EQ(job.counter, 1);
    EXPECT_EQ(jobOwner.captions, (Strings{std::string(kTimes) + "1", kIdleCaption}));
    EXPECT_FALSE(job.running);
    EXPECT_FALSE(job.timer->Enabled());
    Advance(10000);  // nothing brings the clicking back
    EXPECT_TRUE(Trace(mark).empty());
    EXPECT_EQ(jobOwner.captions.size(), 2u);
  }
}

TEST_F(Reentrancy, AStopInsideTheLastCountdownTickKeepsTheTimerOff) {
  runner.startMode = smNow;
  runner.interval = 100;
  runner.Start(&owner);
  TickWithMessage(runner.timer.get(), [&] { owner.btnStopClick(nullptr); });
  EXPECT_FALSE(runner.running);
  EXPECT_FALSE(runner.timer->Enabled());
  EXPECT_EQ(NextTick(*runner.timer), -1);
  Advance(10000);
  EXPECT_FALSE(runner.running);
  EXPECT_TRUE(Trace().empty());
  EXPECT_EQ(owner.captions, (Strings{kIdleCaption}));
}

TEST_F(Reentrancy, AStartInsideAClickTickLeavesTheNewRunAlone) {
  ClickAtFixedPoint();
  StartClicking();
  Advance(1000);
  ASSERT_EQ(runner.counter, 2);
  const std::size_t mark = LogSize();
  const std::int64_t restart = platform::sim::ClockMs();

  TickWithMessage(runner.timer.get(), [&] {
    runner.pointX = 10;  // the settings are copied afresh, then the run starts
    runner.Start(&owner);
  });
  EXPECT_TRUE(Trace(mark).empty());
  EXPECT_EQ(runner.counter, 0);
  EXPECT_EQ(owner.captions.back(), std::string(kTimes) + "2");
  EXPECT_EQ(NextTick(*runner.timer), restart + 1000);  // counting down afresh

  Advance(1000 + 500);
  EXPECT_EQ(Trace(mark), (Strings{"move 10,50", "left down 10,50", "left up 10,50"}));
  EXPECT_EQ(runner.counter, 1);
  EXPECT_EQ(platform::sim::InputLog().back().timeMs, restart + 1500);
}

TEST_F(Reentrancy, AStartInsideACountdownTickLeavesTheNewCountdownAlone) {
  runner.startMode = smNow;
  runner.interval = 100;
  runner.Start(&owner);
  Advance(500);

  TickWithMessage(runner.timer.get(), [&] {
    runner.startMode = smAfter;
    runner.startDelay = 2;
    runner.Start(&owner);
  });
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(runner.counter, 0);
  EXPECT_EQ(NextTick(*runner.timer), 1500);
  Advance(1000);
  EXPECT_EQ(runner.counter, 1);
  EXPECT_FALSE(runner.running);
  Advance(1000);
  EXPECT_TRUE(runner.running);  // two full seconds after the new Start
  EXPECT_TRUE(Trace().empty());
}

TEST_F(Reentrancy, ARunnerFreedInsideItsOwnTickIsNotTouchedAgain) {
  struct Case {
    const char* what;
    bool clicking;
    TClickTarget target;
  };
  const Case cases[] = {{"countdown", false, ctCurrent},
                        {"click, current", true, ctCurrent},
                        {"click, fixed", true, ctFixed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetDesktop();
    auto job = std::make_unique<TBaseCtrl>();
    engine_test::RecordingOwner jobOwner;
    jobOwner.runner = job.get();
    job->targetMode = c.target;
    job->interval = 500;
    job->Start(&jobOwner);
    if (c.clicking) Advance(1000);
    ASSERT_EQ(job->running, c.clicking);
    toolkit::TTimer* timer = job->timer.get();

    // The main window closes: it frees the runner, and with it the timer.
    TickWithMessage(timer, [&] {
      jobOwner.runner = nullptr;
      job.reset();
    });
    EXPECT_EQ(job, nullptr);
    EXPECT_TRUE(Trace().empty());
    EXPECT_TRUE(jobOwner.captions.empty());
    Advance(10000);
    EXPECT_TRUE(Trace().empty());
  }
}

}  // namespace
