// Colour and picture searches finding what the click target paints, over the whole screen
// and in a scope; the colour captured from the screen, the picture and the scope taken with
// the region picker by a real drag.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ProgramDriver.h"

namespace e2e {
namespace {

constexpr std::uint32_t kGreen = 0x129A56;  // a colour nothing else on the screen shows

// Two blocks of the colour and two copies of a three-colour picture, each pair one above
// the other (target window coordinates; the window is at 900, 300).
constexpr Rect kTargetWindow{900, 300, 300, 400, 0xFFFFFF};
const std::vector<Rect> kPainted = {
    {40, 40, 30, 20, kGreen},      // upper block: root 940..969, 340..359
    {200, 300, 30, 20, kGreen},    // lower block: root 1100..1129, 600..619
    {150, 100, 20, 20, 0xFF8800},  // upper picture: root 1050..1089, 400..429
    {170, 100, 20, 20, 0x0044CC}, {150, 120, 40, 10, 0x33AA33},
    {150, 200, 20, 20, 0xFF8800},  // lower picture: root 1050..1089, 500..529
    {170, 200, 20, 20, 0x0044CC}, {150, 220, 40, 10, 0x33AA33},
};

class Search : public WithTrayHost {
 protected:
  void SetUp() override {
    WithTrayHost::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(target_.Ready());
    ASSERT_TRUE(program_.Started()) << program_.Stderr();
    program_.Click(spots::kRbStopClick);
    program_.SetText(spots::kEdStopTimes, "1");
  }

  // Starts a one-click run with the start hot key, the cursor parked off the target, and
  // returns where the target was clicked, or (-1, -1).
  std::pair<int, int> ClickedAt() {
    Xdotool({"mousemove", "60", "980"});
    const std::size_t before = target_.Events().size();
    Xdotool({"key", "ctrl+F2"});
    EXPECT_TRUE(program_.WaitViewable(false));
    EXPECT_TRUE(program_.WaitViewable(true));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::vector<TargetEvent> events = EventsAfter(target_, before);
    if (events.size() != 2 || events[0].type != "ButtonPress") return {-1, -1};
    return {events[0].xRoot, events[0].yRoot};
  }

  // Drags in the region picker that a capture button opens, from one root point to another.
  void DragInPicker(Spot captureButton, int fromX, int fromY, int toX, int toY) {
    program_.Click(captureButton);
    ASSERT_TRUE(program_.WaitViewable(false));
    // The picker: a borderless window over the whole screen, placed before it shows.
    Window picker = 0;
    ASSERT_TRUE(WaitFor([&] {
      for (const Window window : program_.X().TopLevels("pilgrove", "fmCopy")) {
        if (program_.X().Viewable(window)) picker = window;
      }
      return picker != 0;
    }));
    int x = -1;
    int y = -1;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(program_.X().Geometry(picker, x, y, width, height));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 1024);
    const auto step = [](std::vector<std::string> args) {
      Xdotool(args);
      std::this_thread::sleep_for(std::chrono::milliseconds(60));
    };
    step({"mousemove", std::to_string(fromX), std::to_string(fromY)});
    step({"mousedown", "1"});
    step({"mousemove", std::to_string((fromX + toX) / 2), std::to_string((fromY + toY) / 2)});
    step({"mousemove", std::to_string(toX), std::to_string(toY)});
    step({"mouseup", "1"});
    ASSERT_TRUE(program_.WaitViewable(true)) << "the main window did not come back";
    EXPECT_FALSE(program_.X().Viewable(picker));
  }

  ClickTarget target_{kTargetWindow, kPainted};
  Pilgrove program_;
};

TEST_F(Search, ColourCapturedFromTheScreenIsFoundFullScreenAndInAScopeDragged) {
  program_.Click(spots::kRbColor);
  program_.Click(spots::kBtnCaptureColor);
  // The capture follows the cursor until a key is typed in the main window.
  Xdotool({"mousemove", "955", "350"});
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  Xdotool({"key", "x"});
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  Xdotool({"mousemove", "60", "980"});
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(program_.Text(spots::kEdColor), "$00569A12") << "red 12, green 9A, blue 56";

  // The first pixel of the colour, rows from the top: the upper block's corner.
  EXPECT_EQ(ClickedAt(), std::make_pair(940, 340));

  // A scope around the lower block only, dragged out in the picker.
  DragInPicker(spots::kButton1, 1050, 550, 1190, 690);
  EXPECT_EQ(program_.Text(spots::kEdColorT), "550");
  EXPECT_EQ(program_.Text(spots::kEdColorB), "690");
  EXPECT_EQ(program_.Text(spots::kEdColorL), "1050");
  EXPECT_EQ(program_.Text(spots::kEdColorR), "1190");
  program_.Click(spots::kRbPart);
  EXPECT_EQ(ClickedAt(), std::make_pair(1100, 600));
}

TEST_F(Search, PictureCapturedWithThePickerIsFoundFullScreenAndInAScope) {
  program_.Click(spots::kRbBMP);
  // Around the upper copy, with a margin of white: 50 x 40 pixels from (1045, 395).
  DragInPicker(spots::kBtnBMP, 1045, 395, 1095, 435);
  EXPECT_EQ(ClickedAt(), std::make_pair(1045 + 25, 395 + 20)) << "the centre of the match";

  // The lower copy alone lies in this scope.
  program_.SetText(spots::kEdColorL, "1000");
  program_.SetText(spots::kEdColorT, "460");
  program_.SetText(spots::kEdColorR, "1150");
  program_.SetText(spots::kEdColorB, "560");
  program_.Click(spots::kRbPart);
  EXPECT_EQ(ClickedAt(), std::make_pair(1045 + 25, 495 + 20));
}

TEST_F(Search, ScopeDraggedUpAndLeftIsTheOutlinedRectangle) {
  DragInPicker(spots::kButton1, 500, 400, 100, 50);
  EXPECT_EQ(program_.Text(spots::kEdColorT), "50");
  EXPECT_EQ(program_.Text(spots::kEdColorB), "400");
  EXPECT_EQ(program_.Text(spots::kEdColorL), "100");
  EXPECT_EQ(program_.Text(spots::kEdColorR), "500");
}

}  // namespace
}  // namespace e2e
