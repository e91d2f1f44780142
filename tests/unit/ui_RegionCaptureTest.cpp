// "Capture Picture" and "Capture Scope": the main window out of the way, a selection in
// the region picker, the live screen grabbed or the scope edges written; and the picture
// handed to the runner by ApplyTo.
#include <functional>
#include <memory>

#include "engine/uObject.h"
#include "matching/uFunction.h"
#include "toolkit/TMemoryStream.h"
#include "ui/uCopy.h"
#include "ui_Fixture.h"

namespace ui_test {
namespace {

using toolkit::mbLeft;

class RegionCaptureTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    PaintPattern();
  }

  // Queues the user's part in the picker that the next capture opens, noting what the
  // user saw when it opened.
  void InPicker(std::function<void(TfmCopy&)> act) {
    toolkit::headless::QueueUserStep([this, act] {
      auto* picker = dynamic_cast<TfmCopy*>(toolkit::Application.ModalForm());
      ASSERT_NE(picker, nullptr);
      windowShownInPicker = form->Visible();
      pickerOpenedAt = platform::sim::ClockMs();
      act(*picker);
    });
  }
  void Drag(int x1, int y1, int x2, int y2) {
    InPicker([=](TfmCopy& picker) {
      picker.Image1->UserMouseDown(mbLeft, x1, y1);
      picker.Image1->UserMouseMove(x2, y2);
      picker.Image1->UserMouseUp(mbLeft, x2, y2);
    });
  }
  void CapturePicture() {
    ASSERT_TRUE(panel->rbBMP->UserClick());
    ASSERT_TRUE(panel->btnBMP->UserClick());
  }

  // The picture shows the screen's rectangle at (left, top), width x height.
  void ExpectPictureOfScreen(int left, int top, int width, int height) {
    const toolkit::TBitmap& picture = panel->ImageBMP->Picture();
    ASSERT_EQ(picture.Width(), width);
    ASSERT_EQ(picture.Height(), height);
    EXPECT_EQ(panel->ImageBMP->Width(), width);
    EXPECT_EQ(panel->ImageBMP->Height(), height);
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (picture.Pixel(x, y) != PatternPixel(left + x, top + y)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  bool windowShownInPicker = true;
  std::int64_t pickerOpenedAt = -1;
};

TEST_F(RegionCaptureTest, CapturePictureGrabsTheOutlinedRectangleWhicheverWayItWasDragged) {
  struct Case {
    int x1, y1, x2, y2;
  };
  // Down and right; up and left (the press point is the bottom-right corner); mixed.
  for (const Case& c : {Case{10, 12, 20, 18}, Case{20, 18, 10, 12}, Case{20, 12, 10, 18}}) {
    Drag(c.x1, c.y1, c.x2, c.y2);
    CapturePicture();
    EXPECT_FALSE(windowShownInPicker);
    EXPECT_GE(pickerOpenedAt, 200);  // the hidden window had time to leave the screen
    EXPECT_TRUE(form->Visible());
    ExpectPictureOfScreen(10, 12, 10, 6);
    TearDown();  // a fresh window, and the clock back to 0 for the next case's wait
    SetUp();
  }
}

TEST_F(RegionCaptureTest, CapturePictureReadsTheLiveScreenNotTheFrozenOne) {
  InPicker([](TfmCopy& picker) {
    picker.Image1->UserMouseDown(mbLeft, 0, 0);
    platform::sim::FillRect(0, 0, 320, 240, 0x00FF00);
    picker.Image1->UserMouseUp(mbLeft, 4, 4);
  });
  CapturePicture();
  ASSERT_EQ(panel->ImageBMP->Picture().Width(), 4);
  EXPECT_EQ(panel->ImageBMP->Picture().Pixel(2, 2), 0x00FF00u);
}

TEST_F(RegionCaptureTest, CapturePictureGrabsOnlyOnceTheScreenHadTimeToLoseThePicker) {
  std::int64_t closedAt = -1;
  std::int64_t grabbedAt = -1;
  InPicker([&](TfmCopy& picker) {
    picker.Image1->UserMouseDown(mbLeft, 10, 12);
    picker.Image1->UserMouseUp(mbLeft, 20, 18);
    closedAt = platform::sim::ClockMs();
    platform::sim::OnDesktopCall([&](platform::sim::DesktopCall call) {
      if (call == platform::sim::DesktopCall::kGrabScreen && grabbedAt < 0) {
        grabbedAt = platform::sim::ClockMs();
      }
    });
  });
  CapturePicture();
  platform::sim::OnDesktopCall(nullptr);
  ASSERT_GE(closedAt, 0);
  ASSERT_GE(grabbedAt, 0);
  EXPECT_GE(grabbedAt - closedAt, 200);
  ExpectPictureOfScreen(10, 12, 10, 6);
}

TEST_F(RegionCaptureTest, ACaptureClickWithoutADragReachesToTheScreenEdges) {
  InPicker([](TfmCopy& picker) {
    picker.Image1->UserMouseDown(mbLeft, 100, 200);
    picker.Image1->UserMouseUp(mbLeft, 100, 200);
  });
  CapturePicture();
  ExpectPictureOfScreen(100, 200, 220, 40);
}

TEST_F(RegionCaptureTest, ACancelledPickerChangesNothing) {
  Drag(10, 12, 20, 18);
  CapturePicture();
  const toolkit::TBitmap before = panel->ImageBMP->Picture();
  InPicker([](TfmCopy& picker) { picker.UserClose(); });
  ASSERT_TRUE(panel->btnBMP->UserClick());
  EXPECT_FALSE(windowShownInPicker);
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(panel->ImageBMP->Picture(), before);

  InPicker([](TfmCopy& picker) { picker.UserClose(); });
  ASSERT_TRUE(panel->Button1->UserClick());
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(panel->edColorT->Text(), "0");
  EXPECT_EQ(panel->edColorB->Text(), "768");
  EXPECT_EQ(panel->edColorL->Text(), "0");
  EXPECT_EQ(panel->edColorR->Text(), "1024");
}

TEST_F(RegionCaptureTest, CaptureScopeWritesTheOutlinedEdges) {
  struct Case {
    int x1, y1, x2, y2;
  };
  for (const Case& c :
       {Case{300, 200, 100, 50}, Case{100, 50, 300, 200}, Case{100, 200, 300, 50}}) {
    Drag(c.x1, c.y1, c.x2, c.y2);
    ASSERT_TRUE(panel->Button1->UserClick());
    EXPECT_FALSE(windowShownInPicker);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(panel->edColorT->Text(), "50");
    EXPECT_EQ(panel->edColorB->Text(), "200");
    EXPECT_EQ(panel->edColorL->Text(), "100");
    EXPECT_EQ(panel->edColorR->Text(), "300");
  }
  TBaseCtrl job;
  panel->ApplyTo(job);
  EXPECT_EQ(job.scopeTop, 50);
  EXPECT_EQ(job.scopeBottom, 200);
  EXPECT_EQ(job.scopeLeft, 100);
  EXPECT_EQ(job.scopeRight, 300);
  EXPECT_TRUE(panel->rbFulll->Checked());  // the search area is the user's to choose
}

TEST_F(RegionCaptureTest, APointCaptureGoesOnThroughAScopeCapture) {
  ASSERT_TRUE(panel->rbFixed->UserClick());
  ASSERT_TRUE(panel->btnCapture->UserClick());
  InPicker([](TfmCopy& picker) {
    platform::SetCursorPos(33, 44);
    toolkit::headless::Advance(10);
    picker.Image1->UserMouseDown(mbLeft, 1, 1);
    picker.Image1->UserMouseUp(mbLeft, 2, 2);
  });
  ASSERT_TRUE(panel->Button1->UserClick());
  EXPECT_EQ(panel->edPX->Text(), "33");
  EXPECT_EQ(panel->edPY->Text(), "44");
  EXPECT_TRUE(panel->timerSetPoint->Enabled());
}

TEST_F(RegionCaptureTest, ApplyToHandsTheCapturedPictureToTheRunner) {
  Drag(40, 30, 48, 35);  // 8 x 5
  CapturePicture();
  TBaseCtrl job;
  panel->ApplyTo(job);
  ASSERT_FALSE(job.pictureText.empty());
  const std::unique_ptr<toolkit::TMemoryStream> bytes = TextToPicture(job.pictureText);
  bytes->SetPosition(0);
  toolkit::TBitmap decoded;
  ASSERT_TRUE(decoded.LoadFromStream(*bytes));
  EXPECT_EQ(decoded, panel->ImageBMP->Picture());

  // A runner that decoded an earlier picture gets its decoded copy replaced too.
  Drag(0, 0, 3, 2);
  CapturePicture();
  ASSERT_NE(job.GetPicture(), nullptr);
  ASSERT_EQ(job.GetPicture()->width(), 8);
  panel->ApplyTo(job);
  EXPECT_EQ(job.GetPicture()->width(), 3);
  EXPECT_EQ(job.GetPicture()->height(), 2);
}

TEST_F(RegionCaptureTest, WithoutAPictureTheRunnersPictureIsEmptied) {
  TBaseCtrl job;
  {
    // A picture left in the runner from somewhere else, decoded.
    Drag(0, 0, 3, 2);
    CapturePicture();
    panel->ApplyTo(job);
    ASSERT_EQ(job.GetPicture()->width(), 3);
  }
  TearDown();
  UiTest::SetUp();
  MakeWindow();
  panel->ApplyTo(job);
  EXPECT_EQ(job.pictureText, "");
  ASSERT_NE(job.pictureCache, nullptr);
  EXPECT_EQ(job.pictureCache->width(), 0);
}

}  // namespace
}  // namespace ui_test
