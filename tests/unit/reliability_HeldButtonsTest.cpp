// A "Button Down" run presses a button and leaves it down. When the runner goes (the main
// window closing frees it, also from inside its own tick) every button it left held is
// released where the cursor is, once; a button it released itself is left alone.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/uObject.h"
#include "engine_Fixture.h"
#include "toolkit/TMessageWindow.h"
#include "toolkit/TTimer.h"

using toolkit::headless::Advance;
namespace sim = platform::sim;

namespace {

using Strings = std::vector<std::string>;

class HeldButtons : public engine_test::EngineTest {
 protected:
  // A runner in its click phase, clicking at (100, 50) every 100 ms with the given
  // button, action and after-click action.
  std::unique_ptr<TBaseCtrl> Clicking(TClickButton button, TClickAction action,
                                      TAfterClick after = acNothing) {
    auto job = std::make_unique<TBaseCtrl>();
    job->targetMode = ctFixed;
    job->pointX = 100;
    job->pointY = 50;
    job->mouseButton = button;
    job->mouseAction = action;
    job->afterClick = after;
    job->interval = 100;
    job->Start(nullptr);
    Advance(1000);
    return job;
  }
};

TEST_F(HeldButtons, AButtonLeftDownIsReleasedWhereTheCursorIsWhenTheRunnerGoes) {
  struct Case {
    TClickButton button;
    TClickAction action;
    Strings released;
  };
  const Case cases[] = {
      {cbLeft, caDown, {"left up 7,9"}},
      {cbRight, caDown, {"right up 7,9"}},
      {cbMiddle, caDown, {"middle up 7,9"}},
      {cbLeft, caSingle, {}},
      {cbRight, caDouble, {}},
      {cbMiddle, caUp, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.button) + "/" + std::to_string(c.action));
    ResetDesktop();
    auto job = Clicking(c.button, c.action);
    Advance(300);
    job->Stop();                   // a stop leaves the button as the run left it
    platform::SetCursorPos(7, 9);  // the user moves on
    const std::size_t mark = LogSize();
    job.reset();
    EXPECT_EQ(Trace(mark), c.released);
  }
}

TEST_F(HeldButtons, OnlyButtonsStillDownAreReleased) {
  // A later "Button Up" run let go of the right button itself; the left one pressed after
  // it is still down.
  auto job = Clicking(cbRight, caDown);
  Advance(100);
  job->mouseAction = caUp;
  Advance(100);
  job->mouseButton = cbLeft;
  job->mouseAction = caDown;
  Advance(100);
  const std::size_t mark = LogSize();
  job.reset();
  EXPECT_EQ(Trace(mark), Strings{"left up 100,50"});
}

TEST_F(HeldButtons, TheLeftClickBackAtTheStartReleasesAHeldLeftButton) {
  // "Move back and click" presses and releases the left button wherever the job's own
  // button is: a held left button is up again after it, a held right one is not.
  for (const TClickButton button : {cbLeft, cbRight}) {
    SCOPED_TRACE(std::to_string(button));
    ResetDesktop();
    auto job = Clicking(button, caDown, acBackClick);
    Advance(100);
    ASSERT_EQ(job->counter, 1);
    const std::size_t mark = LogSize();
    job.reset();
    EXPECT_EQ(Trace(mark), button == cbLeft ? Strings{} : Strings{"right up 0,0"});
  }
}

TEST_F(HeldButtons, ARunnerFreedInsideItsOwnTickReleasesItsButtonOnce) {
  // The main window closes while a tick dispatches messages: the runner is freed under
  // the tick, releases the button, and the tick presses nothing more.
  auto job = Clicking(cbLeft, caDown);
  Advance(100);
  ASSERT_EQ(job->counter, 1);
  const std::size_t mark = LogSize();
  toolkit::TMessageWindow window([&](toolkit::TMessage&) { job.reset(); });
  toolkit::PostMessage(window.Handle(), toolkit::kWmUser, 0, 0);
  job->timer->Tick();
  EXPECT_EQ(job, nullptr);
  EXPECT_EQ(Trace(mark), Strings{"left up 100,50"});
  Advance(1000);
  EXPECT_EQ(Trace(mark), Strings{"left up 100,50"});
}

}  // namespace
