// A long unattended picture run: a million click ticks (PILGROVE_LONG_RUNS; fewer in every
// unit run) on small random screens with random pictures, with bad picture texts and
// failing grabs and allocations mixed in. Every tick either clicks where the picture
// shows or does nothing, the run never stops on its own, and the heap ends where it began.
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "engine/uObject.h"
#include "engine_Fixture.h"
#include "reliability_LongRun.h"
#include "toolkit/TMemoryStream.h"
#include "toolkit/TTimer.h"

using toolkit::headless::Advance;
namespace sim = platform::sim;

namespace {

constexpr std::int32_t kScreenWidth = 24;
constexpr std::int32_t kScreenHeight = 16;
constexpr std::int64_t kTicksPerRound = 50;  // 1 ms apart
// Four colours, so that random pictures show by chance now and then.
constexpr std::uint32_t kPalette[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF};

class PictureLongRun : public engine_test::EngineTest {
 protected:
  std::uint32_t RandomColour() { return kPalette[Draw(0, 3)]; }
  int Draw(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  void PaintRandomScreen() {
    for (std::int32_t y = 0; y < kScreenHeight; ++y) {
      for (std::int32_t x = 0; x < kScreenWidth; ++x) sim::SetPixel(x, y, RandomColour());
    }
  }

  // A w x h picture: the screen's pixels at (left, top), or random ones.
  void MakePicture(TBDBitmapData& picture, int w, int h, int left, int top, bool fromScreen) {
    ASSERT_TRUE(picture.SetSize(w, h));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const std::uint32_t rgb = fromScreen ? sim::ScreenPixel(left + x, top + y) : RandomColour();
        std::uint8_t* p = picture.pixels() + std::int64_t(h - 1 - y) * picture.stride() + 3 * x;
        p[0] = static_cast<std::uint8_t>(rgb);
        p[1] = static_cast<std::uint8_t>(rgb >> 8);
        p[2] = static_cast<std::uint8_t>(rgb >> 16);
      }
    }
  }

  // Hands the runner a new picture as the settings panel does before a run: the cache,
  // when there is one, reloaded from the same BMP bytes the picture text is made of.
  void HandOver(toolkit::TMemoryStream& bmp) {
    if (TBDBitmapData* cache = runner.GetPicture()) {
      cache->Clear();
      bmp.SetPosition(0);
      cache->LoadFromStream(&bmp, -1);
    }
    runner.pictureText = PictureToText(bmp);
  }

  std::mt19937 random{20240603};
};

TEST_F(PictureLongRun, EveryTickClicksWhereThePictureShowsOrDoesNothingAndTheHeapStaysFlat) {
  const std::int64_t ticks = long_run::Length(1000000, 5000);
  const std::int64_t rounds = ticks / kTicksPerRound;
  sim::SetScreenSize(kScreenWidth, kScreenHeight);
  RecordScreenSize();
  runner.targetMode = ctPicture;
  runner.interval = 1;
  runner.randomInterval = false;
  runner.stopMode = stCommand;
  runner.Start(&owner);
  Advance(1000);
  ASSERT_TRUE(runner.running);

  std::size_t heapBefore = 0;
  std::int64_t clicks = 0;
  std::int64_t faults = 0;
  for (std::int64_t round = 0; round < rounds; ++round) {
    if (round == 1) heapBefore = long_run::HeapInUse();  // after the first round's growth
    sim::ClearLogs();
    owner.captions.clear();
    errors.clear();
    PaintRandomScreen();

    // Most pictures are cut from the screen, some are made up, a few texts are broken.
    const int kind = Draw(0, 9);
    const bool cut = kind < 6;
    const bool broken = kind == 9;
    const int w = Draw(1, 5);
    const int h = Draw(1, 4);
    const int left = Draw(0, kScreenWidth - w);
    const int top = Draw(0, kScreenHeight - h);
    TBDBitmapData picture;
    MakePicture(picture, w, h, left, top, cut);
    toolkit::TMemoryStream bmp;
    ASSERT_TRUE(picture.SaveToStream(&bmp));
    HandOver(bmp);
    if (broken) {
      // A job that has not decoded its text yet, and the text is no longer a multiple of
      // four characters long: every tick raises and is dropped.
      runner.pictureCache.reset();
      runner.pictureText.pop_back();
    }
    const int similarities[] = {100, 100, 95, 80, 60, 101};
    runner.pictureSimilar = similarities[Draw(0, 5)];

    // Now and then a grab or an allocation fails at some tick of the round (not in one
    // whose ticks end before they grab anything).
    const int faultKind = broken ? -1 : Draw(0, 19);
    const std::int64_t faultTick = Draw(0, kTicksPerRound - 1);
    const std::int32_t counterBefore = runner.counter;
    Advance(faultTick);
    if (faultKind == 0) sim::FailNextGrab(platform::GrabStatus::kCopyFailed);
    if (faultKind == 1) sim::FailNextGrab(platform::GrabStatus::kExtractFailed);
    if (faultKind == 2) sim::RefuseNextAllocations(1);
    const bool faulted = faultKind >= 0 && faultKind <= 2;
    faults += faulted ? 1 : 0;
    Advance(kTicksPerRound - faultTick);
    sim::RefuseNextAllocations(0);

    const std::int64_t roundClicks = runner.counter - counterBefore;
    clicks += roundClicks;
    ASSERT_TRUE(runner.running);
    if (broken) {
      ASSERT_EQ(roundClicks, 0);
      ASSERT_EQ(std::int64_t(errors.size()), kTicksPerRound);
      runner.pictureText.clear();  // the next round's hand-over finds no cache to reload
      continue;
    }
    ASSERT_TRUE(errors.empty()) << errors.front();
    const bool mustShow = cut && runner.pictureSimilar <= 100;
    if (mustShow) {
      ASSERT_EQ(roundClicks, kTicksPerRound - (faulted ? 1 : 0)) << "round " << round;
    }
    if (runner.pictureSimilar > 100) {
      ASSERT_EQ(roundClicks, 0);
    }
    // Every click of the round lands on the same place: the centre of the first match,
    // which lies at or before the place the picture was cut from.
    for (const sim::InputEvent& event : sim::InputLog()) {
      const std::int32_t x = event.x - w / 2;
      const std::int32_t y = event.y - h / 2;
      ASSERT_EQ(event.x, sim::InputLog().front().x);
      ASSERT_EQ(event.y, sim::InputLog().front().y);
      if (mustShow) {
        ASSERT_TRUE(y < top || (y == top && x <= left)) << "round " << round;
      }
    }
  }
  const std::size_t heapAfter = long_run::HeapInUse();

  runner.Stop();
  sim::ClearLogs();
  Advance(1000);
  EXPECT_TRUE(sim::InputLog().empty());  // no click after the stop

  std::cout << "[ figures  ] " << rounds * kTicksPerRound << " ticks, " << clicks << " clicks, "
            << faults << " faulted ticks; heap in use " << heapBefore << " -> " << heapAfter
            << " bytes\n";
  EXPECT_GT(clicks, rounds * kTicksPerRound / 2);
  // Flat: what a round leaves behind would grow with the rounds; allow for the spread of
  // the block sizes kept between grabs.
  EXPECT_LE(heapAfter, heapBefore + 16 * 1024);
}

}  // namespace
