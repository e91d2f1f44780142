// Desktop faults in the middle of a run, injected through the simulated desktop: a screen
// grab failing at the copy or at the extraction, memory refused, a pixel that cannot be
// read, the screen changing size after start-up. The run goes on, nothing is clicked on
// a picture of the screen that isn't there, and the next good tick clicks again.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PixelTestUtil.h"
#include "engine/uObject.h"
#include "engine_Fixture.h"
#include "matching/uFunction.h"
#include "toolkit/TColor.h"
#include "toolkit/TTimer.h"

using engine_test::PictureTextOf;
using toolkit::headless::Advance;
namespace sim = platform::sim;

namespace {

using Strings = std::vector<std::string>;

class RunnerFaults : public engine_test::EngineTest {
 protected:
  // A 3 x 2 picture without pure red, every pixel different, shown with its top-left
  // corner at (50, 20): its centre is (51, 21).
  void ShowPicture() {
    pixel_test::Fill(picture, {{0x0000FF, 0x00FF00, 0x800000}, {0xFFFFFF, 0x808080, 0x00FFFF}});
    sim::PaintBlock(50, 20, picture.width(), picture.height(), picture.pixels(), picture.stride());
  }
  // Starts clicking at a 100 ms interval on a red pixel at (30, 40) or on the picture.
  void StartSearching(TClickTarget target) {
    sim::SetPixel(30, 40, 0xFF0000);
    ShowPicture();
    runner.targetMode = target;
    runner.colorName = "clRed";
    runner.pictureText = PictureTextOf(picture);
    runner.interval = 100;
    StartClicking();
  }
  static Strings ClickAt(int x, int y) {
    const std::string at = std::to_string(x) + "," + std::to_string(y);
    return {"move " + at, "left down " + at, "left up " + at};
  }

  TBDBitmapData picture;
};

TEST_F(RunnerFaults, AFailedGrabSkipsThatClickAndTheNextTickClicks) {
  struct Fault {
    const char* what;
    std::function<void()> arm;
  };
  const Fault faults[] = {
      {"copy", [] { sim::FailNextGrab(platform::GrabStatus::kCopyFailed); }},
      {"extraction", [] { sim::FailNextGrab(platform::GrabStatus::kExtractFailed); }},
      {"screen buffer memory", [] { sim::RefuseNextAllocations(1); }},
  };
  for (const TClickTarget target : {ctColor, ctPicture}) {
    for (const Fault& fault : faults) {
      SCOPED_TRACE(std::string(fault.what) + (target == ctColor ? ", colour" : ", picture"));
      ResetDesktop();
      owner.captions.clear();
      StartSearching(target);
      // The picture is decoded first, so that only the screen buffer meets the fault.
      ASSERT_NE(runner.GetPicture(), nullptr);
      const platform::Point spot =
          target == ctColor ? platform::Point{30, 40} : platform::Point{51, 21};

      fault.arm();
      Advance(100);
      EXPECT_TRUE(Trace().empty());
      EXPECT_EQ(runner.counter, 0);
      EXPECT_TRUE(owner.captions.empty());
      EXPECT_TRUE(runner.running);
      EXPECT_TRUE(runner.timer->Enabled());
      EXPECT_TRUE(errors.empty());

      Advance(100);
      EXPECT_EQ(Trace(), ClickAt(spot.x, spot.y));
      EXPECT_EQ(runner.counter, 1);
    }
  }
}

TEST_F(RunnerFaults, APictureDecodedWhileMemoryIsShortIsDecodedAgainAtTheNextTick) {
  StartSearching(ctPicture);
  ASSERT_EQ(runner.pictureCache, nullptr);
  sim::RefuseNextAllocations(1);  // the cache's block, at the first decode
  Advance(100);
  EXPECT_TRUE(Trace().empty());
  const TBDBitmapData* cache = runner.pictureCache.get();
  ASSERT_NE(cache, nullptr);

  Advance(100);
  EXPECT_EQ(Trace(), ClickAt(51, 21));
  EXPECT_EQ(runner.pictureCache.get(), cache);  // the same cache, filled this time
  EXPECT_EQ(cache->width(), 3);
  EXPECT_NE(cache->pixels(), nullptr);
}

TEST_F(RunnerFaults, ACacheThatLostItsPixelsAtAReloadIsFilledFromTheText) {
  // The settings panel reloads the cache from the new picture's bytes before each run;
  // when that block can't be had, the picture text still holds the picture.
  StartSearching(ctPicture);
  TBDBitmapData* cache = runner.GetPicture();
  ASSERT_NE(cache, nullptr);
  toolkit::TMemoryStream bmp;
  ASSERT_TRUE(picture.SaveToStream(&bmp));
  cache->Clear();
  bmp.SetPosition(0);
  sim::RefuseNextAllocations(1);
  EXPECT_FALSE(cache->LoadFromStream(&bmp, -1));
  ASSERT_EQ(cache->pixels(), nullptr);

  Advance(100);
  EXPECT_EQ(Trace(), ClickAt(51, 21));
  EXPECT_EQ(runner.GetPicture(), cache);
}

TEST_F(RunnerFaults, ABadPictureStaysTheCacheAndIsNotDecodedAgain) {
  // Only a block that could not be had is made good again; bytes that are no picture
  // leave the empty cache the click job describes.
  runner.pictureText = "AAAAAAAA";
  TBDBitmapData* cache = runner.GetPicture();
  ASSERT_NE(cache, nullptr);
  runner.pictureText = PictureTextOf(picture);
  EXPECT_EQ(runner.GetPicture(), cache);
  EXPECT_EQ(cache->width(), 0);
}

TEST_F(RunnerFaults, AColourCapturedFromAPixelThatCannotBeReadIsFoundNowhere) {
  // Over a pixel the desktop can't read the colour capture writes the invalid colour,
  // $FFFFFFFF. No pixel shows it; its low bytes would search for white.
  sim::FillRect(0, 0, 160, 120, 0xFFFFFF);
  sim::FailPixelReads(true);
  const std::string captured = toolkit::ColorToString(GetScreenPixel(10, 10));
  ASSERT_EQ(captured, "$FFFFFFFF");
  sim::FailPixelReads(false);

  for (const std::string& text : {captured, std::string("-1")}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(SearchColor(text, 0, 0, 160, 120, 100).x, -1);
    EXPECT_EQ(SearchColor(text, 0, 0, 160, 120, 60).x, -1);
  }
  runner.targetMode = ctColor;
  runner.colorName = captured;
  runner.interval = 100;
  StartClicking();
  Advance(1000);
  EXPECT_TRUE(Trace().empty());
  EXPECT_EQ(runner.counter, 0);
  EXPECT_TRUE(runner.running);
  EXPECT_TRUE(errors.empty());
  // White itself is still a colour like any other.
  EXPECT_EQ(SearchColor("clWhite", 0, 0, 160, 120, 100).x, 0);
}

TEST_F(RunnerFaults, AScreenThatChangedSizeSinceStartUpIsSearchedWhole) {
  // The screen was 160 x 120 when the program started; whole-screen searches take the
  // screen's size at each tick, so they cover the new screen, larger or smaller.
  struct Change {
    int width, height;
    platform::Point red;
  };
  const Change changes[] = {{320, 200, {300, 190}}, {80, 60, {70, 50}}};
  for (const Change& change : changes) {
    SCOPED_TRACE(change.width);
    ResetDesktop();
    TBaseCtrl job;
    job.targetMode = ctColor;
    job.colorName = "clRed";
    job.interval = 100;
    job.Start(nullptr);
    Advance(1000);
    sim::SetScreenSize(change.width, change.height);
    sim::SetPixel(change.red.x, change.red.y, 0xFF0000);
    Advance(100);
    EXPECT_EQ(Trace(), ClickAt(change.red.x, change.red.y));
    const sim::GrabRequest& grab = sim::GrabLog().back();
    EXPECT_EQ(grab.width, change.width);
    EXPECT_EQ(grab.height, change.height);
  }
}

TEST_F(RunnerFaults, AScopeLeftOffAShrunkenScreenFindsNothingThere) {
  // The scope lay on the screen at start-up; after the screen shrank it lies beyond the
  // edge, where the desktop delivers nothing to find.
  ShowPicture();
  sim::SetScreenSize(40, 30);
  for (const TClickTarget target : {ctColor, ctPicture}) {
    TBaseCtrl job;
    job.targetMode = target;
    job.colorName = "clRed";
    job.pictureText = PictureTextOf(picture);
    job.partScreen = true;
    job.scopeLeft = 45;
    job.scopeTop = 10;
    job.scopeRight = 100;
    job.scopeBottom = 60;
    job.interval = 100;
    job.Start(nullptr);
    Advance(1000 + 500);
    EXPECT_TRUE(Trace().empty());
    EXPECT_EQ(job.counter, 0);
    EXPECT_TRUE(job.running);
  }
  EXPECT_TRUE(errors.empty());
}

}  // namespace
