// Ten thousand runs started and stopped through the hot keys (PILGROVE_LONG_RUNS; fewer
// in every unit run), the stop arriving at every point of a run: before, at and after
// each tick's due time, inside the countdown tick and a click tick as they begin, and at
// each call a click tick makes to the desktop. Once the stop has been handled no button
// is pressed, the window is idle, and the heap ends where it began.
#include <cstdint>
#include <iostream>
#include <string>

#include "reliability_LongRun.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TTimer.h"
#include "ui_Fixture.h"

namespace ui_test {
namespace {

namespace sim = platform::sim;

constexpr std::uint32_t kStartKey = 2;  // Ctrl+F2, Ctrl+F3: the panel's defaults
constexpr std::uint32_t kStopKey = 3;
constexpr int kTargets = 5;
// Where the stop comes: at the k-th desktop call after the start (12), at a time after
// the start (12; the countdown ends at 1000 ms, clicks follow every 10 ms), or queued as
// the countdown tick or a click tick begins (2).
constexpr int kDesktopCallPoints = 12;
constexpr std::int64_t kStopTimes[] = {0,    1,    999,  1000, 1001, 1009,
                                       1010, 1011, 1020, 1025, 1500, 3000};
constexpr int kTimePoints = sizeof kStopTimes / sizeof kStopTimes[0];
constexpr int kStopPoints = kDesktopCallPoints + kTimePoints + 2;

class HotKeyCycles : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // A red dot, and a 3 x 2 picture captured earlier that shows at (200, 100).
    sim::SetPixel(30, 40, 0xFF0000);
    toolkit::TBitmap picture(3, 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        const std::uint32_t rgb = PatternPixel(x, y + 1);
        picture.SetPixel(x, y, rgb);
        sim::SetPixel(200 + x, 100 + y, rgb);
      }
    }
    panel->ImageBMP->SetPicture(std::move(picture));
    // Clicks every 10 ms, from right now on.
    PasteOver(*panel->edIntSecond, "0");
    PasteOver(*panel->edIntTen2, "1");
    ASSERT_TRUE(panel->rbFixed->UserClick());  // enables the point's edits
    PasteOver(*panel->edPX, "100");
    PasteOver(*panel->edPY, "50");
    PasteOver(*panel->edStopTimes, "3");
    sim::OnDesktopCall([this](sim::DesktopCall call) { OnDesktopCall(call); });
  }
  void TearDown() override {
    sim::OnDesktopCall(nullptr);
    MainWindowTest::TearDown();
  }

  // Every call the program makes to the desktop passes here.
  void OnDesktopCall(sim::DesktopCall call) {
    // The window is idle again once the stop has been handled: no button after that.
    if (call == sim::DesktopCall::kMouseEvent && form->btnStart->Enabled()) ++clicksWhileIdle;
    if (callsUntilStop >= 0 && callsUntilStop-- == 0) {
      ASSERT_TRUE(sim::PressHotKey(platform::kModControl, platform::kVkF1 + kStopKey - 1));
    }
  }

  void ChooseTarget(int target) {
    toolkit::TRadioButton* radios[] = {panel->rbCurrent, panel->rbFixed, panel->rbColor,
                                       panel->rbColor, panel->rbBMP};
    ASSERT_TRUE(radios[target]->UserClick());
    panel->edColor->SetText(target == 3 ? "clBlue" : "clRed");  // blue shows nowhere
  }

  // One run from the start key to the stop, which arrives at the given point.
  void Cycle(int target, int point, bool repeat) {
    ChooseTarget(target);
    ASSERT_TRUE((repeat ? panel->rbStopClick : panel->rbStopOrder)->UserClick());
    const std::int64_t started = sim::ClockMs();
    ASSERT_TRUE(PressHotKey(kStartKey));
    ASSERT_FALSE(form->Visible());
    TBaseCtrl& runner = *form->Runner();
    if (point < kDesktopCallPoints) {
      callsUntilStop = point;
      toolkit::headless::Advance(1100);
      callsUntilStop = -1;
      if (!form->btnStart->Enabled()) {  // the run made fewer calls than that
        ASSERT_TRUE(PressHotKey(kStopKey));
      }
    } else if (point < kDesktopCallPoints + kTimePoints) {
      toolkit::headless::Advance(kStopTimes[point - kDesktopCallPoints]);
      ASSERT_TRUE(PressHotKey(kStopKey));
    } else {
      // Queued just as a tick begins, the key is handled inside it: the countdown's only
      // tick, or the second click tick, fired as the message loop would fire it.
      const bool countdown = point == kStopPoints - 2;
      toolkit::headless::Advance(countdown ? 999 : 1019);
      ASSERT_TRUE(sim::PressHotKey(platform::kModControl, platform::kVkF1 + kStopKey - 1));
      if (runner.timer->Enabled()) runner.timer->Tick();
    }
    toolkit::headless::Advance(100);
    ASSERT_TRUE(form->Visible());
    ASSERT_EQ(form->Caption(), kIdle);
    ASSERT_TRUE(form->btnStart->Enabled());
    ASSERT_FALSE(runner.running);
    ASSERT_FALSE(runner.timer->Enabled());
    ASSERT_EQ(clicksWhileIdle, 0) << "target " << target << ", stop point " << point << ", "
                                  << sim::ClockMs() - started << " ms after the start";
  }

  int callsUntilStop = -1;
  int clicksWhileIdle = 0;
};

TEST_F(HotKeyCycles, NoClickAfterAStopWhereverItArrivesAndTheHeapStaysFlat) {
  const std::int64_t cycles = long_run::Length(10000, 300);
  std::size_t heapBefore = 0;
  std::int64_t clicks = 0;
  for (std::int64_t i = 0; i < cycles; ++i) {
    // The first full sweep of targets and stop points warms up what is kept for good.
    if (i == kTargets * kStopPoints) heapBefore = long_run::HeapInUse();
    const int target = static_cast<int>(i % kTargets);
    const int point = static_cast<int>(i / kTargets % kStopPoints);
    const bool repeat = i / (kTargets * kStopPoints) % 2 == 1;
    sim::ClearLogs();
    Cycle(target, point, repeat);
    if (HasFatalFailure()) return;
    clicks += form->Runner()->counter;
  }
  const std::size_t heapAfter = long_run::HeapInUse();
  std::cout << "[ figures  ] " << cycles << " start/stop cycles, " << clicks
            << " clicks; heap in use " << heapBefore << " -> " << heapAfter << " bytes\n";
  EXPECT_GT(clicks, 0);
  ASSERT_NE(heapBefore, 0u);
  EXPECT_LE(heapAfter, heapBefore + 16 * 1024);
}

}  // namespace
}  // namespace ui_test
