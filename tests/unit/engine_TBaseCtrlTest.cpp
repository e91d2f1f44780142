#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "PixelTestUtil.h"
#include "engine/uObject.h"
#include "engine_Fixture.h"
#include "toolkit/Random.h"
#include "toolkit/TMessageWindow.h"
#include "toolkit/TTimer.h"

using engine_test::kIdleCaption;
using engine_test::kTimes;
using engine_test::PictureTextOf;
using toolkit::headless::Advance;
using toolkit::headless::NextTick;
namespace sim = platform::sim;

namespace {

using Strings = std::vector<std::string>;

class Runner : public engine_test::EngineTest {};

TEST_F(Runner, ANewRunnerIsIdleAndStopBeforeStartOnlyClearsRunning) {
  EXPECT_EQ(runner.ownerForm, nullptr);
  EXPECT_EQ(runner.timer, nullptr);
  EXPECT_EQ(runner.counter, 0);
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(runner.interval, 1000);  // the job's own initial values
  runner.running = true;
  runner.Stop();
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(runner.timer, nullptr);
}

TEST_F(Runner, TheCountdownEndsAtTheStartConditionAndTheFirstClickComesOneIntervalLater) {
  struct Case {
    const char* what;
    TStartMode mode;
    const char* startTime;
    char separator;
    std::int32_t delay;
    std::int64_t clickPhaseAt;  // ms after Start; the clock starts at 09:00:00
  };
  const Case cases[] = {
      {"now", smNow, "", ':', 10000, 1000},
      {"after 0 s", smAfter, "", ':', 0, 1000},
      {"after 1 s", smAfter, "", ':', 1, 1000},
      {"after 4 s", smAfter, "", ':', 4, 4000},
      {"after -3 s", smAfter, "", ':', -3, 1000},
      {"at a time passed today", smAt, "08:59:59", ':', 10000, 1000},
      {"at a time of day to come", smAt, "09:00:03", ':', 10000, 3000},
      {"at, with the user's time separator", smAt, "09.00.02", '.', 10000, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetDesktop();
    toolkit::headless::SetTimeSeparator(c.separator);
    TBaseCtrl job;
    job.startMode = c.mode;
    job.startTime = c.startTime;
    job.startDelay = c.delay;
    job.interval = 250;
    job.Start(nullptr);
    ASSERT_NE(job.timer, nullptr);
    EXPECT_EQ(job.timer->Interval(), 1000u);
    Advance(c.clickPhaseAt - 1);
    EXPECT_FALSE(job.running);
    EXPECT_EQ(job.counter, c.clickPhaseAt / 1000 - 1);  // countdown ticks so far
    Advance(1);
    EXPECT_TRUE(job.running);
    EXPECT_EQ(job.counter, 0);
    EXPECT_EQ(NextTick(*job.timer), c.clickPhaseAt + 250);
    Advance(250);
    EXPECT_EQ(ButtonTimes(),
              (std::vector<std::int64_t>{c.clickPhaseAt + 250, c.clickPhaseAt + 250}));
    EXPECT_EQ(job.counter, 1);
  }
}

TEST_F(Runner, StartDuringTheCountdownBeginsItAgainWithTheSettingsOfThen) {
  runner.startMode = smAfter;
  runner.startDelay = 3;
  runner.Start(&owner);
  Advance(2000);
  EXPECT_EQ(runner.counter, 2);
  runner.startDelay = 2;
  runner.Start(&owner);
  EXPECT_EQ(runner.counter, 0);
  Advance(1999);
  EXPECT_FALSE(runner.running);
  Advance(1);
  EXPECT_TRUE(runner.running);  // at 2000 + 2000
}

TEST_F(Runner, EveryButtonAndActionSendsItsEventsAtTheTarget) {
  struct Case {
    TClickButton button;
    TClickAction action;
    Strings events;  // of one click at (100, 50)
  };
  const Case cases[] = {
      {cbLeft, caSingle, {"left down 100,50", "left up 100,50"}},
      {cbLeft,
       caDouble,
       {"left down 100,50", "left up 100,50", "left down 100,50", "left up 100,50"}},
      {cbLeft, caDown, {"left down 100,50"}},
      {cbLeft, caUp, {"left up 100,50"}},
      {cbRight, caSingle, {"right down 100,50", "right up 100,50"}},
      {cbRight,
       caDouble,
       {"right down 100,50", "right up 100,50", "right down 100,50", "right up 100,50"}},
      {cbRight, caDown, {"right down 100,50"}},
      {cbRight, caUp, {"right up 100,50"}},
      {cbMiddle, caSingle, {"middle down 100,50", "middle up 100,50"}},
      {cbMiddle,
       caDouble,
       {"middle down 100,50", "middle up 100,50", "middle down 100,50", "middle up 100,50"}},
      {cbMiddle, caDown, {"middle down 100,50"}},
      {cbMiddle, caUp, {"middle up 100,50"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "button " << int(c.button) << ", action " << int(c.action));
    ResetDesktop();
    TBaseCtrl job;
    job.targetMode = ctFixed;
    job.pointX = 100;
    job.pointY = 50;
    job.mouseButton = c.button;
    job.mouseAction = c.action;
    job.interval = 300;
    job.Start(nullptr);
    Advance(1000 + 2 * 300);
    Strings expected;
    for (int tick = 0; tick < 2; ++tick) {
      expected.push_back("move 100,50");
      expected.insert(expected.end(), c.events.begin(), c.events.end());
    }
    EXPECT_EQ(Trace(), expected);
    EXPECT_EQ(job.counter, 2);  // a double click counts once
  }
}

TEST_F(Runner, AfterClickActionsFollowFixedAndFoundPointsButNotTheCurrentOne) {
  struct Case {
    const char* what;
    TClickTarget target;
    TAfterClick after;
    Strings trace;
  };
  const Case cases[] = {
      {"fixed, nothing",
       ctFixed,
       acNothing,
       {"move 100,50", "right down 100,50", "right up 100,50"}},
      {"fixed, back",
       ctFixed,
       acBack,
       {"move 100,50", "right down 100,50", "right up 100,50", "move 7,8"}},
      {"fixed, back and click",
       ctFixed,
       acBackClick,
       {"move 100,50", "right down 100,50", "right up 100,50", "move 7,8", "left down 7,8",
        "left up 7,8"}},
      {"colour, back and click",
       ctColor,
       acBackClick,
       {"move 30,40", "right down 30,40", "right up 30,40", "move 7,8", "left down 7,8",
        "left up 7,8"}},
      {"current, back", ctCurrent, acBack, {"move 7,8", "right down 7,8", "right up 7,8"}},
      {"current, back and click",
       ctCurrent,
       acBackClick,
       {"move 7,8", "right down 7,8", "right up 7,8"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetDesktop();
    sim::SetPixel(30, 40, 0xFF0000);
    platform::SetCursorPos(7, 8);
    const std::size_t mark = LogSize();
    TBaseCtrl job;
    job.targetMode = c.target;
    job.pointX = 100;
    job.pointY = 50;
    job.colorName = "clRed";
    job.mouseButton = cbRight;
    job.afterClick = c.after;
    job.interval = 500;
    job.Start(nullptr);
    Advance(1500);
    EXPECT_EQ(Trace(mark), c.trace);
  }
}

TEST_F(Runner, TheReturnPositionIsReadBeforeDispatchingAndTheCurrentTargetAfter) {
  // A message waiting when the tick begins moves the cursor, as the user might.
  toolkit::TMessageWindow mover([](toolkit::TMessage&) { platform::SetCursorPos(20, 30); });
  platform::SetCursorPos(7, 8);
  runner.afterClick = acBack;
  StartClicking();

  runner.targetMode = ctCurrent;
  toolkit::PostMessage(mover.Handle(), toolkit::kWmUser, 0, 0);
  std::size_t mark = LogSize();
  runner.timer->Tick();
  EXPECT_EQ(Trace(mark), (Strings{"move 20,30", "move 20,30", "left down 20,30", "left up 20,30"}));

  runner.targetMode = ctFixed;
  runner.pointX = 100;
  runner.pointY = 50;
  platform::SetCursorPos(7, 8);
  toolkit::PostMessage(mover.Handle(), toolkit::kWmUser, 0, 0);
  mark = LogSize();
  runner.timer->Tick();
  EXPECT_EQ(Trace(mark), (Strings{"move 20,30", "move 100,50", "left down 100,50", "left up 100,50",
                                  "move 7,8"}));
}

TEST_F(Runner, EachClickWritesTheCountIntoTheOwnersTitle) {
  runner.interval = 100;
  StartClicking();
  EXPECT_TRUE(owner.captions.empty());
  Advance(300);
  EXPECT_EQ(owner.captions, (Strings{std::string(kTimes) + "1", std::string(kTimes) + "2",
                                     std::string(kTimes) + "3"}));
}

TEST_F(Runner, ACommandRunClicksUntilStopAndKeepsItsCount) {
  runner.interval = 100;
  StartClicking();
  Advance(500);
  EXPECT_EQ(runner.counter, 5);
  EXPECT_EQ(owner.captions.back(), std::string(kTimes) + "5");
  runner.Stop();
  EXPECT_FALSE(runner.running);
  EXPECT_FALSE(runner.timer->Enabled());
  Advance(5000);
  EXPECT_EQ(runner.counter, 5);
  EXPECT_EQ(ButtonTimes().size(), 10u);
  EXPECT_EQ(owner.stopClicks, 0);  // a stop on command does not call back
}

TEST_F(Runner, ARepeatRunStopsItselfAfterItsClicks) {
  struct Case {
    std::int32_t repeatTimes;
    bool withOwner;
    int clicks;
  };
  const Case cases[] = {{1, true, 1}, {0, true, 1}, {-5, true, 1}, {4, true, 4}, {3, false, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "repeatTimes " << c.repeatTimes << ", owner " << c.withOwner);
    ResetDesktop();
    TBaseCtrl job;
    engine_test::RecordingOwner jobOwner;
    jobOwner.runner = &job;
    job.stopMode = stRepeat;
    job.repeatTimes = c.repeatTimes;
    job.interval = 100;
    job.Start(c.withOwner ? &jobOwner : nullptr);
    Advance(1000 + 100 * (c.clicks + 5));
    EXPECT_EQ(ButtonTimes().size(), 2u * c.clicks);
    EXPECT_EQ(job.counter, c.clicks);
    EXPECT_FALSE(job.running);
    EXPECT_FALSE(job.timer->Enabled());
    Strings captions;
    if (c.withOwner) {
      for (int i = 1; i <= c.clicks; ++i) captions.push_back(kTimes + std::to_string(i));
      captions.push_back(kIdleCaption);
    }
    EXPECT_EQ(jobOwner.captions, captions);
    EXPECT_EQ(jobOwner.stopClicks, c.withOwner ? 1 : 0);
    EXPECT_EQ(jobOwner.stopClicksWithSender, 0);
  }
}

TEST_F(Runner, AColourIsClickedWhereItShowsAndNothingHappensWhileItDoesNot) {
  runner.targetMode = ctColor;
  runner.colorName = "clRed";
  runner.randomInterval = true;
  StartClicking();
  const std::uint32_t period = runner.timer->Interval();
  const std::uint64_t seed = toolkit::RandSeed();

  Advance(3 * period);  // the screen is black
  EXPECT_TRUE(Trace().empty());
  EXPECT_EQ(runner.counter, 0);
  EXPECT_TRUE(owner.captions.empty());
  EXPECT_EQ(runner.timer->Interval(), period);  // no new draw
  EXPECT_EQ(toolkit::RandSeed(), seed);
  ASSERT_EQ(sim::GrabLog().size(), 3u);  // the whole screen, searched again at each tick
  EXPECT_EQ(sim::GrabLog()[2].width, 160);
  EXPECT_EQ(sim::GrabLog()[2].height, 120);

  sim::SetPixel(30, 40, 0xFF0000);
  sim::SetPixel(90, 10, 0xFF0000);  // later in the scan: rows go top down
  Advance(period);
  EXPECT_EQ(Trace(), (Strings{"move 90,10", "left down 90,10", "left up 90,10"}));
  EXPECT_EQ(runner.counter, 1);
  EXPECT_EQ(owner.captions, (Strings{std::string(kTimes) + "1"}));
  EXPECT_NE(toolkit::RandSeed(), seed);
}

TEST_F(Runner, TheScopeAndTheSimilarityGoToTheColourSearch) {
  sim::SetPixel(30, 40, 0xF00000);  // 15 below pure red
  runner.targetMode = ctColor;
  runner.colorName = "clRed";
  runner.interval = 100;
  runner.partScreen = true;
  runner.scopeLeft = 40;
  runner.scopeTop = 0;
  runner.scopeRight = 160;
  runner.scopeBottom = 120;
  runner.colorSimilar = 90;  // 25 per channel
  StartClicking();
  Advance(100);
  EXPECT_TRUE(Trace().empty());
  const sim::GrabRequest scope = sim::GrabLog().back();
  EXPECT_EQ((std::vector<int>{scope.left, scope.top, scope.width, scope.height}),
            (std::vector<int>{40, 0, 120, 120}));

  runner.scopeLeft = 20;
  Advance(100);
  EXPECT_EQ(Trace(), (Strings{"move 30,40", "left down 30,40", "left up 30,40"}));

  runner.colorSimilar = 100;  // exact again: the darker red no longer counts
  Advance(100);
  EXPECT_EQ(runner.counter, 1);
}

TEST_F(Runner, APictureIsClickedAtItsCentreOnceItShows) {
  TBDBitmapData picture;
  pixel_test::Fill(picture, {{0x0000FF, 0x00FF00, 0xFF0000}, {0xFFFFFF, 0x808080, 0x00FFFF}});
  runner.targetMode = ctPicture;
  runner.pictureText = PictureTextOf(picture);
  runner.interval = 200;
  StartClicking();
  Advance(400);
  EXPECT_TRUE(Trace().empty());
  EXPECT_EQ(runner.counter, 0);
  EXPECT_TRUE(owner.captions.empty());
  const TBDBitmapData* cache = runner.pictureCache.get();
  ASSERT_NE(cache, nullptr);

  sim::PaintBlock(50, 20, picture.width(), picture.height(), picture.pixels(), picture.stride());
  Advance(200);
  EXPECT_EQ(Trace(), (Strings{"move 51,21", "left down 51,21", "left up 51,21"}));
  EXPECT_EQ(runner.counter, 1);
  EXPECT_EQ(runner.pictureCache.get(), cache);  // decoded once for the whole run
}

TEST_F(Runner, APictureTargetWithoutAPictureDoesNothing) {
  runner.targetMode = ctPicture;
  runner.interval = 100;
  StartClicking();
  Advance(1000);
  EXPECT_TRUE(Trace().empty());
  EXPECT_TRUE(sim::GrabLog().empty());
  EXPECT_EQ(runner.counter, 0);
  EXPECT_EQ(runner.pictureCache, nullptr);
  EXPECT_TRUE(runner.running);
}

// The counter value at which the generator, re-seeded from it, draws r.
std::int64_t CounterDrawing(std::int32_t r) {
  for (std::int64_t counter = 0;; ++counter) {
    toolkit::headless::SetPerformanceCounter(counter);
    toolkit::Randomize();
    if (toolkit::Random(100) == r) return counter;
  }
}

TEST_F(Runner, ARandomIntervalIsOneOfAHundredStepsBetweenTheBounds) {
  struct Case {
    std::int32_t min, max, r, interval;
  };
  const Case cases[] = {
      {100, 5000, 0, 100},   {100, 5000, 1, 149},
      {100, 5000, 99, 4951}, {100, 149, 50, 124},  // 24.5: the even neighbour
      {100, 151, 50, 126},                         // 25.5
      {100, 150, 99, 150},                         // bounds 50 apart: the upper one is reached
      {5000, 100, 1, 4951},                        // reversed bounds run downward
      {300, 300, 73, 300},
  };
  runner.Start(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << ", r " << c.r);
    runner.randomMin = c.min;
    runner.randomMax = c.max;
    toolkit::headless::SetPerformanceCounter(CounterDrawing(c.r));
    runner.NextRandomInterval();
    EXPECT_EQ(runner.timer->Interval(), std::uint32_t(c.interval));
  }

  // With the initial bounds every draw is 100 + 49 r, and all hundred values occur.
  runner.randomMin = 100;
  runner.randomMax = 5000;
  std::set<std::uint32_t> seen;
  for (std::int64_t counter = 0; counter < 3000; ++counter) {
    toolkit::headless::SetPerformanceCounter(counter);
    runner.NextRandomInterval();
    const std::uint32_t value = runner.timer->Interval();
    ASSERT_EQ((value - 100) % 49, 0u) << value;
    ASSERT_LE(value, 4951u);
    seen.insert(value);
  }
  EXPECT_EQ(seen.size(), 100u);
}

TEST_F(Runner, ARandomRunRedrawsAfterEveryClick) {
  runner.randomInterval = true;
  StartClicking();
  Advance(60000);
  const std::vector<std::int64_t> times = ButtonTimes();
  ASSERT_GT(times.size(), 20u);
  std::set<std::int64_t> gaps;
  for (std::size_t i = 2; i < times.size(); i += 2) gaps.insert(times[i] - times[i - 2]);
  for (std::int64_t gap : gaps) EXPECT_EQ((gap - 100) % 49, 0) << gap;
  EXPECT_GE(*gaps.begin(), 100);
  EXPECT_LE(*gaps.rbegin(), 4951);
  EXPECT_GT(gaps.size(), 3u);

  ResetDesktop();
  TBaseCtrl equalBounds;
  equalBounds.randomInterval = true;
  equalBounds.randomMin = equalBounds.randomMax = 250;
  equalBounds.Start(nullptr);
  Advance(1000 + 4 * 250);
  EXPECT_EQ(ButtonTimes(),
            (std::vector<std::int64_t>{1250, 1250, 1500, 1500, 1750, 1750, 2000, 2000}));
}

TEST_F(Runner, AnIntervalOfZeroEntersTheClickPhaseButNeverClicks) {
  struct Case {
    const char* what;
    bool random;
  };
  for (const Case& c : {Case{"fixed 0", false}, Case{"random 0..0", true}}) {
    SCOPED_TRACE(c.what);
    ResetDesktop();
    TBaseCtrl job;
    job.interval = 0;
    job.randomInterval = c.random;
    job.randomMin = job.randomMax = 0;
    job.Start(nullptr);
    Advance(1000);
    EXPECT_TRUE(job.running);
    EXPECT_TRUE(job.timer->Enabled());
    EXPECT_EQ(NextTick(*job.timer), -1);
    const std::uint64_t seed = toolkit::RandSeed();
    Advance(100000);
    EXPECT_TRUE(Trace().empty());
    EXPECT_EQ(job.counter, 0);
    EXPECT_EQ(toolkit::RandSeed(), seed);  // no further draw
  }
}

TEST_F(Runner, AnUnreadableStartTimeFailsEachCountdownTickAndTheCountdownGoesOn) {
  runner.startMode = smAt;
  runner.startTime = "25:70:00";
  runner.Start(&owner);
  Advance(5000);
  EXPECT_EQ(errors.size(), 5u);
  EXPECT_EQ(runner.counter, 5);
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(NextTick(*runner.timer), 6000);
  runner.startTime = "08:00:00";
  Advance(1000);
  EXPECT_TRUE(runner.running);
  EXPECT_EQ(errors.size(), 5u);
}

TEST_F(Runner, BadColourOrPictureTextFailsEachClickTickAndTheTimerGoesOn) {
  TBDBitmapData picture;
  pixel_test::Fill(picture, {{0xFF0000}});
  struct Case {
    const char* what;
    TClickTarget target;
    std::string bad;
    std::string good;
  };
  const Case cases[] = {
      {"colour", ctColor, "clNoSuchColour", "clRed"},
      {"picture", ctPicture, "Zm9vY", PictureTextOf(picture)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetDesktop();
    sim::SetPixel(30, 40, 0xFF0000);
    TBaseCtrl job;
    job.targetMode = c.target;
    std::string& text = c.target == ctColor ? job.colorName : job.pictureText;
    text = c.bad;
    job.interval = 100;
    job.Start(nullptr);
    Advance(1000 + 300);
    EXPECT_EQ(errors.size(), 3u);
    EXPECT_TRUE(Trace().empty());
    EXPECT_TRUE(sim::GrabLog().empty());
    EXPECT_EQ(job.counter, 0);
    EXPECT_EQ(job.pictureCache, nullptr);
    EXPECT_EQ(NextTick(*job.timer), 1400);
    text = c.good;  // the next tick tries again
    Advance(100);
    EXPECT_EQ(Trace(), (Strings{"move 30,40", "left down 30,40", "left up 30,40"}));
  }
}

TEST_F(Runner, DestroyingARunnerStopsItsTimer) {
  auto job = std::make_unique<TBaseCtrl>();
  job->interval = 100;
  job->Start(nullptr);
  Advance(1200);
  EXPECT_EQ(ButtonTimes().size(), 4u);
  job.reset();
  Advance(5000);
  EXPECT_EQ(ButtonTimes().size(), 4u);
}

}  // namespace
