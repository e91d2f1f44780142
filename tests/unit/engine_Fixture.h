// The click engine's test bench: a fresh headless toolkit and simulated desktop for each
// test, an owner window that records what the runner asks of it, and readable traces of
// the simulated desktop's cursor and button log.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/uObject.h"
#include "matching/BitmapData.h"
#include "matching/uFunction.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/TApplication.h"
#include "toolkit/TMemoryStream.h"
#include "toolkit/headless/Headless.h"

namespace engine_test {

inline constexpr char kIdleCaption[] = "Pilgrove 4.1.6";
inline constexpr char kTimes[] = "Pilgrove 4.1.6   times:";

// Stands in for the main window: records its captions and, like the real Stop button,
// stops the runner and puts back the idle caption.
class RecordingOwner : public TRunnerOwner {
 public:
  void SetRunnerCaption(const std::string& caption) override { captions.push_back(caption); }
  void btnStopClick(toolkit::TObject* sender) override {
    ++stopClicks;
    if (sender != nullptr) ++stopClicksWithSender;
    if (runner != nullptr) runner->Stop();
    captions.push_back(kIdleCaption);
  }

  TBaseCtrl* runner = nullptr;
  std::vector<std::string> captions;
  int stopClicks = 0;
  int stopClicksWithSender = 0;
};

inline std::string Describe(const platform::sim::InputEvent& event) {
  const std::string at = std::to_string(event.x) + "," + std::to_string(event.y);
  if (event.kind == platform::sim::InputKind::kMove) return "move " + at;
  switch (event.flags) {
    case platform::kMouseLeftDown:
      return "left down " + at;
    case platform::kMouseLeftUp:
      return "left up " + at;
    case platform::kMouseRightDown:
      return "right down " + at;
    case platform::kMouseRightUp:
      return "right up " + at;
    case platform::kMouseMiddleDown:
      return "middle down " + at;
    case platform::kMouseMiddleUp:
      return "middle up " + at;
  }
  return "flags " + std::to_string(event.flags) + " " + at;
}

// The picture text of picture, as the settings panel writes it.
inline std::string PictureTextOf(TBDBitmapData& picture) {
  toolkit::TMemoryStream stream;
  EXPECT_TRUE(picture.SaveToStream(&stream));
  return PictureToText(stream);
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDesktop();
    owner.runner = &runner;
  }
  void TearDown() override { toolkit::Application.OnException = nullptr; }

  // Clock at 0 (2024-06-03 09:00:00), empty queues and logs, a black 160 x 120 screen.
  // Exceptions escaping a tick are recorded and dropped, as the main window drops them.
  void ResetDesktop() {
    toolkit::headless::Reset();
    platform::sim::Reset();
    platform::sim::SetScreenSize(160, 120);
    RecordScreenSize();
    errors.clear();
    toolkit::Application.OnException = [this](toolkit::TObject*, const toolkit::Exception& e) {
      errors.push_back(e.what());
    };
  }
  // Starts the runner with the owner and a start condition of smNow, and waits for the
  // click phase.
  void StartClicking() {
    runner.startMode = smNow;
    runner.Start(&owner);
    toolkit::headless::Advance(1000);
    ASSERT_TRUE(runner.running);
  }

  // The cursor and button log from entry from on, one line per call.
  static std::vector<std::string> Trace(std::size_t from = 0) {
    std::vector<std::string> lines;
    const auto& log = platform::sim::InputLog();
    for (std::size_t i = from; i < log.size(); ++i) lines.push_back(Describe(log[i]));
    return lines;
  }
  // The simulated times of the button events.
  static std::vector<std::int64_t> ButtonTimes() {
    std::vector<std::int64_t> times;
    for (const auto& event : platform::sim::InputLog()) {
      if (event.kind == platform::sim::InputKind::kButton) times.push_back(event.timeMs);
    }
    return times;
  }
  static std::size_t LogSize() { return platform::sim::InputLog().size(); }

  TBaseCtrl runner;
  RecordingOwner owner;
  std::vector<std::string> errors;
};

}  // namespace engine_test
