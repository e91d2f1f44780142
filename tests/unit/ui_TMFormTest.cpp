// The main window: creation, Start and Stop, the hot keys, the tray icon, minimising,
// closing, a setting that is not a number, and the silent exception sink.
#include <string>
#include <vector>

#include "toolkit/TRadioButton.h"
#include "ui_Fixture.h"

namespace ui_test {
namespace {

using platform::kModControl;
using toolkit::TRadioButton;

constexpr std::uint32_t kModAlt = 1;
constexpr std::uint32_t kModShift = 4;

// Every radio button of the settings panel.
std::vector<TRadioButton*> RadioButtons(TfrmDefine& panel) {
  return {panel.rbCurrent,   panel.rbFixed, panel.rbColor,    panel.rbBMP,
          panel.rbFulll,     panel.rbPart,  panel.rbIntFixed, panel.rbIntRan,
          panel.rbNow,       panel.rbAt,    panel.rbAfter,    panel.rbStopOrder,
          panel.rbStopClick, panel.rbNo,    panel.rbBack,     panel.rbBackClick};
}

class MainFormTest : public MainWindowTest {
 protected:
  // The window as the idle state has it.
  void ExpectIdle() {
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->Caption(), kIdle);
    EXPECT_TRUE(form->btnStart->Enabled());
    EXPECT_FALSE(form->btnStop->Enabled());
    EXPECT_TRUE(panel->plMain->Enabled());
    for (TRadioButton* radio : RadioButtons(*panel)) EXPECT_TRUE(radio->Enabled()) << radio->Name();
  }
  // The controls as a run has them, the window shown or not.
  void ExpectLocked() {
    EXPECT_FALSE(form->btnStart->Enabled());
    EXPECT_TRUE(form->btnStop->Enabled());
    EXPECT_FALSE(panel->plMain->Enabled());
    for (TRadioButton* radio : RadioButtons(*panel))
      EXPECT_FALSE(radio->Enabled()) << radio->Name();
  }
  TBaseCtrl& Runner() { return *form->Runner(); }
  // Fixed point at (100, 50), one click a second.
  void SetUpFixedPoint() {
    ASSERT_TRUE(panel->rbFixed->UserClick());
    PasteOver(*panel->edPX, "100");
    PasteOver(*panel->edPY, "50");
  }
  static std::size_t Clicks() {
    std::size_t clicks = 0;
    for (const auto& event : platform::sim::InputLog()) {
      if (event.flags == platform::kMouseLeftDown) ++clicks;
    }
    return clicks;
  }
};

// ---- Creation ------------------------------------------------------------------------

TEST_F(MainFormTest, CreationSetsUpTheWindowTrayIconHotKeysAndRunner) {
  EXPECT_EQ(form->Name(), "MainForm");
  EXPECT_EQ(toolkit::Application.MainForm(), form);
  EXPECT_EQ(form->ClientWidth(), 437);
  EXPECT_EQ(form->ClientHeight(), 607);
  EXPECT_EQ(form->BorderStyle(), toolkit::bsSingle);
  EXPECT_EQ(form->BorderIcons(), toolkit::biSystemMenu | toolkit::biMinimize);
  EXPECT_EQ(form->Position(), toolkit::poDesktopCenter);
  EXPECT_TRUE(form->KeyPreview());
  ASSERT_EQ(form->Menu(), form->MainMenu);
  ASSERT_EQ(form->MainMenu->Items().Count(), 2);
  EXPECT_EQ(form->MainMenu->Items().Items(0), form->m1);
  EXPECT_EQ(form->m1->Caption(), "About");
  EXPECT_EQ(form->m2->Caption(), "Help");
  EXPECT_EQ(panel->BoundsRect(), (toolkit::TRect{8, 2, 431, 568}));
  EXPECT_EQ(panel->plMain->BoundsRect(), (toolkit::TRect{0, 0, 423, 566}));

  const auto& icons = platform::sim::TrayIcons();
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0].cbSize, 88u);
  EXPECT_EQ(icons[0].hWnd, form->Handle());
  EXPECT_EQ(icons[0].uID, 1u);
  EXPECT_EQ(icons[0].uFlags, 7u);
  EXPECT_EQ(icons[0].uCallbackMessage, 2102u);
  EXPECT_EQ(icons[0].szTip, "Pilgrove");

  EXPECT_TRUE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 1));
  EXPECT_TRUE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 2));
  EXPECT_EQ(form->lblNote->Caption(), "");
  ASSERT_NE(form->Runner(), nullptr);
  EXPECT_FALSE(Runner().running);
  EXPECT_EQ(panel->dtpTime->DateTime(), toolkit::Now());
  ExpectIdle();
}

TEST_F(MainFormTest, EveryControlLiesInsideItsParentAndWindowedSiblingsDoNotOverlap) {
  std::vector<toolkit::TWinControl*> containers = {form};
  for (std::size_t i = 0; i < containers.size(); ++i) {
    toolkit::TWinControl& parent = *containers[i];
    for (int a = 0; a < parent.ControlCount(); ++a) {
      toolkit::TControl& child = *parent.Controls(a);
      const toolkit::TRect r = child.BoundsRect();
      EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= parent.ClientWidth() &&
                  r.Bottom <= parent.ClientHeight())
          << child.Name() << " in " << parent.Name();
      auto* windowed = dynamic_cast<toolkit::TWinControl*>(&child);
      if (windowed == nullptr) continue;
      containers.push_back(windowed);
      for (int b = a + 1; b < parent.ControlCount(); ++b) {
        auto* other = dynamic_cast<toolkit::TWinControl*>(parent.Controls(b));
        if (other == nullptr) continue;
        const toolkit::TRect o = other->BoundsRect();
        const bool apart =
            r.Right <= o.Left || o.Right <= r.Left || r.Bottom <= o.Top || o.Bottom <= r.Top;
        EXPECT_TRUE(apart) << child.Name() << " overlaps " << other->Name();
      }
    }
  }
}

// ---- Start and Stop --------------------------------------------------------------------

TEST_F(MainFormTest, StartHidesLocksCopiesAndStartsTheCountdown) {
  ASSERT_TRUE(panel->cbButton->UserSelect(1));
  ASSERT_TRUE(panel->rbFixed->UserClick());
  ASSERT_TRUE(panel->btnCapture->UserClick());
  ASSERT_TRUE(form->btnStart->UserClick());
  EXPECT_FALSE(panel->timerSetPoint->Enabled());  // the capture ended
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->Caption(), kRunning);
  ExpectLocked();
  EXPECT_EQ(Runner().mouseButton, cbRight);
  EXPECT_EQ(Runner().targetMode, ctFixed);
  ASSERT_NE(Runner().timer, nullptr);
  EXPECT_EQ(toolkit::headless::NextTick(*Runner().timer), 1000);
  // Only the radio buttons and the panel are locked.
  EXPECT_TRUE(form->btnExit->Enabled());
  EXPECT_TRUE(panel->gbPoint->Enabled());
  EXPECT_TRUE(panel->rbFixed->Checked());
}

TEST_F(MainFormTest, StopBringsTheWindowBackInOrder) {
  ASSERT_TRUE(form->btnStart->UserClick());
  toolkit::headless::Advance(1000);
  ASSERT_TRUE(Runner().running);
  form->SetWindowState(toolkit::wsMinimized);
  ClickTray();  // the Stop button can be reached with the window shown through the tray
  ASSERT_TRUE(form->Visible());
  form->Hide();
  // What the window holds when it shows again: everything before that step done, the
  // caption after it.
  bool shown = false;
  form->OnShow = [&](toolkit::TObject*) {
    shown = true;
    EXPECT_FALSE(Runner().running);
    EXPECT_EQ(form->WindowState(), toolkit::wsNormal);
    EXPECT_TRUE(form->btnStart->Enabled());
    EXPECT_FALSE(form->btnStop->Enabled());
    EXPECT_TRUE(panel->plMain->Enabled());
    EXPECT_TRUE(panel->rbNow->Enabled());
    EXPECT_EQ(form->Caption(), kRunning);
  };
  form->btnStopClick(nullptr);
  EXPECT_TRUE(shown);
  ExpectIdle();
  EXPECT_EQ(toolkit::Screen.Forms(0), form);  // raised
  const std::size_t clicks = Clicks();
  toolkit::headless::Advance(5000);
  EXPECT_EQ(Clicks(), clicks);
}

TEST_F(MainFormTest, StopWhileIdleShowsAndResetsTheWindow) {
  ClickTray();
  ASSERT_FALSE(form->Visible());
  form->SetCaption("something else");
  form->btnStopClick(nullptr);
  ExpectIdle();
}

TEST_F(MainFormTest, StartWithAFieldThatIsNotANumberComesBackAndSaysWhichField) {
  Empty(*panel->edIntSecond);
  ASSERT_TRUE(form->btnStart->UserClick());
  ExpectIdle();
  EXPECT_EQ(form->ActiveControl(), panel->edIntSecond);
  EXPECT_EQ(form->lblNote->Caption(), "Enter a number in \"Click Interval, Sec\"");
  EXPECT_TRUE(Runner().timer == nullptr || !Runner().timer->Enabled());
  // ApplyTo's partial copy stands: the fields before the interval were copied.
  EXPECT_EQ(Runner().startDelay, 60);
  EXPECT_EQ(Runner().repeatTimes, 100);  // the runner's own, untouched

  // A field in a group that is switched off cannot take the focus: it is named all the same.
  Type(*panel->edIntSecond, "1");
  ASSERT_TRUE(panel->rbFixed->UserClick());
  Empty(*panel->edPY);
  ASSERT_TRUE(panel->rbCurrent->UserClick());
  ASSERT_TRUE(form->btnStart->UserClick());
  ExpectIdle();
  EXPECT_EQ(form->lblNote->Caption(), "Enter a number in \"Specify click point, Y\"");

  // Mended, the next Start runs and the note goes.
  ASSERT_TRUE(panel->rbFixed->UserClick());
  Type(*panel->edPY, "5");
  ASSERT_TRUE(form->btnStart->UserClick());
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->lblNote->Caption(), "");
  EXPECT_EQ(Runner().pointY, 5);
}

TEST_F(MainFormTest, AFieldThatIsNotANumberUnderTheStartHotKeyDuringACountdownStopsIt) {
  ASSERT_TRUE(PressHotKey(2));
  ASSERT_NE(Runner().timer, nullptr);
  ASSERT_TRUE(Runner().timer->Enabled());
  panel->edStopTimes->SetText("");  // the panel is locked; only code can do this now
  ASSERT_TRUE(PressHotKey(2));
  ExpectIdle();
  EXPECT_FALSE(Runner().timer->Enabled());
  EXPECT_EQ(form->lblNote->Caption(), "Enter a number in \"Stop till repeat, times\"");
}

// ---- Hot keys ------------------------------------------------------------------------

TEST_F(MainFormTest, StartHotKeyStartsRestartsOrIsIgnored) {
  ASSERT_TRUE(PressHotKey(2));
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->Caption(), kRunning);
  ExpectLocked();

  // In the countdown: the settings are copied afresh and the countdown starts again.
  toolkit::headless::Advance(600);
  panel->edPX->SetText("77");
  ASSERT_TRUE(PressHotKey(2));
  EXPECT_EQ(Runner().pointX, 77);
  EXPECT_EQ(toolkit::headless::NextTick(*Runner().timer), 1600);

  // In the click phase: nothing.
  toolkit::headless::Advance(1000);
  ASSERT_TRUE(Runner().running);
  panel->edPX->SetText("88");
  const std::int64_t next = toolkit::headless::NextTick(*Runner().timer);
  ASSERT_TRUE(PressHotKey(2));
  EXPECT_EQ(Runner().pointX, 77);
  EXPECT_EQ(toolkit::headless::NextTick(*Runner().timer), next);
  EXPECT_TRUE(Runner().running);

  ASSERT_TRUE(PressHotKey(3));
  ExpectIdle();
  EXPECT_FALSE(Runner().running);
}

TEST_F(MainFormTest, StopHotKeyWhileIdleShowsTheWindow) {
  ASSERT_TRUE(form->UserSystemCommand(toolkit::kScMinimize));
  ASSERT_FALSE(form->Visible());
  ASSERT_TRUE(PressHotKey(3));
  ExpectIdle();
}

TEST_F(MainFormTest, OnlyControlAloneWithTheKeyActs) {
  struct Case {
    std::uint32_t modifiers;
    std::uint32_t fKey;
    bool starts;
  };
  const Case cases[] = {{kModControl, 2, true},
                        {kModControl | kModShift, 2, false},
                        {kModControl | kModAlt, 2, false},
                        {kModShift, 2, false},
                        {kModControl, 4, false}};
  for (const Case& c : cases) {
    form->btnStopClick(nullptr);
    // As the system would post it for a combination registered so.
    toolkit::PostMessage(
        form->Handle(), toolkit::kWmHotKey, 0xC000,
        static_cast<std::intptr_t>(c.modifiers | (platform::kVkF1 + c.fKey - 1) << 16));
    Deliver();
    EXPECT_EQ(!form->Visible(), c.starts) << c.modifiers << " F" << c.fKey;
  }
  // The stop key likewise.
  ASSERT_TRUE(PressHotKey(2));
  toolkit::PostMessage(
      form->Handle(), toolkit::kWmHotKey, 0xC001,
      static_cast<std::intptr_t>((kModControl | kModShift) | (platform::kVkF1 + 2) << 16));
  Deliver();
  EXPECT_FALSE(form->Visible());
}

TEST_F(MainFormTest, OneKeyForStartAndStop) {
  ASSERT_TRUE(panel->cbHKStop->UserSelect(1));  // F2 for both
  EXPECT_EQ(form->lblNote->Caption(), "");      // registered once, and that is enough
  EXPECT_FALSE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 2));
  ASSERT_TRUE(PressHotKey(2));  // idle: starts
  EXPECT_FALSE(form->Visible());
  toolkit::headless::Advance(500);
  ASSERT_TRUE(PressHotKey(2));  // countdown: starts again
  EXPECT_EQ(toolkit::headless::NextTick(*Runner().timer), 1500);
  toolkit::headless::Advance(1000);
  ASSERT_TRUE(Runner().running);
  ASSERT_TRUE(PressHotKey(2));  // clicking: stops
  ExpectIdle();
}

TEST_F(MainFormTest, ChangingAComboReRegistersBothKeysAtOnce) {
  ASSERT_TRUE(panel->cbHKStart->UserSelect(4));
  EXPECT_FALSE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 1));
  EXPECT_TRUE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 4));
  EXPECT_TRUE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 2));
  EXPECT_FALSE(PressHotKey(2));
  ASSERT_TRUE(PressHotKey(5));
  EXPECT_FALSE(form->Visible());
  ASSERT_TRUE(PressHotKey(3));
  EXPECT_TRUE(form->Visible());
  ASSERT_TRUE(panel->cbHKStop->UserSelect(11));
  EXPECT_FALSE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 2));
  EXPECT_TRUE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 11));
}

TEST_F(MainFormTest, AHotKeyHeldByAnotherProgramIsNotedWithoutStoppingTheRest) {
  TearDown();
  UiTest::SetUp();
  platform::sim::TakeHotKeyByOtherProgram(kModControl, platform::kVkF1 + 1);
  MakeWindow();
  EXPECT_EQ(form->lblNote->Caption(), "Ctrl+F2 is in use by another program");
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(platform::sim::TrayIcons().size(), 1u);
  ASSERT_TRUE(form->btnStart->UserClick());
  ASSERT_TRUE(PressHotKey(3));  // the stop key works
  ExpectIdle();

  ASSERT_TRUE(panel->cbHKStart->UserSelect(3));
  EXPECT_EQ(form->lblNote->Caption(), "");
  platform::sim::TakeHotKeyByOtherProgram(kModControl, platform::kVkF1 + 4);
  ASSERT_TRUE(panel->cbHKStop->UserSelect(4));
  EXPECT_EQ(form->lblNote->Caption(), "Ctrl+F5 is in use by another program");
  ASSERT_TRUE(panel->cbHKStart->UserSelect(1));
  EXPECT_EQ(form->lblNote->Caption(), "Ctrl+F2 and Ctrl+F5 are in use by other programs");
  ASSERT_TRUE(panel->cbHKStop->UserSelect(1));
  EXPECT_EQ(form->lblNote->Caption(), "Ctrl+F2 is in use by another program");
}

// ---- Tray icon and minimise ------------------------------------------------------------

TEST_F(MainFormTest, TrayIconReleaseTogglesTheWindowAndNothingElseDoes) {
  ClickTray();
  EXPECT_FALSE(form->Visible());
  for (std::uint32_t message : {0x0200u /* move */, 0x0201u /* left down */,
                                0x0203u /* double click */, 0x0205u /* right up */}) {
    ClickTray(message);
    EXPECT_FALSE(form->Visible()) << message;
  }
  ClickTray();
  EXPECT_TRUE(form->Visible());
  ClickTray();
  EXPECT_FALSE(form->Visible());
}

TEST_F(MainFormTest, TrayIconDuringARunShowsTheLockedWindowAndTheRunGoesOn) {
  SetUpFixedPoint();
  ASSERT_TRUE(form->btnStart->UserClick());
  toolkit::headless::Advance(2000);
  ASSERT_EQ(Clicks(), 1u);
  ClickTray();
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->Caption(), "Pilgrove 4.1.6   times:1");
  ExpectLocked();
  toolkit::headless::Advance(1000);
  EXPECT_EQ(Clicks(), 2u);
  ClickTray();
  EXPECT_FALSE(form->Visible());
  ClickTray();
  ASSERT_TRUE(form->btnStop->UserClick());
  ExpectIdle();
  toolkit::headless::Advance(3000);
  EXPECT_EQ(Clicks(), 2u);
}

TEST_F(MainFormTest, MinimiseHidesInsteadOfMinimising) {
  ASSERT_TRUE(form->UserSystemCommand(toolkit::kScMinimize));
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->WindowState(), toolkit::wsNormal);
  ClickTray();
  EXPECT_TRUE(form->Visible());
  // Other system commands get the default handling.
  ASSERT_TRUE(form->UserSystemCommand(toolkit::kScMinimize | 0x2));
  EXPECT_EQ(form->WindowState(), toolkit::wsMinimized);
}

// ---- Close ---------------------------------------------------------------------------

TEST_F(MainFormTest, CloseReleasesCaptureHotKeysRunnerAndTrayIcon) {
  for (bool byExit : {false, true}) {
    SetUpFixedPoint();
    ASSERT_TRUE(panel->btnCapture->UserClick());
    ASSERT_TRUE(byExit ? form->btnExit->UserClick() : form->UserClose());
    EXPECT_FALSE(panel->timerSetPoint->Enabled());
    EXPECT_FALSE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 1));
    EXPECT_FALSE(platform::sim::IsHotKeyRegistered(kModControl, platform::kVkF1 + 2));
    EXPECT_EQ(form->Runner(), nullptr);
    EXPECT_TRUE(platform::sim::TrayIcons().empty());
    EXPECT_TRUE(toolkit::Application.Terminated());
    TearDown();
    SetUp();
  }
}

TEST_F(MainFormTest, CloseDuringARunEndsTheClicking) {
  SetUpFixedPoint();
  ASSERT_TRUE(form->btnStart->UserClick());
  toolkit::headless::Advance(2000);
  ASSERT_EQ(Clicks(), 1u);
  ClickTray();
  ASSERT_TRUE(form->UserClose());
  EXPECT_EQ(form->Runner(), nullptr);
  // Hot keys already queued behind the close find no runner and do no harm.
  for (std::uint32_t fKey : {2u, 3u}) {
    toolkit::PostMessage(
        form->Handle(), toolkit::kWmHotKey, 0,
        static_cast<std::intptr_t>(kModControl | (platform::kVkF1 + fKey - 1) << 16));
  }
  toolkit::headless::Advance(5000);
  EXPECT_EQ(Clicks(), 1u);
}

// ---- Exceptions --------------------------------------------------------------------------

TEST_F(MainFormTest, AnExceptionInAHandlerIsDroppedSilentlyAndLeavesWhatWasDone) {
  ASSERT_TRUE(panel->rbFixed->UserClick());
  panel->btnCapture->OnClick = [this](toolkit::TObject* sender) {
    panel->btnCaptureClick(sender);
    throw toolkit::EConvertError("'' is not a valid integer value");
  };
  ASSERT_TRUE(panel->btnCapture->UserClick());
  EXPECT_TRUE(panel->timerSetPoint->Enabled());  // done before the failure: stays done
  EXPECT_EQ(toolkit::headless::ShownExceptionCount(), 0);
  platform::SetCursorPos(9, 8);
  toolkit::headless::Advance(10);
  EXPECT_EQ(panel->edPX->Text(), "9");
  // And the window goes on.
  ASSERT_TRUE(form->btnStart->UserClick());
  EXPECT_FALSE(form->Visible());
}

}  // namespace
}  // namespace ui_test
