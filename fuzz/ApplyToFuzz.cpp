// Field texts from outside through the settings panel's ApplyTo, built headless: every
// numeric edit and the colour edit get a line of the input as their text (as pasted text
// or text set by code would be, unfiltered), the radio buttons and lists get choices from
// its first bytes, and what follows the last line is the picture's BMP file. ApplyTo
// either copies every field or raises the panel's conversion error, the later fields
// keeping their values; then the runner runs a few ticks with whatever arrived.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/uObject.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TApplication.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TMemoryStream.h"
#include "toolkit/headless/Headless.h"
#include "ui/uFRMDefine.h"

namespace {

constexpr int kChoiceBytes = 4;
constexpr std::int32_t kUntouched = 0x5EED;

std::unique_ptr<TfrmDefine> panel;

// The edits in the order ApplyTo reads them, the colour text among them.
std::array<toolkit::TEdit*, 21> Edits(TfrmDefine& p) {
  return {p.edPX,        p.edPY,        p.edtStartHour, p.edtStartMin, p.edtStartSec, p.edIntHour,
          p.edIntMinute, p.edIntSecond, p.edIntTen,     p.edIntTen2,   p.edIntTen3,   p.lblRanB,
          p.lblRanE,     p.edStopTimes, p.edColor,      p.edColorT,    p.edColorB,    p.edColorL,
          p.edColorR,    p.edSimilar,   p.edBMPSimilar};
}

template <std::size_t N>
void Choose(const std::array<toolkit::TRadioButton*, N>& group, std::uint8_t choice) {
  // One past the last choice leaves the group with nothing checked.
  const std::size_t picked = choice % (N + 1);
  for (std::size_t i = 0; i < N; ++i) group[i]->SetChecked(i == picked);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::sim::Reset();
  platform::sim::SetScreenSize(40, 30);
  RecordScreenSize();
  // Scopes and pictures from the fields may ask for gigabytes: refuse them.
  platform::sim::RefuseAllocationsAbove(std::size_t(1) << 20);
  toolkit::headless::Reset();
  panel = std::make_unique<TfrmDefine>(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kChoiceBytes) return 0;
  toolkit::headless::Reset();
  platform::sim::ClearLogs();
  toolkit::Application.OnException = [](toolkit::TObject*, const toolkit::Exception&) {};
  TfrmDefine& p = *panel;

  const std::uint8_t* choices = data;
  Choose(std::array{p.rbCurrent, p.rbFixed, p.rbColor, p.rbBMP}, choices[0]);
  Choose(std::array{p.rbNow, p.rbAt, p.rbAfter}, choices[0] >> 3);
  Choose(std::array{p.rbIntFixed, p.rbIntRan}, choices[0] >> 5);
  Choose(std::array{p.rbStopOrder, p.rbStopClick}, choices[1]);
  Choose(std::array{p.rbNo, p.rbBack, p.rbBackClick}, choices[1] >> 2);
  Choose(std::array{p.rbFulll, p.rbPart}, choices[1] >> 4);
  p.cbButton->SetItemIndex(choices[2] % 3);
  p.cbClick->SetItemIndex((choices[2] >> 2) % 4);
  p.cbHKStart->SetItemIndex(choices[3] % 12);
  p.cbHKStop->SetItemIndex((choices[3] >> 4) % 12);

  std::string_view rest(reinterpret_cast<const char*>(data + kChoiceBytes), size - kChoiceBytes);
  for (toolkit::TEdit* edit : Edits(p)) {
    const std::size_t end = rest.find('\n');
    edit->SetText(std::string(rest.substr(0, end)));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  toolkit::TBitmap picture;
  if (!rest.empty()) {
    toolkit::TMemoryStream bmp;
    bmp.Write(rest.data(), static_cast<std::int64_t>(rest.size()));
    bmp.SetPosition(0);
    picture.LoadFromStream(bmp);
  }
  p.ImageBMP->SetPicture(std::move(picture));

  TBaseCtrl runner;
  runner.pointX = kUntouched;
  runner.colorSimilar = kUntouched;
  runner.pictureSimilar = kUntouched;
  bool applied = true;
  try {
    p.ApplyTo(runner);
  } catch (const ENotANumber& e) {
    applied = false;
    // The edit it names is one of the numeric fields, and its text is no number.
    bool named = false;
    for (toolkit::TEdit* edit : Edits(p)) named = named || (edit == &e.Edit() && edit != p.edColor);
    if (!named) __builtin_trap();
  }
  if (applied) {
    if (runner.pointX != toolkit::StrToInt(p.edPX->Text()) ||
        runner.colorSimilar != toolkit::StrToInt(p.edSimilar->Text()) ||
        runner.pictureSimilar != toolkit::StrToInt(p.edBMPSimilar->Text()) ||
        runner.colorName != p.edColor->Text()) {
      __builtin_trap();
    }
  } else if (runner.pictureSimilar != kUntouched) {
    __builtin_trap();  // the last field is never written after a failure
  }

  // A run with whatever was copied: odd intervals, inverted or huge scopes, any colour
  // text, the picture just handed over.
  runner.Start(nullptr);
  toolkit::headless::Advance(1000 + 50);
  runner.Stop();
  const std::size_t events = platform::sim::InputLog().size();
  toolkit::headless::Advance(1000);
  if (platform::sim::InputLog().size() != events) __builtin_trap();  // nothing after a stop
  toolkit::Application.OnException = nullptr;
  return 0;
}
