// A whole job run as the program runs it: the main block's steps, the message loop, and
// the user at the keyboard; clicks land on the simulated desktop.
#include <string>
#include <vector>

#include "ui_Fixture.h"

namespace ui_test {
namespace {

class EndToEndTest : public UiTest {};

TEST_F(EndToEndTest, HotKeyRunClicksAFixedPointAndStopsAfterItsCount) {
  std::vector<std::string> log;
  TMainForm* window = nullptr;
  const auto note = [&](const std::string& what) {
    log.push_back(what + " @" + std::to_string(platform::sim::ClockMs()) + " " +
                  (window->Visible() ? "shown" : "hidden") + " \"" + window->Caption() + "\"");
  };
  const auto advanceTo = [](std::int64_t ms) {
    toolkit::headless::Advance(ms - platform::sim::ClockMs());
  };

  // The user sets up a job: the fixed point (200, 120), 0.5 s apart, three clicks.
  toolkit::headless::QueueUserStep([&] {
    TfrmDefine& panel = *window->frmDefine;
    ASSERT_TRUE(panel.rbFixed->UserClick());
    PasteOver(*panel.edPX, "200");
    PasteOver(*panel.edPY, "120");
    PasteOver(*panel.edIntSecond, "0");
    PasteOver(*panel.edIntTen, "5");
    ASSERT_TRUE(panel.rbStopClick->UserClick());
    PasteOver(*panel.edStopTimes, "3");
    platform::SetCursorPos(5, 5);
  });
  // Ctrl+F2, then the time passes.
  toolkit::headless::QueueUserStep([&] {
    note("ready");
    ASSERT_TRUE(platform::sim::PressHotKey(platform::kModControl, platform::kVkF1 + 1));
    toolkit::headless::Advance(0);
    note("hot key");
    for (std::int64_t at : {1000, 1499, 1500, 2000, 2500}) {
      advanceTo(at);
      note("time");
    }
    advanceTo(10000);
    note("later");
  });

  toolkit::Application.SetTitle("Pilgrove");
  RecordScreenSize();
  window = toolkit::Application.CreateForm<TMainForm>();
  toolkit::Application.Run();  // ends when no user step is left: the window is closed

  EXPECT_EQ(log, (std::vector<std::string>{
                     "ready @0 shown \"Pilgrove 4.1.6\"",
                     "hot key @0 hidden \"Pilgrove 4.1.6  running..\"",
                     "time @1000 hidden \"Pilgrove 4.1.6  running..\"",
                     "time @1499 hidden \"Pilgrove 4.1.6  running..\"",
                     "time @1500 hidden \"Pilgrove 4.1.6   times:1\"",
                     "time @2000 hidden \"Pilgrove 4.1.6   times:2\"",
                     "time @2500 shown \"Pilgrove 4.1.6\"",
                     "later @10000 shown \"Pilgrove 4.1.6\"",
                 }));
  std::vector<std::string> input;
  for (const auto& event : platform::sim::InputLog()) {
    std::string line = std::to_string(event.timeMs) + " " + std::to_string(event.x) + "," +
                       std::to_string(event.y);
    if (event.kind == platform::sim::InputKind::kButton)
      line += " flags " + std::to_string(event.flags);
    input.push_back(line);
  }
  EXPECT_EQ(input, (std::vector<std::string>{
                       "0 5,5",  // the user's own pointing
                       "1500 200,120",
                       "1500 200,120 flags 2",
                       "1500 200,120 flags 4",
                       "2000 200,120",
                       "2000 200,120 flags 2",
                       "2000 200,120 flags 4",
                       "2500 200,120",
                       "2500 200,120 flags 2",
                       "2500 200,120 flags 4",
                   }));
  EXPECT_EQ(toolkit::Application.Title(), "Pilgrove");
  EXPECT_TRUE(platform::sim::TrayIcons().empty());  // closed at the end of the loop
}

}  // namespace
}  // namespace ui_test
