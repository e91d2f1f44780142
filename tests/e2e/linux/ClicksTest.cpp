// Clicks of the real program reaching another X client: at a fixed point and where the
// cursor is, with each button and action, and the title counting them.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QStyleHints>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ProgramDriver.h"

namespace e2e {
namespace {

// The click target lies right of the main window (centred on a 1280 x 1024 screen).
constexpr Rect kTargetWindow{900, 300, 300, 400, 0xFFFFFF};
constexpr int kFixedX = 1000;
constexpr int kFixedY = 450;
constexpr int kCursorX = 1100;
constexpr int kCursorY = 600;

struct Case {
  int buttonIndex;  // in "Mouse Button:"
  unsigned xButton;
  int actionIndex;  // in "Mouse Action:": single, double, down, up
};

std::vector<Case> EveryButtonAndAction() {
  std::vector<Case> cases;
  // X numbers the middle button 2 and the right one 3. Per button the down-only click
  // comes before the up-only one, so that no button stays held.
  for (const auto& [index, xButton] : {std::pair{0, 1u}, std::pair{1, 3u}, std::pair{2, 2u}}) {
    for (int action = 0; action < 4; ++action) cases.push_back({index, xButton, action});
  }
  return cases;
}

class Clicks : public WithTrayHost {
 protected:
  void SetUp() override {
    WithTrayHost::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(target_.Ready());
    ASSERT_TRUE(program_.Started()) << program_.Stderr();
  }

  // One run started with the start hot key (a click on START would move the cursor and,
  // with a button held, end in the target): the events the target got from it.
  std::vector<TargetEvent> RunOnce() {
    const std::size_t before = target_.Events().size();
    Xdotool({"key", "ctrl+F2"});
    EXPECT_TRUE(program_.WaitViewable(false)) << "the window stayed";
    EXPECT_TRUE(program_.WaitViewable(true)) << "the window did not come back";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return EventsAfter(target_, before);
  }

  // Each button and action once, clicking at (x, y): after `aim` has put the cursor
  // wherever the test wants it.
  void CheckEveryButtonAndAction(int x, int y, const std::function<void()>& aim) {
    const auto doubleClickTime =
        static_cast<unsigned long>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    for (const Case& c : EveryButtonAndAction()) {
      SCOPED_TRACE("button " + std::to_string(c.xButton) + ", action " +
                   std::to_string(c.actionIndex));
      program_.Choose(spots::kCbButton, c.buttonIndex);
      program_.Choose(spots::kCbClick, c.actionIndex);
      aim();
      if (c.actionIndex == 3) {
        // Up only: X drops the release of a button that is not down, so the button is
        // held over the target first, as a user would hold it.
        const std::size_t before = target_.Events().size();
        Xdotool({"mousedown", std::to_string(c.xButton)});
        ASSERT_TRUE(target_.WaitForEvents(before + 1));
      }
      const std::vector<TargetEvent> events = RunOnce();

      std::vector<std::string> expected;
      switch (c.actionIndex) {
        case 0:
          expected = {"ButtonPress", "ButtonRelease"};
          break;
        case 1:
          expected = {"ButtonPress", "ButtonRelease", "ButtonPress", "ButtonRelease"};
          break;
        case 2:
          expected = {"ButtonPress"};
          break;
        default:
          expected = {"ButtonRelease"};
          break;
      }
      ASSERT_EQ(events.size(), expected.size());
      for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].type, expected[i]);
        EXPECT_EQ(events[i].button, c.xButton);
        EXPECT_EQ(events[i].xRoot, x);
        EXPECT_EQ(events[i].yRoot, y);
      }
      if (c.actionIndex == 1) {
        // Two presses on the same spot within the double-click time: a Qt widget (or any
        // toolkit with that time) sees a double click.
        EXPECT_LT(events[2].time - events[0].time, doubleClickTime);
      }
      if (c.actionIndex == 2) {
        const std::size_t before = target_.Events().size();
        Xdotool({"mouseup", std::to_string(c.xButton)});
        ASSERT_TRUE(target_.WaitForEvents(before + 1));
      }
    }
  }

  void StopAfter(const std::string& times) {
    program_.Click(spots::kRbStopClick);
    program_.SetText(spots::kEdStopTimes, times);
  }

  ClickTarget target_{kTargetWindow};
  Pilgrove program_;
};

TEST_F(Clicks, AtAFixedPointWithEachButtonAndAction) {
  program_.Click(spots::kRbFixed);
  program_.SetText(spots::kEdPX, std::to_string(kFixedX));
  program_.SetText(spots::kEdPY, std::to_string(kFixedY));
  StopAfter("1");
  // The cursor away from the point: the program moves it there for each click.
  CheckEveryButtonAndAction(kFixedX, kFixedY, [] {
    Xdotool({"mousemove", std::to_string(kCursorX), "350"});
  });
}

TEST_F(Clicks, WhereTheCursorIsWithEachButtonAndAction) {
  StopAfter("1");
  CheckEveryButtonAndAction(kCursorX, kCursorY, [] {
    Xdotool({"mousemove", std::to_string(kCursorX), std::to_string(kCursorY)});
  });
}

TEST_F(Clicks, TitleCountsTheClicksAndTheWindowComesBackAfterTheLast) {
  program_.Click(spots::kRbFixed);
  program_.SetText(spots::kEdPX, std::to_string(kFixedX));
  program_.SetText(spots::kEdPY, std::to_string(kFixedY));
  program_.SetText(spots::kEdIntSecond, "0");
  program_.SetText(spots::kEdIntTen, "3");  // a click every 0.3 s
  StopAfter("3");
  ASSERT_EQ(program_.Title(), "Pilgrove 4.1.6");

  const std::size_t before = target_.Events().size();
  program_.Click(spots::kBtnStart);
  std::vector<std::string> titles;
  bool hiddenWhileRunning = true;
  WaitFor(
      [&] {
        const std::string title = program_.Title();
        if (titles.empty() || titles.back() != title) {
          titles.push_back(title);
          // Mid-run; at its ends the caption and the window change one after the other.
          if (title == "Pilgrove 4.1.6   times:1" && program_.Viewable()) {
            hiddenWhileRunning = false;
          }
        }
        return titles.size() > 1 && title == "Pilgrove 4.1.6";
      },
      std::chrono::seconds(10));
  if (!titles.empty() && titles.front() == "Pilgrove 4.1.6") titles.erase(titles.begin());

  // The last count may be overwritten before anyone reads it; the rest comes in order.
  std::vector<std::string> expected = {"Pilgrove 4.1.6  running..", "Pilgrove 4.1.6   times:1",
                                       "Pilgrove 4.1.6   times:2"};
  if (titles.size() == 5) expected.push_back("Pilgrove 4.1.6   times:3");
  expected.push_back("Pilgrove 4.1.6");
  EXPECT_EQ(titles, expected);
  EXPECT_TRUE(hiddenWhileRunning);
  EXPECT_TRUE(program_.WaitViewable(true));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(EventsAfter(target_, before).size(), 6u) << "three clicks and no more";
}

}  // namespace
}  // namespace e2e
