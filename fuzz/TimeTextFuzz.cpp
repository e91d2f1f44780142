// Time text from outside: StrToTime under the user's time separator, and the countdown
// of an "at a time of day" run that reads its start time with it.
//
// The first byte picks the separator, the rest is the text. A time that converts is a
// time of day that writes back to the same time; one that doesn't raises the conversion
// error, and the countdown then goes on without clicking.
#include <cmath>
#include <cstdint>
#include <string>

#include "engine/uObject.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/Exception.h"
#include "toolkit/TApplication.h"
#include "toolkit/TDateTime.h"
#include "toolkit/headless/Headless.h"

namespace {

constexpr char kSeparators[] = {':', '.', '/', 'h'};

// 09:00:00 at clock 0, the headless backend's start of day; the first countdown tick
// comes one second later.
constexpr std::int64_t kFirstTickMs = 9 * 3600000 + 1000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const char separator = kSeparators[data[0] % sizeof kSeparators];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  toolkit::headless::Reset();
  platform::sim::ClearLogs();
  toolkit::headless::SetTimeSeparator(separator);
  int dropped = 0;
  toolkit::Application.OnException = [&](toolkit::TObject*, const toolkit::Exception&) {
    ++dropped;
  };

  bool converts = true;
  std::int64_t ms = 0;
  try {
    const toolkit::TDateTime time = toolkit::StrToTime(text);
    if (!(time >= 0.0 && time < 1.0)) __builtin_trap();
    ms = std::llround(time * toolkit::kMSecsPerDay);
    const std::string written = toolkit::FormatDateTime("hh:nn:ss.zzz", time);
    if (std::llround(toolkit::StrToTime(written) * toolkit::kMSecsPerDay) != ms) __builtin_trap();
  } catch (const toolkit::EConvertError&) {
    converts = false;
  }

  TBaseCtrl runner;
  runner.startMode = smAt;
  runner.startTime = text;
  runner.interval = 0;  // the click phase is entered, but never ticks
  runner.Start(nullptr);
  toolkit::headless::Advance(1000);
  if (converts) {
    if (dropped != 0 || runner.running != (ms <= kFirstTickMs)) __builtin_trap();
  } else if (dropped != 1 || runner.running) {
    __builtin_trap();
  }
  if (!platform::sim::InputLog().empty()) __builtin_trap();
  runner.Stop();
  toolkit::Application.OnException = nullptr;
  return 0;
}
