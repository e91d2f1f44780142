#include "ui/uFRMDefine.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/uObject.h"
#include "matching/BitmapData.h"
#include "matching/uFunction.h"
#include "platform/Desktop.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TDateTime.h"
#include "toolkit/TForm.h"
#include "toolkit/TMemoryStream.h"
#include "ui/uCopy.h"

using namespace toolkit;

namespace {

using K = TComponentKind;

// The captions of the top-level group boxes; what sits in them is drawn plainly.
const TFontDescription kCaptionFont = {
    .name = "MS Sans Serif", .height = -11, .color = clBlue, .bold = true};
const TFontDescription kPlain = {.color = clWindowText, .bold = false};
const TFontDescription kBlue = {.color = clBlue, .bold = false};
const TFontDescription kBoldBlack = {.color = clBlack, .bold = true};
// A little smaller than the rest, so that the hint fits the width of its group.
const TFontDescription kHintFont = {.height = -10, .color = clBlue, .bold = false};

// The hint under both capture buttons.
constexpr std::string_view kCaptureHint = "Press any key to stop capture";

// The spinners sit at the right edge of their edit, which gives up their width.
constexpr std::int32_t kSpinWidth = 13;

const std::vector<std::string_view> kFunctionKeys = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                     "F7", "F8", "F9", "F10", "F11", "F12"};

TControlDescription Spinner(std::string_view name, std::string_view edit, int min, int max,
                            int increment, int position, bool thousands = true) {
  return {.name = name,
          .kind = K::kUpDown,
          .parent = {},
          .bounds = {0, 0, kSpinWidth, 21},
          .associate = edit,
          .min = min,
          .max = max,
          .increment = increment,
          .position = position,
          .thousands = thousands};
}

// Every control of the panel, parents before children, edits before their spinners.
const std::vector<TControlDescription>& PanelRows() {
  static const std::vector<TControlDescription> controls = [] {
    std::vector<TControlDescription> rows = {
        {.name = "plMain",
         .kind = K::kPanel,
         .align = alClient,
         .bevelInner = bvRaised,
         .bevelOuter = bvLowered},

        // ---- Click target ----
        {.name = "GroupBox1",
         .kind = K::kGroupBox,
         .parent = "plMain",
         .bounds = {8, 4, 193, 503},
         .caption = "Click Point",
         .font = kCaptionFont},
        {.name = "rbCurrent",
         .kind = K::kRadioButton,
         .parent = "GroupBox1",
         .bounds = {8, 15, 180, 17},
         .caption = "Click where the mouse is",
         .checked = true,
         .font = kPlain,
         .onClick = "rbFixedClick"},
        {.name = "rbFixed",
         .kind = K::kRadioButton,
         .parent = "GroupBox1",
         .bounds = {8, 33, 180, 17},
         .caption = "Click on a fixed point",
         .font = kPlain,
         .onClick = "rbFixedClick"},
        {.name = "gbPoint",
         .kind = K::kGroupBox,
         .parent = "GroupBox1",
         .bounds = {23, 51, 162, 85},
         .caption = "Specify click point",
         .font = kPlain},
        {.name = "btnCapture",
         .kind = K::kButton,
         .parent = "gbPoint",
         .bounds = {6, 15, 76, 46},
         .caption = "Start to capture point",
         .enabled = false,
         .wordWrap = true,
         .onClick = "btnCaptureClick"},
        {.name = "lblPX",
         .kind = K::kLabel,
         .parent = "gbPoint",
         .bounds = {90, 22, 12, 13},
         .caption = "X:"},
        {.name = "edPX",
         .kind = K::kEdit,
         .parent = "gbPoint",
         .bounds = {104, 18, 50, 21},
         .text = "1000",
         .maxLength = 4,
         .onKeyPress = "edPXKeyPress"},
        {.name = "lblPY",
         .kind = K::kLabel,
         .parent = "gbPoint",
         .bounds = {90, 46, 12, 13},
         .caption = "Y:"},
        {.name = "edPY",
         .kind = K::kEdit,
         .parent = "gbPoint",
         .bounds = {104, 42, 50, 21},
         .text = "600",
         .maxLength = 4,
         .onKeyPress = "edPXKeyPress"},
        {.name = "lblPointHint",
         .kind = K::kLabel,
         .parent = "gbPoint",
         .bounds = {6, 66, 154, 13},
         .caption = kCaptureHint,
         .font = kHintFont},
        {.name = "rbColor",
         .kind = K::kRadioButton,
         .parent = "GroupBox1",
         .bounds = {8, 137, 180, 17},
         .caption = "Search color block and click",
         .font = kPlain,
         .onClick = "rbFixedClick"},
        {.name = "gbColor",
         .kind = K::kGroupBox,
         .parent = "GroupBox1",
         .bounds = {23, 155, 162, 109},
         .caption = "specify color block",
         .font = kPlain},
        {.name = "btnCaptureColor",
         .kind = K::kButton,
         .parent = "gbColor",
         .bounds = {6, 15, 76, 46},
         .caption = "Start to capture color",
         .enabled = false,
         .wordWrap = true,
         .onClick = "btnCaptureColorClick"},
        {.name = "edCl",
         .kind = K::kEdit,
         .parent = "gbColor",
         .bounds = {90, 15, 64, 21},
         .readOnly = true},
        {.name = "edColor",
         .kind = K::kEdit,
         .parent = "gbColor",
         .bounds = {90, 40, 64, 21},
         .text = "clBlack",
         .readOnly = true},
        {.name = "lblSimilar",
         .kind = K::kLabel,
         .parent = "gbColor",
         .bounds = {6, 68, 78, 13},
         .caption = "Color Simliar:"},
        {.name = "edSimilar",
         .kind = K::kEdit,
         .parent = "gbColor",
         .bounds = {86, 64, 50, 21},
         .text = "100",
         .onKeyPress = "edPXKeyPress"},
        {.name = "lblSimilarPercent",
         .kind = K::kLabel,
         .parent = "gbColor",
         .bounds = {140, 68, 12, 13},
         .caption = "%"},
        {.name = "lblColorHint",
         .kind = K::kLabel,
         .parent = "gbColor",
         .bounds = {6, 90, 154, 13},
         .caption = kCaptureHint,
         .font = kHintFont},
        {.name = "rbBMP",
         .kind = K::kRadioButton,
         .parent = "GroupBox1",
         .bounds = {8, 264, 180, 17},
         .caption = "Search picture and click",
         .font = kPlain,
         .onClick = "rbFixedClick"},
        {.name = "gbBMP",
         .kind = K::kGroupBox,
         .parent = "GroupBox1",
         .bounds = {23, 281, 162, 98},
         .caption = "specify picture",
         .font = kPlain},
        {.name = "btnBMP",
         .kind = K::kButton,
         .parent = "gbBMP",
         .bounds = {4, 15, 53, 48},
         .caption = "Capture Picture",
         .enabled = false,
         .wordWrap = true,
         .onClick = "btnBMPClick"},
        {.name = "Panel1",
         .kind = K::kPanel,
         .parent = "gbBMP",
         .bounds = {61, 14, 95, 53},
         .bevelOuter = bvLowered},
        {.name = "ImageBMP", .kind = K::kImage, .parent = "Panel1", .bounds = {2, 2, 91, 49}},
        {.name = "lblBMPSimilar",
         .kind = K::kLabel,
         .parent = "gbBMP",
         .bounds = {4, 75, 84, 13},
         .caption = "Picture Simliar:"},
        {.name = "edBMPSimilar",
         .kind = K::kEdit,
         .parent = "gbBMP",
         .bounds = {90, 71, 50, 21},
         .text = "100",
         .onKeyPress = "edPXKeyPress"},
        {.name = "lblBMPSimilarPercent",
         .kind = K::kLabel,
         .parent = "gbBMP",
         .bounds = {143, 75, 12, 13},
         .caption = "%"},
        {.name = "Panel3",
         .kind = K::kPanel,
         .parent = "GroupBox1",
         .bounds = {4, 383, 185, 111},
         .font = kPlain,
         .bevelOuter = bvLowered},
        {.name = "rbFulll",
         .kind = K::kRadioButton,
         .parent = "Panel3",
         .bounds = {6, 5, 174, 17},
         .caption = "Full screen to search",
         .checked = true,
         .font = kBoldBlack},
        {.name = "rbPart",
         .kind = K::kRadioButton,
         .parent = "Panel3",
         .bounds = {6, 24, 174, 17},
         .caption = "Part screen to search",
         .font = kBoldBlack},
        {.name = "Button1",
         .kind = K::kButton,
         .parent = "Panel3",
         .bounds = {4, 47, 50, 54},
         .caption = "Capture Scope",
         .wordWrap = true,
         .onClick = "Button1Click"},
        {.name = "Panel2",
         .kind = K::kPanel,
         .parent = "Panel3",
         .bounds = {59, 45, 119, 58},
         .bevelOuter = bvLowered},
        {.name = "lblColorL",
         .kind = K::kLabel,
         .parent = "Panel2",
         .bounds = {4, 8, 12, 13},
         .caption = "L:"},
        {.name = "edColorL",
         .kind = K::kEdit,
         .parent = "Panel2",
         .bounds = {18, 4, 38, 21},
         .text = "0",
         .maxLength = 4,
         .onKeyPress = "edPXKeyPress"},
        {.name = "lblColorR",
         .kind = K::kLabel,
         .parent = "Panel2",
         .bounds = {60, 8, 12, 13},
         .caption = "R:"},
        {.name = "edColorR",
         .kind = K::kEdit,
         .parent = "Panel2",
         .bounds = {75, 4, 38, 21},
         .text = "1024",
         .maxLength = 4,
         .onKeyPress = "edPXKeyPress"},
        {.name = "lblColorT",
         .kind = K::kLabel,
         .parent = "Panel2",
         .bounds = {4, 33, 12, 13},
         .caption = "T:"},
        {.name = "edColorT",
         .kind = K::kEdit,
         .parent = "Panel2",
         .bounds = {18, 29, 38, 21},
         .text = "0",
         .maxLength = 4,
         .onKeyPress = "edPXKeyPress"},
        {.name = "lblColorB",
         .kind = K::kLabel,
         .parent = "Panel2",
         .bounds = {60, 33, 12, 13},
         .caption = "B:"},
        {.name = "edColorB",
         .kind = K::kEdit,
         .parent = "Panel2",
         .bounds = {75, 29, 38, 21},
         .text = "768",
         .maxLength = 4,
         .onKeyPress = "edPXKeyPress"},

        // ---- Click options ----
        {.name = "GroupBox2",
         .kind = K::kGroupBox,
         .parent = "plMain",
         .bounds = {208, 5, 206, 73},
         .caption = "Click Options",
         .font = kCaptionFont},
        {.name = "lblButton",
         .kind = K::kLabel,
         .parent = "GroupBox2",
         .bounds = {8, 21, 82, 13},
         .caption = "Mouse Button:",
         .font = kPlain},
        {.name = "cbButton",
         .kind = K::kComboBox,
         .parent = "GroupBox2",
         .bounds = {92, 17, 106, 21},
         .items = {"Left Button", "Right Button", "Middle Button"},
         .itemIndex = 0,
         .font = kPlain},
        {.name = "lblClick",
         .kind = K::kLabel,
         .parent = "GroupBox2",
         .bounds = {8, 46, 80, 13},
         .caption = "Mouse Action:",
         .font = kPlain},
        {.name = "cbClick",
         .kind = K::kComboBox,
         .parent = "GroupBox2",
         .bounds = {92, 42, 106, 21},
         .items = {"Single Click", "Double Click", "Button Down", "Button Up"},
         .itemIndex = 0,
         .font = kPlain},

        // ---- Click interval ----
        {.name = "GroupBox3",
         .kind = K::kGroupBox,
         .parent = "plMain",
         .bounds = {208, 78, 206, 136},
         .caption = "Click Interval",
         .font = kCaptionFont},
        {.name = "rbIntFixed",
         .kind = K::kRadioButton,
         .parent = "GroupBox3",
         .bounds = {8, 15, 150, 17},
         .caption = "Fixed Interval",
         .checked = true,
         .font = kBlue},
    };

    // The six interval edits in one row, each with its label above it.
    struct TIntervalEdit {
      std::string_view name, label, text, spinner;
      int maxLength, max, position;
    };
    const TIntervalEdit interval[] = {
        {"edIntHour", "Hour", "0", "UpDown1", 2, 23, 0},
        {"edIntMinute", "Min", "0", "UpDown2", 2, 59, 0},
        {"edIntSecond", "Sec", "1", "UpDown3", 2, 59, 1},
        {"edIntTen", "0.1S", "0", "UpDown4", 1, 9, 0},
        {"edIntTen2", "0.01S", "0", "UpDown11", 1, 9, 0},
        {"edIntTen3", "0.001S", "0", "UpDown12", 1, 9, 0},
    };
    std::int32_t left = 4;
    for (const TIntervalEdit& edit : interval) {
      rows.push_back({.name = edit.name,
                      .kind = K::kLabeledEdit,
                      .parent = "GroupBox3",
                      .bounds = {left, 51, 31, 21},
                      .text = edit.text,
                      .label = edit.label,
                      .maxLength = edit.maxLength,
                      .font = kPlain,
                      .onKeyPress = "edPXKeyPress"});
      rows.push_back(Spinner(edit.spinner, edit.name, 0, edit.max, 1, edit.position));
      left += 32;
    }

    const std::vector<TControlDescription> rest = {
        {.name = "rbIntRan",
         .kind = K::kRadioButton,
         .parent = "GroupBox3",
         .bounds = {8, 74, 150, 17},
         .caption = "Random Interval",
         .font = kBlue},
        {.name = "lblRanB",
         .kind = K::kLabeledEdit,
         .parent = "GroupBox3",
         .bounds = {6, 108, 31, 21},
         .text = "1",
         .label = "1/10 S",
         .maxLength = 1,
         .font = kPlain,
         .onKeyPress = "edPXKeyPress"},
        Spinner("UpDown13", "lblRanB", 0, 9, 1, 1),
        {.name = "lblRanTo",
         .kind = K::kLabel,
         .parent = "GroupBox3",
         .bounds = {42, 112, 12, 13},
         .caption = "to",
         .font = kPlain},
        {.name = "lblRanE",
         .kind = K::kLabeledEdit,
         .parent = "GroupBox3",
         .bounds = {58, 108, 41, 21},
         .text = "5",
         .label = "Seconds",
         .maxLength = 3,
         .font = kPlain,
         .onKeyPress = "edPXKeyPress"},
        Spinner("UpDown14", "lblRanE", 0, 999, 1, 5),

        // ---- Start options ----
        {.name = "GroupBox6",
         .kind = K::kGroupBox,
         .parent = "plMain",
         .bounds = {208, 215, 206, 119},
         .caption = "Start Options",
         .font = kCaptionFont},
        {.name = "rbNow",
         .kind = K::kRadioButton,
         .parent = "GroupBox6",
         .bounds = {8, 16, 150, 17},
         .caption = "Right now",
         .checked = true,
         .font = kPlain},
        {.name = "rbAt",
         .kind = K::kRadioButton,
         .parent = "GroupBox6",
         .bounds = {8, 38, 66, 17},
         .caption = "Start at",
         .font = kPlain},
        {.name = "dtpTime",
         .kind = K::kDateTimePicker,
         .parent = "GroupBox6",
         .bounds = {78, 36, 100, 21},
         .font = kPlain,
         .dateTimeKind = dtkTime},
        {.name = "rbAfter",
         .kind = K::kRadioButton,
         .parent = "GroupBox6",
         .bounds = {8, 60, 150, 17},
         .caption = "Start after interval",
         .font = kPlain},
        {.name = "edtStartHour",
         .kind = K::kLabeledEdit,
         .parent = "GroupBox6",
         .bounds = {24, 94, 38, 21},
         .text = "0",
         .label = "Hours",
         .maxLength = 2,
         .font = kPlain,
         .onKeyPress = "edPXKeyPress"},
        Spinner("UpDown5", "edtStartHour", 0, 23, 1, 0),
        {.name = "edtStartMin",
         .kind = K::kLabeledEdit,
         .parent = "GroupBox6",
         .bounds = {80, 94, 38, 21},
         .text = "1",
         .label = "Minutes",
         .maxLength = 2,
         .font = kPlain,
         .onKeyPress = "edPXKeyPress"},
        Spinner("UpDown7", "edtStartMin", 0, 59, 1, 1),
        {.name = "edtStartSec",
         .kind = K::kLabeledEdit,
         .parent = "GroupBox6",
         .bounds = {136, 94, 38, 21},
         .text = "0",
         .label = "Seconds",
         .maxLength = 2,
         .font = kPlain,
         .onKeyPress = "edPXKeyPress"},
        Spinner("UpDown8", "edtStartSec", 0, 59, 1, 0),

        // ---- Stop options ----
        {.name = "GroupBox4",
         .kind = K::kGroupBox,
         .parent = "plMain",
         .bounds = {208, 334, 206, 78},
         .caption = "Stop Options",
         .font = kCaptionFont},
        {.name = "rbStopOrder",
         .kind = K::kRadioButton,
         .parent = "GroupBox4",
         .bounds = {8, 18, 180, 17},
         .caption = "Stop till get command",
         .checked = true,
         .font = kPlain},
        {.name = "rbStopClick",
         .kind = K::kRadioButton,
         .parent = "GroupBox4",
         .bounds = {8, 44, 104, 17},
         .caption = "Stop till repeat",
         .font = kPlain},
        {.name = "edStopTimes",
         .kind = K::kEdit,
         .parent = "GroupBox4",
         .bounds = {114, 42, 54, 21},
         .text = "1",
         .font = kPlain,
         .onKeyPress = "edPXKeyPress"},
        Spinner("UpDown6", "edStopTimes", 1, 10000, 10, 1, false),
        {.name = "lblTimes",
         .kind = K::kLabel,
         .parent = "GroupBox4",
         .bounds = {172, 46, 32, 13},
         .caption = "times",
         .font = kPlain},

        // ---- After the click ----
        {.name = "GroupBox7",
         .kind = K::kGroupBox,
         .parent = "plMain",
         .bounds = {208, 413, 206, 94},
         .caption = "After Fixed Point Click",
         .font = kCaptionFont},
        {.name = "rbNo",
         .kind = K::kRadioButton,
         .parent = "GroupBox7",
         .bounds = {8, 16, 190, 17},
         .caption = "Do nothing",
         .checked = true,
         .font = kPlain},
        {.name = "rbBack",
         .kind = K::kRadioButton,
         .parent = "GroupBox7",
         .bounds = {8, 36, 190, 17},
         .caption = "Back to the original location",
         .font = kPlain},
        {.name = "rbBackClick",
         .kind = K::kRadioButton,
         .parent = "GroupBox7",
         .bounds = {8, 56, 190, 30},
         .caption = "Back to the original location and click left button",
         .font = kPlain,
         .wordWrap = true},

        // ---- Hot keys ----
        {.name = "GroupBox5",
         .kind = K::kGroupBox,
         .parent = "plMain",
         .bounds = {8, 509, 407, 49},
         .caption = "Click HotKey",
         .font = kCaptionFont},
        {.name = "lblHKStart",
         .kind = K::kLabel,
         .parent = "GroupBox5",
         .bounds = {12, 22, 74, 13},
         .caption = "Start Hotkey:",
         .font = kPlain},
        {.name = "lblHKStartCtrl",
         .kind = K::kLabel,
         .parent = "GroupBox5",
         .bounds = {88, 22, 34, 13},
         .caption = "Ctrl +",
         .font = kPlain},
        {.name = "cbHKStart",
         .kind = K::kComboBox,
         .parent = "GroupBox5",
         .bounds = {124, 18, 56, 21},
         .items = kFunctionKeys,
         .itemIndex = 1,
         .font = kPlain},
        {.name = "lblHKStop",
         .kind = K::kLabel,
         .parent = "GroupBox5",
         .bounds = {196, 22, 72, 13},
         .caption = "Stop Hotkey:",
         .font = kPlain},
        {.name = "lblHKStopCtrl",
         .kind = K::kLabel,
         .parent = "GroupBox5",
         .bounds = {270, 22, 34, 13},
         .caption = "Ctrl +",
         .font = kPlain},
        {.name = "cbHKStop",
         .kind = K::kComboBox,
         .parent = "GroupBox5",
         .bounds = {306, 18, 56, 21},
         .items = kFunctionKeys,
         .itemIndex = 2,
         .font = kPlain},

        // Disabled until a capture button starts it.
        {.name = "timerSetPoint",
         .kind = K::kTimer,
         .enabled = false,
         .interval = 10,
         .onTimer = "timerSetPointTimer"},
        Spinner("UpDown9", "edSimilar", 60, 100, 5, 100),
        Spinner("UpDown10", "edBMPSimilar", 60, 100, 5, 100),
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
  }();
  return controls;
}

// The widths of the labelled edits' labels: each fits its caption and stays clear of
// its neighbours in the row.
struct TLabelWidth {
  std::string_view edit;
  std::int32_t width;
};
constexpr TLabelWidth kLabelWidths[] = {
    {"edIntHour", 30},    {"edIntMinute", 30}, {"edIntSecond", 30}, {"edIntTen", 30},
    {"edIntTen2", 32},    {"edIntTen3", 40},   {"lblRanB", 38},     {"lblRanE", 50},
    {"edtStartHour", 36}, {"edtStartMin", 48}, {"edtStartSec", 50},
};

// The numeric edits as the user knows them, for telling which one needs a number.
struct TNumberField {
  std::string_view edit;
  std::string_view shown;
};
constexpr TNumberField kNumberFields[] = {
    {"edPX", "Specify click point, X"},
    {"edPY", "Specify click point, Y"},
    {"edtStartHour", "Start after interval, Hours"},
    {"edtStartMin", "Start after interval, Minutes"},
    {"edtStartSec", "Start after interval, Seconds"},
    {"edIntHour", "Click Interval, Hour"},
    {"edIntMinute", "Click Interval, Min"},
    {"edIntSecond", "Click Interval, Sec"},
    {"edIntTen", "Click Interval, 0.1S"},
    {"edIntTen2", "Click Interval, 0.01S"},
    {"edIntTen3", "Click Interval, 0.001S"},
    {"lblRanB", "Random Interval, 1/10 S"},
    {"lblRanE", "Random Interval, Seconds"},
    {"edStopTimes", "Stop till repeat, times"},
    {"edColorT", "Part screen to search, T"},
    {"edColorB", "Part screen to search, B"},
    {"edColorL", "Part screen to search, L"},
    {"edColorR", "Part screen to search, R"},
    {"edSimilar", "Color Simliar"},
    {"edBMPSimilar", "Picture Simliar"},
};

std::string FieldName(const TEdit& edit) {
  for (const TNumberField& field : kNumberFields) {
    if (field.edit == edit.Name()) return std::string(field.shown);
  }
  return edit.Name();
}

template <class Convert>
auto Converted(TEdit& edit, const std::string& text, Convert convert) {
  try {
    return convert(text);
  } catch (const EConvertError& e) {
    throw ENotANumber(edit, FieldName(edit), e.what());
  }
}

// The integer of the edit's whole text.
std::int32_t IntOf(TEdit& edit) {
  return Converted(edit, edit.Text(), StrToInt);
}
// The same, after trimming blanks and control characters from both ends.
std::int32_t TrimmedIntOf(TEdit& edit) {
  return Converted(edit, Trim(edit.Text()), StrToInt);
}
// The low 32 bits of the 64-bit integer of the edit's text.
std::uint32_t Int64LowOf(TEdit& edit) {
  return static_cast<std::uint32_t>(Converted(edit, edit.Text(), StrToInt64));
}

// Sums and products "in 32-bit signed arithmetic" wrap rather than overflow.
std::int32_t Wrap32(std::uint32_t value) {
  return static_cast<std::int32_t>(value);
}

constexpr std::uint32_t kPickerDelay = 200;  // ms for a hidden window to leave the screen

// Hides window, lets the user drag out a region in a new region picker and, when the
// selection is complete, hands the picker to use before freeing it. The window shows
// again however this ends.
void WithRegion(TForm* window, const std::function<void(const TfmCopy&)>& use) {
  if (window != nullptr) window->Hide();
  try {
    platform::Sleep(kPickerDelay);
    const std::unique_ptr<TfmCopy> picker = MakeForm<TfmCopy>();
    if (picker->ShowModal() == mrOk) use(*picker);
  } catch (...) {
    if (window != nullptr) window->Show();
    throw;
  }
  if (window != nullptr) window->Show();
}

}  // namespace

TfrmDefine::TfrmDefine(TComponent* owner) : TFrame(owner) {
  SetBounds(0, 0, 423, 571);
  BuildControls(
      *this, PanelRows(),
      {{"rbFixedClick", TNotifyEvent(Bind(this, &TfrmDefine::rbFixedClick))},
       {"btnCaptureClick", TNotifyEvent(Bind(this, &TfrmDefine::btnCaptureClick))},
       {"btnCaptureColorClick", TNotifyEvent(Bind(this, &TfrmDefine::btnCaptureColorClick))},
       {"edPXKeyPress", TKeyPressEvent(Bind(this, &TfrmDefine::edPXKeyPress))},
       {"timerSetPointTimer", TNotifyEvent(Bind(this, &TfrmDefine::timerSetPointTimer))},
       {"btnBMPClick", TNotifyEvent(Bind(this, &TfrmDefine::btnBMPClick))},
       {"Button1Click", TNotifyEvent(Bind(this, &TfrmDefine::Button1Click))}});
  SetMessageHandler(kWmEraseBkgnd, Bind(this, &TfrmDefine::WMEraseBkgnd));

  plMain = &Component<TPanel>("plMain");
  GroupBox1 = &Component<TGroupBox>("GroupBox1");
  rbCurrent = &Component<TRadioButton>("rbCurrent");
  rbFixed = &Component<TRadioButton>("rbFixed");
  gbPoint = &Component<TGroupBox>("gbPoint");
  btnCapture = &Component<TButton>("btnCapture");
  edPX = &Component<TEdit>("edPX");
  edPY = &Component<TEdit>("edPY");
  rbColor = &Component<TRadioButton>("rbColor");
  gbColor = &Component<TGroupBox>("gbColor");
  btnCaptureColor = &Component<TButton>("btnCaptureColor");
  edCl = &Component<TEdit>("edCl");
  edColor = &Component<TEdit>("edColor");
  edSimilar = &Component<TEdit>("edSimilar");
  UpDown9 = &Component<TUpDown>("UpDown9");
  rbBMP = &Component<TRadioButton>("rbBMP");
  gbBMP = &Component<TGroupBox>("gbBMP");
  btnBMP = &Component<TButton>("btnBMP");
  Panel1 = &Component<TPanel>("Panel1");
  ImageBMP = &Component<TImage>("ImageBMP");
  edBMPSimilar = &Component<TEdit>("edBMPSimilar");
  UpDown10 = &Component<TUpDown>("UpDown10");
  Panel3 = &Component<TPanel>("Panel3");
  rbFulll = &Component<TRadioButton>("rbFulll");
  rbPart = &Component<TRadioButton>("rbPart");
  Button1 = &Component<TButton>("Button1");
  Panel2 = &Component<TPanel>("Panel2");
  edColorL = &Component<TEdit>("edColorL");
  edColorR = &Component<TEdit>("edColorR");
  edColorT = &Component<TEdit>("edColorT");
  edColorB = &Component<TEdit>("edColorB");
  GroupBox2 = &Component<TGroupBox>("GroupBox2");
  cbButton = &Component<TComboBox>("cbButton");
  cbClick = &Component<TComboBox>("cbClick");
  GroupBox3 = &Component<TGroupBox>("GroupBox3");
  rbIntFixed = &Component<TRadioButton>("rbIntFixed");
  edIntHour = &Component<TLabeledEdit>("edIntHour");
  edIntMinute = &Component<TLabeledEdit>("edIntMinute");
  edIntSecond = &Component<TLabeledEdit>("edIntSecond");
  edIntTen = &Component<TLabeledEdit>("edIntTen");
  edIntTen2 = &Component<TLabeledEdit>("edIntTen2");
  edIntTen3 = &Component<TLabeledEdit>("edIntTen3");
  rbIntRan = &Component<TRadioButton>("rbIntRan");
  lblRanB = &Component<TLabeledEdit>("lblRanB");
  lblRanE = &Component<TLabeledEdit>("lblRanE");
  UpDown1 = &Component<TUpDown>("UpDown1");
  UpDown2 = &Component<TUpDown>("UpDown2");
  UpDown3 = &Component<TUpDown>("UpDown3");
  UpDown4 = &Component<TUpDown>("UpDown4");
  UpDown11 = &Component<TUpDown>("UpDown11");
  UpDown12 = &Component<TUpDown>("UpDown12");
  UpDown13 = &Component<TUpDown>("UpDown13");
  UpDown14 = &Component<TUpDown>("UpDown14");
  GroupBox6 = &Component<TGroupBox>("GroupBox6");
  rbNow = &Component<TRadioButton>("rbNow");
  rbAt = &Component<TRadioButton>("rbAt");
  dtpTime = &Component<TDateTimePicker>("dtpTime");
  rbAfter = &Component<TRadioButton>("rbAfter");
  edtStartHour = &Component<TLabeledEdit>("edtStartHour");
  edtStartMin = &Component<TLabeledEdit>("edtStartMin");
  edtStartSec = &Component<TLabeledEdit>("edtStartSec");
  UpDown5 = &Component<TUpDown>("UpDown5");
  UpDown7 = &Component<TUpDown>("UpDown7");
  UpDown8 = &Component<TUpDown>("UpDown8");
  GroupBox4 = &Component<TGroupBox>("GroupBox4");
  rbStopOrder = &Component<TRadioButton>("rbStopOrder");
  rbStopClick = &Component<TRadioButton>("rbStopClick");
  edStopTimes = &Component<TEdit>("edStopTimes");
  UpDown6 = &Component<TUpDown>("UpDown6");
  GroupBox7 = &Component<TGroupBox>("GroupBox7");
  rbNo = &Component<TRadioButton>("rbNo");
  rbBack = &Component<TRadioButton>("rbBack");
  rbBackClick = &Component<TRadioButton>("rbBackClick");
  GroupBox5 = &Component<TGroupBox>("GroupBox5");
  cbHKStart = &Component<TComboBox>("cbHKStart");
  cbHKStop = &Component<TComboBox>("cbHKStop");
  timerSetPoint = &Component<TTimer>("timerSetPoint");

  // A labelled edit's label is a control of the edit's parent: left to follow the
  // parent's font it would take a group box's bold blue caption font.
  for (const TLabelWidth& label : kLabelWidths) {
    auto& edit = Component<TLabeledEdit>(label.edit);
    edit.EditLabel().SetFont(edit.Font());
    edit.EditLabel().SetWidth(label.width);
  }
}

// ---- Input ------------------------------------------------------------------------------

void TfrmDefine::edPXKeyPress(TObject*, char& key) {
  const bool digit = key >= '0' && key <= '9';
  if (!digit && key != '\b' && key != '\n' && key != '\r') key = '\0';
}

void TfrmDefine::rbFixedClick(TObject*) {
  gbPoint->SetEnabled(rbFixed->Checked());
  btnCapture->SetEnabled(rbFixed->Checked());
  gbColor->SetEnabled(rbColor->Checked());
  btnCaptureColor->SetEnabled(rbColor->Checked());
  gbBMP->SetEnabled(rbBMP->Checked());
  btnBMP->SetEnabled(rbBMP->Checked());
  StopCapture();
}

void TfrmDefine::WMEraseBkgnd(TMessage& message) {
  // plMain covers the whole frame: there is nothing of the frame's own to erase.
  message.Result = 1;
}

// ---- Point and colour capture -----------------------------------------------------------

void TfrmDefine::btnCaptureClick(TObject*) {
  timerSetPoint->SetEnabled(true);
  capturingPoint = true;
  // The frame takes the keys, so the next character typed ends the capture through the
  // main window's key preview and goes nowhere else.
  SetFocus();
}

void TfrmDefine::btnCaptureColorClick(TObject*) {
  timerSetPoint->SetEnabled(true);
  capturingColor = true;
  SetFocus();
}

void TfrmDefine::timerSetPointTimer(TObject*) {
  platform::Point cursor;
  platform::GetCursorPos(cursor);
  if (capturingPoint) {
    edPX->SetText(IntToStr(cursor.x));
    edPY->SetText(IntToStr(cursor.y));
  } else {
    const TColor color = GetScreenPixel(cursor.x, cursor.y);
    edColor->SetText(ColorToString(color));
    edCl->SetColor(color);
  }
}

void TfrmDefine::StopCapture() {
  if (capturingPoint) {
    timerSetPoint->SetEnabled(false);
    capturingPoint = false;
  }
  if (capturingColor) {
    timerSetPoint->SetEnabled(false);
    capturingColor = false;
  }
}

void TfrmDefine::OwnerKeyPress(TObject*, char&) {
  StopCapture();
}

// ---- Settings transfer ------------------------------------------------------------------

void TfrmDefine::ApplyTo(TBaseCtrl& ctrl) {
  if (rbCurrent->Checked()) {
    ctrl.targetMode = ctCurrent;
  } else if (rbFixed->Checked()) {
    ctrl.targetMode = ctFixed;
  } else if (rbColor->Checked()) {
    ctrl.targetMode = ctColor;
  } else if (rbBMP->Checked()) {
    ctrl.targetMode = ctPicture;
  }
  ctrl.pointX = IntOf(*edPX);
  ctrl.pointY = IntOf(*edPY);
  ctrl.startMode = rbNow->Checked() ? smNow : rbAt->Checked() ? smAt : smAfter;
  ctrl.startTime = FormatDateTime("hh:mm:ss", dtpTime->DateTime());
  {
    const std::int32_t hours = TrimmedIntOf(*edtStartHour);
    const std::int32_t minutes = TrimmedIntOf(*edtStartMin);
    const std::int32_t seconds = TrimmedIntOf(*edtStartSec);
    ctrl.startDelay =
        Wrap32(static_cast<std::uint32_t>(hours) * 3600u +
               static_cast<std::uint32_t>(minutes) * 60u + static_cast<std::uint32_t>(seconds));
  }
  ctrl.mouseButton = static_cast<TClickButton>(cbButton->ItemIndex());
  ctrl.mouseAction = static_cast<TClickAction>(cbClick->ItemIndex());
  {
    const std::uint32_t hours = Int64LowOf(*edIntHour);
    const std::uint32_t minutes = Int64LowOf(*edIntMinute);
    const std::uint32_t seconds = Int64LowOf(*edIntSecond);
    const std::uint32_t tenths = Int64LowOf(*edIntTen);
    const std::uint32_t hundredths = Int64LowOf(*edIntTen2);
    const std::uint32_t thousandths = Int64LowOf(*edIntTen3);
    ctrl.interval = Wrap32(hours * 3600000u + minutes * 60000u + seconds * 1000u + tenths * 100u +
                           hundredths * 10u + thousandths);
  }
  ctrl.randomMin = Wrap32(Int64LowOf(*lblRanB) * 100u);
  ctrl.randomMax = Wrap32(Int64LowOf(*lblRanE) * 1000u);
  ctrl.randomInterval = !rbIntFixed->Checked();
  ctrl.stopMode = rbStopClick->Checked() ? stRepeat : stCommand;
  ctrl.repeatTimes = IntOf(*edStopTimes);
  ctrl.hotKeyStart = static_cast<std::uint8_t>(cbHKStart->ItemIndex());
  ctrl.hotKeyStop = static_cast<std::uint8_t>(cbHKStop->ItemIndex());
  ctrl.afterClick = rbNo->Checked() ? acNothing : rbBack->Checked() ? acBack : acBackClick;
  ctrl.colorName = edColor->Text();
  ctrl.partScreen = !rbFulll->Checked();
  ctrl.scopeTop = IntOf(*edColorT);
  ctrl.scopeBottom = IntOf(*edColorB);
  ctrl.scopeLeft = IntOf(*edColorL);
  ctrl.scopeRight = IntOf(*edColorR);
  {
    // The picture as a BMP file; no picture writes nothing and gives the empty text.
    TMemoryStream stream;
    ImageBMP->Picture().SaveToStream(stream);
    // The job never decodes its text twice: its decoded picture must follow the new text.
    if (TBDBitmapData* picture = ctrl.GetPicture()) {
      picture->Clear();
      stream.SetPosition(0);
      picture->LoadFromStream(&stream, -1);
    }
    ctrl.pictureText = PictureToText(stream);
  }
  ctrl.colorSimilar = IntOf(*edSimilar);
  ctrl.pictureSimilar = IntOf(*edBMPSimilar);
}

// ---- Region capture ---------------------------------------------------------------------

void TfrmDefine::btnBMPClick(TObject*) {
  WithRegion(Form(), [this](const TfmCopy& picker) {
    // The outlined rectangle, whichever way it was dragged.
    const std::int32_t left = std::min(picker.startX, picker.endX);
    const std::int32_t top = std::min(picker.startY, picker.endY);
    const std::int32_t width = std::abs(picker.endX - picker.startX);
    const std::int32_t height = std::abs(picker.endY - picker.startY);
    // The picker has only just been hidden: the windows it covered need time to paint
    // themselves again, or the grab reads what the picker last showed there, its rubber
    // band included, and the picture matches nothing on the screen.
    platform::Sleep(kPickerDelay);
    // The live screen, with the picker and the main window both out of the way. A size of
    // 0 (a click without a drag) reaches to the screen's edge. A grab that failed holds
    // no picture of the screen, only what its block held before: the panel keeps the
    // picture it had, as after a picker closed without a selection.
    TBDBitmapData grab("");
    if (!grab.CopyFromScreen(left, top, width, height)) return;
    ImageBMP->SetWidth(width);
    ImageBMP->SetHeight(height);
    TBitmap picture = ImageBMP->Picture();
    grab.SaveToBitmap(&picture);
    ImageBMP->SetPicture(std::move(picture));
  });
}

void TfrmDefine::Button1Click(TObject*) {
  WithRegion(Form(), [this](const TfmCopy& picker) {
    edColorT->SetText(IntToStr(std::min(picker.startY, picker.endY)));
    edColorB->SetText(IntToStr(std::max(picker.startY, picker.endY)));
    edColorL->SetText(IntToStr(std::min(picker.startX, picker.endX)));
    edColorR->SetText(IntToStr(std::max(picker.startX, picker.endX)));
  });
}
