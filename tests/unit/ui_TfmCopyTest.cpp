// The region picker: the frozen screen, the inverting crosshair and rubber band, and the
// points it reports.
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

#include "toolkit/TScreen.h"
#include "ui/uCopy.h"
#include "ui_Fixture.h"

namespace ui_test {
namespace {

using toolkit::mbLeft;
using toolkit::mbMiddle;
using toolkit::mbRight;

class PickerTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    platform::sim::SetScreenSize(64, 48);
    RecordScreenSize();
    PaintPattern();
  }

  // A picker shown plainly, for driving the mouse without a modal loop.
  std::unique_ptr<TfmCopy> ShownPicker() {
    auto picker = toolkit::MakeForm<TfmCopy>();
    picker->Show();
    return picker;
  }

  // Every pixel of the picker's picture is the screen's, inverted exactly where
  // inverted(x, y) says.
  static void ExpectPicture(const TfmCopy& picker, const std::function<bool(int, int)>& inverted) {
    const toolkit::TBitmap& picture = picker.Image1->Picture();
    ASSERT_EQ(picture.Width(), 64);
    ASSERT_EQ(picture.Height(), 48);
    int wrong = 0;
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x) {
        const std::uint32_t snap = PatternPixel(x, y);
        const std::uint32_t want = inverted(x, y) ? ~snap & 0xFFFFFF : snap;
        if (picture.Pixel(x, y) != want && ++wrong <= 5) {
          ADD_FAILURE() << "pixel " << x << "," << y;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
  // The outline that the platform draws for the corners (x1, y1) and (x2, y2).
  static bool OnOutline(int x, int y, int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2), right = std::max(x1, x2) - 1;
    const int top = std::min(y1, y2), bottom = std::max(y1, y2) - 1;
    if (right < left || bottom < top) return false;
    const bool inColumns = x >= left && x <= right;
    const bool inRows = y >= top && y <= bottom;
    return (inColumns && (y == top || y == bottom)) || (inRows && (x == left || x == right));
  }
  // The crosshair at (cx, cy): its column and row, the crossing drawn twice.
  static bool OnCrosshair(int x, int y, int cx, int cy) { return (x == cx) != (y == cy); }

  // Runs the picker modally with the user's actions done on its image.
  static toolkit::TModalResult RunModal(TfmCopy& picker,
                                        const std::function<void(toolkit::TImage&)>& act) {
    toolkit::headless::QueueUserStep([&] { act(*picker.Image1); });
    return picker.ShowModal();
  }
};

TEST_F(PickerTest, CreationFreezesTheScreenAndCoversIt) {
  auto picker = toolkit::MakeForm<TfmCopy>();
  EXPECT_EQ(picker->BorderStyle(), toolkit::bsNone);
  EXPECT_EQ(picker->WindowState(), toolkit::wsMaximized);
  EXPECT_EQ(picker->BoundsRect(), (toolkit::TRect{0, 0, 64, 48}));
  EXPECT_EQ(picker->Image1->BoundsRect(), (toolkit::TRect{0, 0, 64, 48}));
  EXPECT_FALSE(picker->KeyPreview());
  EXPECT_TRUE(picker->crosshairOn);
  EXPECT_FALSE(picker->dragging);
  EXPECT_EQ(picker->crossX, -1);
  EXPECT_EQ(picker->crossY, -1);
  platform::sim::FillRect(0, 0, 64, 48, 0);  // later changes of the screen do not show
  ExpectPicture(*picker, [](int, int) { return false; });
}

TEST_F(PickerTest, AFailedSnapshotLeavesABlackPicture) {
  platform::sim::FailNextGrab(platform::GrabStatus::kCopyFailed);
  auto picker = toolkit::MakeForm<TfmCopy>();
  const toolkit::TBitmap& picture = picker->Image1->Picture();
  ASSERT_EQ(picture.Width(), 64);
  EXPECT_EQ(picture.Pixel(10, 10), 0u);
  EXPECT_EQ(picture.Pixel(63, 47), 0u);
}

TEST_F(PickerTest, CrosshairFollowsTheMouseAndLeavesEveryOtherPixel) {
  auto picker = ShownPicker();
  ASSERT_TRUE(picker->Image1->UserMouseMove(10, 20));
  ExpectPicture(*picker, [](int x, int y) { return OnCrosshair(x, y, 10, 20); });
  for (auto [x, y] : {std::pair{11, 20}, {40, 3}, {0, 0}, {63, 47}, {30, 30}}) {
    ASSERT_TRUE(picker->Image1->UserMouseMove(x, y));
  }
  EXPECT_EQ(picker->crossX, 30);
  EXPECT_EQ(picker->crossY, 30);
  ExpectPicture(*picker, [](int x, int y) { return OnCrosshair(x, y, 30, 30); });
}

TEST_F(PickerTest, RubberBandRunsFromThePressToTheMouse) {
  auto picker = ShownPicker();
  ASSERT_TRUE(picker->Image1->UserMouseMove(10, 20));
  ASSERT_TRUE(picker->Image1->UserMouseDown(mbLeft, 12, 14));
  EXPECT_TRUE(picker->dragging);
  EXPECT_FALSE(picker->crosshairOn);
  ExpectPicture(*picker, [](int, int) { return false; });  // crosshair gone, no band yet

  ASSERT_TRUE(picker->Image1->UserMouseMove(30, 25));
  ExpectPicture(*picker, [](int x, int y) { return OnOutline(x, y, 12, 14, 30, 25); });
  // Up and to the left of the press, and along its row: no crosshair comes back.
  ASSERT_TRUE(picker->Image1->UserMouseMove(2, 3));
  ASSERT_TRUE(picker->Image1->UserMouseMove(40, 14));
  ASSERT_TRUE(picker->Image1->UserMouseMove(5, 40));
  ExpectPicture(*picker, [](int x, int y) { return OnOutline(x, y, 12, 14, 5, 40); });
  EXPECT_EQ(picker->cornerX, 5);
  EXPECT_EQ(picker->cornerY, 40);
}

TEST_F(PickerTest, PressAndReleaseWithoutAMoveSelectOnePoint) {
  auto picker = toolkit::MakeForm<TfmCopy>();
  const auto result = RunModal(*picker, [](toolkit::TImage& image) {
    image.UserMouseDown(mbLeft, 7, 9);
    image.UserMouseUp(mbLeft, 7, 9);
  });
  EXPECT_EQ(result, toolkit::mrOk);
  EXPECT_EQ(picker->startX, 7);
  EXPECT_EQ(picker->startY, 9);
  EXPECT_EQ(picker->endX, 7);
  EXPECT_EQ(picker->endY, 9);
  EXPECT_FALSE(picker->Visible());
  ExpectPicture(*picker, [](int, int) { return false; });
}

TEST_F(PickerTest, EveryButtonSelectsAndAnUpwardDragIsReportedAsItIs) {
  for (toolkit::TMouseButton button : {mbLeft, mbRight, mbMiddle}) {
    auto picker = toolkit::MakeForm<TfmCopy>();
    const auto result = RunModal(*picker, [button](toolkit::TImage& image) {
      image.UserMouseMove(30, 20);
      image.UserMouseDown(button, 30, 20);
      image.UserMouseMove(10, 8);
      image.UserMouseUp(button, 5, 3);
    });
    EXPECT_EQ(result, toolkit::mrOk) << int(button);
    EXPECT_EQ(picker->startX, 30);
    EXPECT_EQ(picker->startY, 20);
    EXPECT_EQ(picker->endX, 5);
    EXPECT_EQ(picker->endY, 3);
  }
}

TEST_F(PickerTest, ASecondPressEndsTheDragAndLaterReleasesAreIgnored) {
  auto picker = toolkit::MakeForm<TfmCopy>();
  const auto result = RunModal(*picker, [](toolkit::TImage& image) {
    image.UserMouseDown(mbLeft, 4, 4);
    image.UserMouseMove(20, 20);
    image.UserMouseDown(mbRight, 21, 22);  // the left button still held
    image.UserMouseUp(mbRight, 40, 40);
    image.UserMouseUp(mbLeft, 41, 41);
  });
  EXPECT_EQ(result, toolkit::mrOk);
  EXPECT_EQ(picker->endX, 21);
  EXPECT_EQ(picker->endY, 22);
}

TEST_F(PickerTest, AReleaseWithoutAPressAndKeysDoNothing) {
  auto picker = ShownPicker();
  ASSERT_TRUE(picker->Image1->UserMouseMove(10, 10));
  ASSERT_TRUE(picker->Image1->UserMouseUp(mbLeft, 10, 10));
  EXPECT_EQ(picker->ModalResult(), toolkit::mrNone);
  EXPECT_TRUE(picker->crosshairOn);
  for (char key : {'\x1b', 'a', '\r'}) ASSERT_TRUE(picker->UserTypeCharToFocus(key));
  ASSERT_TRUE(picker->UserKeyDownToFocus(toolkit::kVkEscape));
  EXPECT_EQ(picker->ModalResult(), toolkit::mrNone);
  ExpectPicture(*picker, [](int x, int y) { return OnCrosshair(x, y, 10, 10); });
}

TEST_F(PickerTest, TheSystemCloseCancels) {
  auto picker = toolkit::MakeForm<TfmCopy>();
  const auto result = RunModal(*picker, [&](toolkit::TImage& image) {
    image.UserMouseDown(mbLeft, 4, 4);
    image.UserMouseMove(20, 20);
    picker->UserClose();
  });
  EXPECT_EQ(result, toolkit::mrCancel);
}

}  // namespace
}  // namespace ui_test
