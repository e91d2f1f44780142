// Desktop faults as the whole program meets them: the tray refusing the icon, hot keys
// held by other programs, the shell failing to open a link, a pixel that cannot be read
// at the colour capture, a screen grab failing at the picture capture, and the program
// closing while a "Button Down" run holds a button. The program goes on in each case,
// and the user keeps a way back to the window.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/TBitmap.h"
#include "ui/uCopy.h"
#include "ui_Fixture.h"

namespace ui_test {
namespace {

using platform::kModControl;
namespace sim = platform::sim;

class ProgramFaults : public MainWindowTest {
 protected:
  // The window is made by each test, after it has armed its faults.
  void SetUp() override { UiTest::SetUp(); }

  static std::size_t ButtonEvents() {
    std::size_t events = 0;
    for (const auto& event : sim::InputLog()) events += event.kind == sim::InputKind::kButton;
    return events;
  }
  void ExpectIdle() {
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->Caption(), kIdle);
    EXPECT_TRUE(form->btnStart->Enabled());
    EXPECT_FALSE(form->btnStop->Enabled());
    EXPECT_FALSE(form->Runner()->running);
  }
  // A fixed point at (100, 50), clicked every 100 ms.
  void ClickFixedPoint() {
    ASSERT_TRUE(panel->rbFixed->UserClick());
    PasteOver(*panel->edPX, "100");
    PasteOver(*panel->edPY, "50");
    PasteOver(*panel->edIntSecond, "0");
    PasteOver(*panel->edIntTen, "1");
  }
};

TEST_F(ProgramFaults, WithoutATrayIconTheStopKeyBringsTheWindowBack) {
  sim::RefuseTrayIcons(true);
  MakeWindow();
  EXPECT_TRUE(sim::TrayIcons().empty());
  EXPECT_EQ(form->Caption(), kIdle);
  EXPECT_TRUE(sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 2));
  ClickFixedPoint();

  ASSERT_TRUE(PressHotKey(2));
  EXPECT_FALSE(form->Visible());
  toolkit::headless::Advance(1500);
  EXPECT_GT(ButtonEvents(), 0u);
  ASSERT_TRUE(PressHotKey(3));
  ExpectIdle();
  const std::size_t events = ButtonEvents();
  toolkit::headless::Advance(2000);
  EXPECT_EQ(ButtonEvents(), events);

  // With no icon to come back through, the minimise box leaves a taskbar button.
  ASSERT_TRUE(form->UserSystemCommand(toolkit::kScMinimize));
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->WindowState(), toolkit::wsMinimized);
  ASSERT_TRUE(PressHotKey(3));
  EXPECT_EQ(form->WindowState(), toolkit::wsNormal);

  ASSERT_TRUE(form->UserClose());  // the missing icon is not missed at the close
  EXPECT_EQ(form->Runner(), nullptr);
  EXPECT_FALSE(sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 2));
}

TEST_F(ProgramFaults, WithNeitherTrayIconNorStopKeyTheWindowIsNeverHidden) {
  // Hidden now, the window could not be brought back nor the run stopped: it stays on
  // the screen, and the minimise box minimises it to the taskbar.
  sim::RefuseTrayIcons(true);
  sim::TakeHotKeyByOtherProgram(kModControl, platform::kVkF1 + 2);
  MakeWindow();
  ClickFixedPoint();
  ASSERT_TRUE(form->btnStart->UserClick());
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->Caption(), "Pilgrove 4.1.6  running..");
  toolkit::headless::Advance(1500);
  EXPECT_GT(ButtonEvents(), 0u);
  ASSERT_TRUE(form->btnStop->UserClick());
  ExpectIdle();

  ASSERT_TRUE(form->UserSystemCommand(toolkit::kScMinimize));
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->WindowState(), toolkit::wsMinimized);

  // A free stop key is a way back again.
  ASSERT_TRUE(panel->cbHKStop->UserSelect(5));
  ASSERT_TRUE(form->btnStart->UserClick());
  EXPECT_FALSE(form->Visible());
  ASSERT_TRUE(PressHotKey(6));
  ExpectIdle();
}

TEST_F(ProgramFaults, WithTheTrayIconButNoStopKeyTheTrayBringsTheWindowBack) {
  sim::TakeHotKeyByOtherProgram(kModControl, platform::kVkF1 + 2);
  MakeWindow();
  ClickFixedPoint();
  ASSERT_TRUE(form->btnStart->UserClick());
  EXPECT_FALSE(form->Visible());
  ClickTray();
  EXPECT_TRUE(form->Visible());
  ASSERT_TRUE(form->btnStop->UserClick());
  ExpectIdle();
}

TEST_F(ProgramFaults, AShellThatCannotOpenTheWebPageChangesNothing) {
  sim::FailShellOpens(true);
  MakeWindow();
  ASSERT_TRUE(form->m2->UserClick());
  EXPECT_TRUE(sim::OpenedAddresses().empty());
  EXPECT_EQ(toolkit::headless::ShownExceptionCount(), 0);
  ExpectIdle();
  sim::FailShellOpens(false);
  ASSERT_TRUE(form->m2->UserClick());
  EXPECT_EQ(sim::OpenedAddresses().size(), 1u);
}

TEST_F(ProgramFaults, AColourCapturedFromAnUnreadablePixelIsClickedNowhere) {
  // The colour capture writes the invalid colour, $FFFFFFFF, for a pixel the desktop
  // cannot read. A run with it clicks nothing, not the white pixels on the screen.
  MakeWindow();
  sim::FillRect(0, 0, 320, 240, 0xFFFFFF);
  ASSERT_TRUE(panel->rbColor->UserClick());
  ASSERT_TRUE(panel->btnCaptureColor->UserClick());
  sim::FailPixelReads(true);
  toolkit::headless::Advance(10);
  ASSERT_EQ(panel->edColor->Text(), "$FFFFFFFF");
  ASSERT_TRUE(form->UserTypeCharToFocus(' '));
  sim::FailPixelReads(false);
  PasteOver(*panel->edIntSecond, "0");
  PasteOver(*panel->edIntTen, "1");

  ASSERT_TRUE(PressHotKey(2));
  toolkit::headless::Advance(5000);
  EXPECT_EQ(ButtonEvents(), 0u);
  EXPECT_TRUE(form->Runner()->running);
  ASSERT_TRUE(PressHotKey(3));
  ExpectIdle();
}

TEST_F(ProgramFaults, APictureCaptureWhoseGrabFailsKeepsThePictureItHad) {
  MakeWindow();
  PaintPattern();
  // Selects (10, 12)-(20, 18) in the next picker; arm runs once the picker shows, after
  // it took its own snapshot.
  const auto capture = [&](const std::function<void()>& arm) {
    toolkit::headless::QueueUserStep([&] {
      auto* picker = dynamic_cast<TfmCopy*>(toolkit::Application.ModalForm());
      ASSERT_NE(picker, nullptr);
      arm();
      picker->Image1->UserMouseDown(toolkit::mbLeft, 10, 12);
      picker->Image1->UserMouseMove(20, 18);
      picker->Image1->UserMouseUp(toolkit::mbLeft, 20, 18);
    });
    ASSERT_TRUE(panel->btnBMP->UserClick());
    EXPECT_TRUE(form->Visible());
  };
  ASSERT_TRUE(panel->rbBMP->UserClick());
  capture([] {});
  const toolkit::TBitmap good = panel->ImageBMP->Picture();
  ASSERT_EQ(good.Width(), 10);
  ASSERT_EQ(good.Pixel(0, 0), PatternPixel(10, 12));

  const struct {
    const char* what;
    std::function<void()> arm;
  } faults[] = {
      {"copy", [] { sim::FailNextGrab(platform::GrabStatus::kCopyFailed); }},
      {"extraction", [] { sim::FailNextGrab(platform::GrabStatus::kExtractFailed); }},
      {"memory", [] { sim::RefuseNextAllocations(1); }},
  };
  sim::FillRect(0, 0, 320, 240, 0x000000);  // a later grab would show black
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.what);
    capture(fault.arm);
    const toolkit::TBitmap& now = panel->ImageBMP->Picture();
    ASSERT_EQ(now.Width(), good.Width());
    ASSERT_EQ(now.Height(), good.Height());
    EXPECT_EQ(panel->ImageBMP->Width(), good.Width());
    int differing = 0;
    for (int y = 0; y < good.Height(); ++y) {
      for (int x = 0; x < good.Width(); ++x) differing += now.Pixel(x, y) != good.Pixel(x, y);
    }
    EXPECT_EQ(differing, 0);
  }
}

TEST_F(ProgramFaults, APictureRunStartedWhileMemoryIsShortStillFindsItsPicture) {
  // Each start reloads the runner's decoded picture from the captured one; when that
  // block can't be had, the first tick decodes the picture text again.
  MakeWindow();
  PaintPattern();
  toolkit::TBitmap picture(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) picture.SetPixel(x, y, PatternPixel(60 + x, 40 + y));
  }
  panel->ImageBMP->SetPicture(std::move(picture));
  ASSERT_TRUE(panel->rbBMP->UserClick());
  PasteOver(*panel->edIntSecond, "0");
  PasteOver(*panel->edIntTen, "1");
  for (const bool memoryShort : {false, true}) {
    SCOPED_TRACE(memoryShort);
    sim::ClearLogs();
    if (memoryShort) sim::RefuseNextAllocations(1);
    ASSERT_TRUE(PressHotKey(2));
    toolkit::headless::Advance(1300);
    EXPECT_EQ(form->Runner()->counter, 3);
    ASSERT_FALSE(sim::InputLog().empty());
    EXPECT_EQ(sim::InputLog().back().x, 61);  // the centre of the picture at (60, 40)
    EXPECT_EQ(sim::InputLog().back().y, 41);
    ASSERT_TRUE(PressHotKey(3));
  }
}

TEST_F(ProgramFaults, ClosingDuringAButtonDownRunReleasesTheButton) {
  MakeWindow();
  ClickFixedPoint();
  ASSERT_TRUE(panel->cbButton->UserSelect(1));  // right
  ASSERT_TRUE(panel->cbClick->UserSelect(2));   // Button Down
  ASSERT_TRUE(PressHotKey(2));
  toolkit::headless::Advance(1300);
  ASSERT_EQ(form->Runner()->counter, 3);
  ClickTray();
  ASSERT_TRUE(form->UserClose());
  const auto& log = sim::InputLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().flags, platform::kMouseRightUp);
  std::size_t ups = 0;
  for (const auto& event : log) ups += event.flags == platform::kMouseRightUp;
  EXPECT_EQ(ups, 1u);
  toolkit::headless::Advance(2000);
  EXPECT_EQ(log.back().flags, platform::kMouseRightUp);
}

}  // namespace
}  // namespace ui_test
