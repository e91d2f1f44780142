// The settings panel: defaults, the copy into the runner, the digit filter, the enabling
// rule, the spinners and the point and colour capture.
#include <string>
#include <vector>

#include "engine/uObject.h"
#include "matching/uFunction.h"
#include "toolkit/TMemoryStream.h"
#include "toolkit/TScreen.h"
#include "ui_Fixture.h"

namespace ui_test {
namespace {

using toolkit::TEdit;

class PanelTest : public MainWindowTest {
 protected:
  // A runner whose every field differs from what the untouched panel gives, so that a
  // field the copy skips shows.
  static void Scramble(TBaseCtrl& job) {
    job.targetMode = ctPicture;
    job.pointX = job.pointY = -7;
    job.startMode = smAfter;
    job.startTime = "old";
    job.startDelay = -7;
    job.mouseButton = cbMiddle;
    job.mouseAction = caUp;
    job.interval = -7;
    job.randomMin = job.randomMax = -7;
    job.randomInterval = true;
    job.stopMode = stRepeat;
    job.repeatTimes = -7;
    job.hotKeyStart = job.hotKeyStop = 9;
    job.afterClick = acBackClick;
    job.colorName = "old";
    job.partScreen = true;
    job.scopeTop = job.scopeBottom = job.scopeLeft = job.scopeRight = -7;
    job.pictureText = "AAAA";  // decodes, but to no picture
    job.colorSimilar = job.pictureSimilar = -7;
  }
};

TEST_F(PanelTest, ApplyToOnAnUntouchedPanelCopiesEveryDefault) {
  TBaseCtrl job;
  Scramble(job);
  panel->ApplyTo(job);
  EXPECT_EQ(job.targetMode, ctCurrent);
  EXPECT_EQ(job.pointX, 1000);
  EXPECT_EQ(job.pointY, 600);
  EXPECT_EQ(job.startMode, smNow);
  EXPECT_EQ(job.startTime, "09:00:00");  // the window was made at the clock's 09:00:00
  EXPECT_EQ(job.startDelay, 60);
  EXPECT_EQ(job.mouseButton, cbLeft);
  EXPECT_EQ(job.mouseAction, caSingle);
  EXPECT_EQ(job.interval, 1000);
  EXPECT_EQ(job.randomMin, 100);
  EXPECT_EQ(job.randomMax, 5000);
  EXPECT_FALSE(job.randomInterval);
  EXPECT_EQ(job.stopMode, stCommand);
  EXPECT_EQ(job.repeatTimes, 1);
  EXPECT_EQ(job.hotKeyStart, 1);
  EXPECT_EQ(job.hotKeyStop, 2);
  EXPECT_EQ(job.afterClick, acNothing);
  EXPECT_EQ(job.colorName, "clBlack");
  EXPECT_FALSE(job.partScreen);
  EXPECT_EQ(job.scopeTop, 0);
  EXPECT_EQ(job.scopeBottom, 768);
  EXPECT_EQ(job.scopeLeft, 0);
  EXPECT_EQ(job.scopeRight, 1024);
  EXPECT_EQ(job.pictureText, "");
  EXPECT_EQ(job.colorSimilar, 100);
  EXPECT_EQ(job.pictureSimilar, 100);
}

TEST_F(PanelTest, ApplyToCopiesTheChoicesOfEveryList) {
  ASSERT_TRUE(panel->rbBMP->UserClick());
  ASSERT_TRUE(panel->rbAfter->UserClick());
  ASSERT_TRUE(panel->cbButton->UserSelect(2));
  ASSERT_TRUE(panel->cbClick->UserSelect(1));
  ASSERT_TRUE(panel->rbIntRan->UserClick());
  ASSERT_TRUE(panel->rbStopClick->UserClick());
  ASSERT_TRUE(panel->rbBackClick->UserClick());
  ASSERT_TRUE(panel->rbPart->UserClick());
  ASSERT_TRUE(panel->cbHKStart->UserSelect(11));
  ASSERT_TRUE(panel->cbHKStop->UserSelect(0));
  ASSERT_TRUE(panel->dtpTime->UserSetDateTime(toolkit::EncodeTime(23, 5, 7, 0)));
  TBaseCtrl job;
  panel->ApplyTo(job);
  EXPECT_EQ(job.targetMode, ctPicture);
  EXPECT_EQ(job.startMode, smAfter);
  EXPECT_EQ(job.mouseButton, cbMiddle);
  EXPECT_EQ(job.mouseAction, caDouble);
  EXPECT_TRUE(job.randomInterval);
  EXPECT_EQ(job.stopMode, stRepeat);
  EXPECT_EQ(job.afterClick, acBackClick);
  EXPECT_TRUE(job.partScreen);
  EXPECT_EQ(job.hotKeyStart, 11);
  EXPECT_EQ(job.hotKeyStop, 0);
  EXPECT_EQ(job.startTime, "23:05:07");

  ASSERT_TRUE(panel->rbAt->UserClick());
  ASSERT_TRUE(panel->rbBack->UserClick());
  toolkit::headless::SetTimeSeparator('.');
  panel->ApplyTo(job);
  EXPECT_EQ(job.startMode, smAt);
  EXPECT_EQ(job.afterClick, acBack);
  EXPECT_EQ(job.startTime, "23.05.07");  // the user's time separator
}

TEST_F(PanelTest, IntervalAndRandomBoundsAreCopiedAsTheyAre) {
  struct Case {
    std::vector<std::string> interval;  // hour, min, sec, 0.1, 0.01, 0.001
    std::string ranB, ranE;
    std::int32_t wantInterval, wantMin, wantMax;
  };
  const Case cases[] = {
      {{"1", "2", "3", "4", "5", "6"}, "1", "5", 3723456, 100, 5000},
      {{"0", "0", "0", "0", "0", "0"}, "0", "0", 0, 0, 0},
      {{"99", "99", "99", "9", "9", "9"}, "9", "999", 362439999, 900, 999000},
      {{"0", "0", "1", "0", "0", "0"}, "9", "0", 1000, 900, 0},  // min above max: as it is
  };
  TEdit* edits[] = {panel->edIntHour, panel->edIntMinute, panel->edIntSecond,
                    panel->edIntTen,  panel->edIntTen2,   panel->edIntTen3};
  for (const Case& c : cases) {
    for (int i = 0; i < 6; ++i) PasteOver(*edits[i], c.interval[i]);
    PasteOver(*panel->lblRanB, c.ranB);
    PasteOver(*panel->lblRanE, c.ranE);
    TBaseCtrl job;
    panel->ApplyTo(job);
    EXPECT_EQ(job.interval, c.wantInterval) << c.interval[0] << " " << c.interval[5];
    EXPECT_EQ(job.randomMin, c.wantMin);
    EXPECT_EQ(job.randomMax, c.wantMax);
  }
}

TEST_F(PanelTest, ValuesOutsideTheSpinnerRangesAreCopied) {
  PasteOver(*panel->edSimilar, "");
  Type(*panel->edSimilar, "30");
  ASSERT_TRUE(panel->rbFixed->UserClick());
  PasteOver(*panel->edPX, "-5");
  TBaseCtrl job;
  panel->ApplyTo(job);
  EXPECT_EQ(job.colorSimilar, 30);
  EXPECT_EQ(job.pointX, -5);
}

TEST_F(PanelTest, AFieldThatIsNotANumberStopsTheCopyThere) {
  // edPY emptied: the target and pointX are copied, nothing from pointY on.
  TBaseCtrl job;
  Scramble(job);
  ASSERT_TRUE(panel->rbFixed->UserClick());
  Empty(*panel->edPY);
  try {
    panel->ApplyTo(job);
    FAIL() << "no conversion error";
  } catch (const ENotANumber& e) {
    EXPECT_EQ(&e.Edit(), panel->edPY);
    EXPECT_EQ(e.FieldName(), "Specify click point, Y");
  }
  EXPECT_EQ(job.targetMode, ctFixed);
  EXPECT_EQ(job.pointX, 1000);
  EXPECT_EQ(job.pointY, -7);
  EXPECT_EQ(job.startTime, "old");
  EXPECT_EQ(job.interval, -7);
  EXPECT_EQ(job.pictureSimilar, -7);

  // edtStartMin emptied: the start mode and time are copied, the delay and later not.
  PasteOver(*panel->edPY, "600");
  Empty(*panel->edtStartMin);
  Scramble(job);
  EXPECT_THROW(panel->ApplyTo(job), toolkit::EConvertError);
  EXPECT_EQ(job.pointY, 600);
  EXPECT_EQ(job.startMode, smNow);
  EXPECT_EQ(job.startTime, "09:00:00");
  EXPECT_EQ(job.startDelay, -7);
  EXPECT_EQ(job.mouseButton, cbMiddle);
  EXPECT_EQ(job.colorSimilar, -7);
}

TEST_F(PanelTest, OnlyTheStartDelayEditsAreTrimmed) {
  struct Case {
    TEdit* edit;
    std::string text;
    bool converts;
  };
  const Case cases[] = {
      {panel->edtStartSec, " 5", true},
      {panel->edtStartSec, "5 ", true},
      {panel->edIntSecond, " 5", true},  // leading blanks are part of the number syntax
      {panel->edIntSecond, "5 ", false},
      {panel->edPX, "-5", true},
      {panel->edPX, "5 ", false},
      {panel->edStopTimes, "99999999999", false},  // beyond 32 bits
  };
  ASSERT_TRUE(panel->rbFixed->UserClick());
  for (const Case& c : cases) {
    const std::string before = c.edit->Text();
    PasteOver(*c.edit, c.text);
    TBaseCtrl job;
    if (c.converts) {
      EXPECT_NO_THROW(panel->ApplyTo(job)) << c.edit->Name() << " '" << c.text << "'";
    } else {
      EXPECT_THROW(panel->ApplyTo(job), ENotANumber) << c.edit->Name() << " '" << c.text << "'";
    }
    PasteOver(*c.edit, before);
  }
  PasteOver(*panel->edtStartSec, " 5");
  PasteOver(*panel->edIntSecond, " 5");
  TBaseCtrl job;
  panel->ApplyTo(job);
  EXPECT_EQ(job.startDelay, 65);  // 0 h, 1 min, 5 s
  EXPECT_EQ(job.interval, 5000);
}

TEST_F(PanelTest, DigitFilterSeesTypedCharactersOnly) {
  TEdit& edit = *panel->edStopTimes;
  ASSERT_TRUE(edit.UserFocus());  // selects the whole text
  Type(edit, "a-. +\t\x1b");
  EXPECT_EQ(edit.Text(), "1");
  Type(edit, "42");
  EXPECT_EQ(edit.Text(), "42");
  Type(edit, "\b");
  EXPECT_EQ(edit.Text(), "4");
  ASSERT_TRUE(edit.UserPaste("x-9"));
  EXPECT_EQ(edit.Text(), "4x-9");  // pasted text is not filtered

  // The handler itself: digits, Backspace, line feed and carriage return pass.
  for (int c = 1; c < 128; ++c) {
    char key = static_cast<char>(c);
    panel->edPXKeyPress(nullptr, key);
    const bool passes = (c >= '0' && c <= '9') || c == 8 || c == 10 || c == 13;
    EXPECT_EQ(key, passes ? static_cast<char>(c) : '\0') << c;
  }
}

TEST_F(PanelTest, EveryNumericEditHasTheDigitFilter) {
  TEdit* edits[] = {
      panel->edPX,        panel->edPY,         panel->edSimilar,   panel->edBMPSimilar,
      panel->edColorL,    panel->edColorR,     panel->edColorT,    panel->edColorB,
      panel->edStopTimes, panel->edIntHour,    panel->edIntMinute, panel->edIntSecond,
      panel->edIntTen,    panel->edIntTen2,    panel->edIntTen3,   panel->lblRanB,
      panel->lblRanE,     panel->edtStartHour, panel->edtStartMin, panel->edtStartSec};
  // Every group open at once, which no click target gives.
  panel->gbPoint->SetEnabled(true);
  panel->gbColor->SetEnabled(true);
  panel->gbBMP->SetEnabled(true);
  for (TEdit* edit : edits) {
    const std::string before = edit->Text();
    PasteOver(*edit, "");
    Type(*edit, "x7");
    EXPECT_EQ(edit->Text(), "7") << edit->Name();
    PasteOver(*edit, before);
  }
}

TEST_F(PanelTest, LengthLimitsBindTypedAndPastedTextButNotTextSetByCode) {
  TEdit& edit = *panel->edPX;
  ASSERT_TRUE(panel->rbFixed->UserClick());
  PasteOver(edit, "-12805");
  EXPECT_EQ(edit.Text(), "-128");
  PasteOver(edit, "");
  Type(edit, "123456");
  EXPECT_EQ(edit.Text(), "1234");
  edit.SetText("-1280");  // as the point capture writes it
  TBaseCtrl job;
  panel->ApplyTo(job);
  EXPECT_EQ(job.pointX, -1280);
}

TEST_F(PanelTest, SpinnersStopAtTheirLimits) {
  struct Case {
    TEdit* edit;
    toolkit::TUpDown* spinner;
    int min, max;
  };
  const Case cases[] = {
      {panel->edIntHour, panel->UpDown1, 0, 23},    {panel->edIntMinute, panel->UpDown2, 0, 59},
      {panel->edIntSecond, panel->UpDown3, 0, 59},  {panel->edIntTen, panel->UpDown4, 0, 9},
      {panel->edIntTen2, panel->UpDown11, 0, 9},    {panel->edIntTen3, panel->UpDown12, 0, 9},
      {panel->lblRanB, panel->UpDown13, 0, 9},      {panel->lblRanE, panel->UpDown14, 0, 999},
      {panel->edtStartHour, panel->UpDown5, 0, 23}, {panel->edtStartMin, panel->UpDown7, 0, 59},
      {panel->edtStartSec, panel->UpDown8, 0, 59},  {panel->edStopTimes, panel->UpDown6, 1, 10000},
      {panel->edSimilar, panel->UpDown9, 60, 100},  {panel->edBMPSimilar, panel->UpDown10, 60, 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.spinner->Associate(), c.edit) << c.spinner->Name();
    c.edit->SetText(std::to_string(c.max));
    ASSERT_TRUE(c.spinner->UserClickUp());
    EXPECT_EQ(c.edit->Text(), std::to_string(c.max)) << c.spinner->Name();
    c.edit->SetText(std::to_string(c.min));
    ASSERT_TRUE(c.spinner->UserClickDown());
    EXPECT_EQ(c.edit->Text(), std::to_string(c.min)) << c.spinner->Name();
    ASSERT_TRUE(c.edit->UserKeyDown(toolkit::kVkDown));  // the arrow key in the edit
    EXPECT_EQ(c.edit->Text(), std::to_string(c.min)) << c.spinner->Name();
  }
}

TEST_F(PanelTest, SimilaritySpinnerStepsByFiveDownToSixty) {
  std::vector<std::string> seen;
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(panel->UpDown9->UserClickDown());
    seen.push_back(panel->edSimilar->Text());
  }
  EXPECT_EQ(seen,
            (std::vector<std::string>{"95", "90", "85", "80", "75", "70", "65", "60", "60", "60"}));
  ASSERT_TRUE(panel->edSimilar->UserKeyDown(toolkit::kVkUp));
  EXPECT_EQ(panel->edSimilar->Text(), "65");
}

TEST_F(PanelTest, StopTimesSpinnerShowsAThousandWithoutSeparator) {
  PasteOver(*panel->edStopTimes, "990");
  ASSERT_TRUE(panel->UpDown6->UserClickUp());
  EXPECT_EQ(panel->edStopTimes->Text(), "1000");
  TBaseCtrl job;
  panel->ApplyTo(job);
  EXPECT_EQ(job.repeatTimes, 1000);
}

// ---- Enabling rule --------------------------------------------------------------------

TEST_F(PanelTest, TheClickTargetEnablesItsOwnGroupOnly) {
  // As the window leaves it at creation: the point group off, the others on with their
  // capture buttons off.
  EXPECT_FALSE(panel->gbPoint->Enabled());
  EXPECT_FALSE(panel->btnCapture->Enabled());
  EXPECT_TRUE(panel->gbColor->Enabled());
  EXPECT_FALSE(panel->btnCaptureColor->Enabled());
  EXPECT_TRUE(panel->gbBMP->Enabled());
  EXPECT_FALSE(panel->btnBMP->Enabled());
  EXPECT_FALSE(panel->edPX->UserTypeChar('1'));  // no input in a disabled group

  struct Case {
    toolkit::TRadioButton* target;
    bool point, color, picture;
  };
  const Case cases[] = {{panel->rbFixed, true, false, false},
                        {panel->rbColor, false, true, false},
                        {panel->rbBMP, false, false, true},
                        {panel->rbCurrent, false, false, false}};
  for (const Case& c : cases) {
    ASSERT_TRUE(c.target->UserClick());
    EXPECT_EQ(panel->gbPoint->Enabled(), c.point) << c.target->Name();
    EXPECT_EQ(panel->btnCapture->Enabled(), c.point) << c.target->Name();
    EXPECT_EQ(panel->gbColor->Enabled(), c.color) << c.target->Name();
    EXPECT_EQ(panel->btnCaptureColor->Enabled(), c.color) << c.target->Name();
    EXPECT_EQ(panel->gbBMP->Enabled(), c.picture) << c.target->Name();
    EXPECT_EQ(panel->btnBMP->Enabled(), c.picture) << c.target->Name();
    // The search area follows no target.
    EXPECT_TRUE(panel->Panel3->EffectivelyEnabled()) << c.target->Name();
    EXPECT_TRUE(panel->Button1->EffectivelyEnabled()) << c.target->Name();
  }
}

// ---- Point and colour capture ---------------------------------------------------------

TEST_F(PanelTest, PointCaptureFollowsTheCursorUntilACharacterIsTyped) {
  ASSERT_TRUE(panel->rbFixed->UserClick());
  ASSERT_TRUE(panel->btnCapture->UserClick());
  EXPECT_TRUE(panel->timerSetPoint->Enabled());
  EXPECT_TRUE(panel->Focused());  // the frame holds the keys

  platform::SetCursorPos(12, 34);
  toolkit::headless::Advance(10);
  EXPECT_EQ(panel->edPX->Text(), "12");
  EXPECT_EQ(panel->edPY->Text(), "34");
  // Keys without a character do not end it.
  for (std::uint32_t key : {toolkit::kVkUp, toolkit::kVkDown, toolkit::kVkLeft}) {
    ASSERT_TRUE(form->UserKeyDownToFocus(key));
  }
  platform::SetCursorPos(40, 50);
  toolkit::headless::Advance(10);
  EXPECT_EQ(panel->edPX->Text(), "40");

  ASSERT_TRUE(form->UserTypeCharToFocus('q'));
  EXPECT_FALSE(panel->timerSetPoint->Enabled());
  platform::SetCursorPos(60, 70);
  toolkit::headless::Advance(100);
  EXPECT_EQ(panel->edPX->Text(), "40");
  EXPECT_EQ(panel->edPY->Text(), "50");

  TBaseCtrl job;
  panel->ApplyTo(job);
  EXPECT_EQ(job.pointX, 40);
}

TEST_F(PanelTest, ACharacterTypedInAnyEditEndsTheCaptureAndStillReachesTheEdit) {
  ASSERT_TRUE(panel->rbFixed->UserClick());
  ASSERT_TRUE(panel->btnCapture->UserClick());
  ASSERT_TRUE(panel->edStopTimes->UserSelect(1, 0));
  EXPECT_TRUE(panel->timerSetPoint->Enabled());  // focusing does not end it...
  Type(*panel->edStopTimes, "5");                // ...a typed character does
  EXPECT_FALSE(panel->timerSetPoint->Enabled());
  EXPECT_EQ(panel->edStopTimes->Text(), "15");
}

TEST_F(PanelTest, ColourCaptureWritesTheColourTextAndTheSwatch) {
  ASSERT_TRUE(panel->rbColor->UserClick());
  ASSERT_TRUE(panel->btnCaptureColor->UserClick());
  platform::sim::SetPixel(5, 6, 0xFF0000);  // pure red
  platform::sim::SetPixel(7, 8, 0x123456);  // red 12, green 34, blue 56
  platform::SetCursorPos(5, 6);
  toolkit::headless::Advance(10);
  EXPECT_EQ(panel->edColor->Text(), "clRed");
  EXPECT_EQ(panel->edCl->Color(), toolkit::clRed);
  platform::SetCursorPos(7, 8);
  toolkit::headless::Advance(10);
  EXPECT_EQ(panel->edColor->Text(), "$00563412");
  EXPECT_EQ(panel->edCl->Color(), 0x563412);
  platform::sim::FailPixelReads(true);
  toolkit::headless::Advance(10);
  EXPECT_EQ(panel->edColor->Text(), "$FFFFFFFF");

  ASSERT_TRUE(form->UserTypeCharToFocus(' '));
  EXPECT_FALSE(panel->timerSetPoint->Enabled());
  TBaseCtrl job;
  panel->ApplyTo(job);
  EXPECT_EQ(job.colorName, "$FFFFFFFF");
}

TEST_F(PanelTest, ChangingTheClickTargetEndsACapture) {
  ASSERT_TRUE(panel->rbFixed->UserClick());
  ASSERT_TRUE(panel->btnCapture->UserClick());
  ASSERT_TRUE(panel->rbFixed->UserClick());  // already checked: nothing happens
  EXPECT_TRUE(panel->timerSetPoint->Enabled());
  ASSERT_TRUE(panel->rbColor->UserClick());
  EXPECT_FALSE(panel->timerSetPoint->Enabled());

  ASSERT_TRUE(panel->btnCaptureColor->UserClick());
  ASSERT_TRUE(panel->rbCurrent->UserClick());
  EXPECT_FALSE(panel->timerSetPoint->Enabled());
  platform::sim::SetPixel(0, 0, 0xFF0000);
  toolkit::headless::Advance(50);
  EXPECT_EQ(panel->edColor->Text(), "clBlack");
}

}  // namespace
}  // namespace ui_test
