// The cursor and XTest button events, checked by what a real X client receives.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/Desktop.h"

namespace {

using platform::Point;

TEST(Cursor, SetCursorPosMovesThePointerAndStaysOnTheScreen) {
  const std::int32_t right = platform::ScreenWidth() - 1;
  const std::int32_t bottom = platform::ScreenHeight() - 1;
  ASSERT_GT(right, 0);
  struct Case {
    std::int32_t x, y;
    Point expected;
  };
  const Case cases[] = {
      {123, 456, {123, 456}},
      {0, 0, {0, 0}},
      {right, bottom, {right, bottom}},
      {5000, -20, {right, 0}},
      // Beyond the protocol's 16 bits: 65636 would wrap to 100.
      {65636, 65586, {right, bottom}},
      {-65436, 100, {0, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
    ASSERT_TRUE(platform::SetCursorPos(c.x, c.y));
    Point pos{-1, -1};
    ASSERT_TRUE(platform::GetCursorPos(pos));
    EXPECT_EQ(pos.x, c.expected.x);
    EXPECT_EQ(pos.y, c.expected.y);
  }
}

TEST(Buttons, EachTransitionReachesTheWindowUnderTheCursor) {
  const e2e::ClickTarget target({200, 150, 400, 300, 0xFFFFFF});
  ASSERT_TRUE(target.Ready());

  struct Expected {
    const char* type;
    unsigned button;
  };
  struct Case {
    const char* name;
    Point at;
    std::vector<std::uint32_t> calls;  // one MouseEvent per entry
    std::vector<Expected> events;
  };
  using namespace platform;
  const Case cases[] = {
      {"left click",
       {210, 160},
       {kMouseLeftDown, kMouseLeftUp},
       {{"ButtonPress", 1}, {"ButtonRelease", 1}}},
      {"right click",
       {590, 440},
       {kMouseRightDown, kMouseRightUp},
       {{"ButtonPress", 3}, {"ButtonRelease", 3}}},
      {"middle click",
       {400, 300},
       {kMouseMiddleDown, kMouseMiddleUp},
       {{"ButtonPress", 2}, {"ButtonRelease", 2}}},
      {"down and up in one call",
       {300, 200},
       {kMouseLeftDown | kMouseLeftUp},
       {{"ButtonPress", 1}, {"ButtonRelease", 1}}},
      {"down only", {250, 350}, {kMouseLeftDown}, {{"ButtonPress", 1}}},
      // X drops the release of a button that is not down, so this one follows the down.
      {"up only", {260, 360}, {kMouseLeftUp}, {{"ButtonRelease", 1}}},
  };

  std::size_t seen = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SetCursorPos(c.at.x, c.at.y));
    // The coordinates of mouse_event have no effect without a move flag.
    for (const std::uint32_t flags : c.calls) MouseEvent(flags, 5, 5);
    ASSERT_TRUE(target.WaitForEvents(seen + c.events.size()));
    const std::vector<e2e::TargetEvent> events = target.Events();
    for (std::size_t i = 0; i < c.events.size(); ++i) {
      const e2e::TargetEvent& event = events[seen + i];
      EXPECT_EQ(event.type, c.events[i].type);
      EXPECT_EQ(event.button, c.events[i].button);
      EXPECT_EQ(event.xRoot, c.at.x);
      EXPECT_EQ(event.yRoot, c.at.y);
      if (i > 0) {
        EXPECT_GE(event.time, events[seen + i - 1].time);
      }
    }
    seen += c.events.size();
  }
  // Nothing more than asked for arrives later.
  EXPECT_FALSE(
      e2e::WaitFor([&] { return target.Events().size() > seen; }, std::chrono::milliseconds(300)));
}

}  // namespace
