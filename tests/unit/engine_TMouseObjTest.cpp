#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PixelTestUtil.h"
#include "engine/uObject.h"
#include "engine_Fixture.h"
#include "matching/uFunction.h"
#include "toolkit/Exception.h"
#include "toolkit/TMemoryStream.h"

using engine_test::PictureTextOf;

namespace {

TEST(TMouseObj, ANewJobHasTheInitialValues) {
  const TMouseObj job;
  EXPECT_EQ(job.pictureCache, nullptr);
  EXPECT_EQ(job.pointX, 0);
  EXPECT_EQ(job.pointY, 0);
  EXPECT_EQ(job.startTime, "");
  EXPECT_EQ(job.startDelay, 10000);
  EXPECT_EQ(job.repeatTimes, 100);
  EXPECT_EQ(job.colorName, "clBlack");
  EXPECT_EQ(job.scopeTop, 0);
  EXPECT_EQ(job.scopeBottom, 768);
  EXPECT_EQ(job.scopeLeft, 0);
  EXPECT_EQ(job.scopeRight, 1024);
  EXPECT_EQ(job.pictureText, "");
  EXPECT_EQ(job.colorSimilar, 100);
  EXPECT_EQ(job.pictureSimilar, 100);
  EXPECT_EQ(job.randomMin, 100);
  EXPECT_EQ(job.randomMax, 5000);
  EXPECT_EQ(job.targetMode, ctCurrent);
  EXPECT_EQ(job.mouseButton, cbLeft);
  EXPECT_EQ(job.mouseAction, caSingle);
  EXPECT_EQ(job.startMode, smNow);
  EXPECT_EQ(job.stopMode, stCommand);
  EXPECT_EQ(job.afterClick, acNothing);
  EXPECT_FALSE(job.partScreen);
  EXPECT_FALSE(job.randomInterval);
  EXPECT_EQ(job.interval, 1000);
  EXPECT_EQ(job.hotKeyStart, 1);
  EXPECT_EQ(job.hotKeyStop, 2);
  EXPECT_EQ(job.clickName, "New Click");
}

TEST(TMouseObj, EnumerationsAreOneByteNumberedInOrder) {
  static_assert(sizeof(TClickTarget) == 1 && sizeof(TClickButton) == 1 &&
                sizeof(TClickAction) == 1 && sizeof(TStartMode) == 1 && sizeof(TStopMode) == 1 &&
                sizeof(TAfterClick) == 1);
  EXPECT_EQ((std::vector<int>{ctCurrent, ctFixed, ctColor, ctPicture}),
            (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ((std::vector<int>{cbLeft, cbRight, cbMiddle}), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ((std::vector<int>{caSingle, caDouble, caDown, caUp}), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ((std::vector<int>{smNow, smAt, smAfter}), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ((std::vector<int>{stCommand, stRepeat}), (std::vector<int>{0, 1}));
  EXPECT_EQ((std::vector<int>{acNothing, acBack, acBackClick}), (std::vector<int>{0, 1, 2}));
}

class GetPicture : public ::testing::Test {
 protected:
  // A 3 x 2 picture whose rows need padding, every pixel different.
  void SetUp() override {
    pixel_test::Fill(picture, {{0x102030, 0x405060, 0x708090}, {0xA0B0C0, 0xD0E0F0, 0x010203}});
  }
  TBDBitmapData picture;
};

TEST_F(GetPicture, EmptyTextGivesNoneAndCreatesNothing) {
  TMouseObj job;
  EXPECT_EQ(job.GetPicture(), nullptr);
  EXPECT_EQ(job.pictureCache, nullptr);
}

TEST_F(GetPicture, DecodesOnceAndKeepsTheSameBuffer) {
  TMouseObj job;
  job.pictureText = PictureTextOf(picture);
  TBDBitmapData* first = job.GetPicture();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, job.pictureCache.get());
  EXPECT_EQ(first->width(), 3);
  EXPECT_EQ(first->height(), 2);
  EXPECT_EQ(first->transparentKey(), -1);
  // Never decoded again: whoever changes the text brings the cache up to date.
  job.pictureText = "AAAA";
  EXPECT_EQ(job.GetPicture(), first);
  EXPECT_EQ(first->width(), 3);
}

TEST_F(GetPicture, ABmpSurvivesTheRoundTripThroughPictureText) {
  toolkit::TMemoryStream bmp;
  ASSERT_TRUE(picture.SaveToStream(&bmp));  // left at its end: encoding starts at 0 anyway
  const std::string text = PictureToText(bmp);
  EXPECT_EQ(text.size() % 4, 0u);
  EXPECT_EQ(TextToPicture(text)->Memory(), bmp.Memory());

  TMouseObj job;
  job.pictureText = text;
  toolkit::TMemoryStream again;
  ASSERT_TRUE(job.GetPicture()->SaveToStream(&again));
  EXPECT_EQ(again.Memory(), bmp.Memory());
}

TEST_F(GetPicture, TextThatDoesNotDecodeRaisesAndLeavesNoCache) {
  TMouseObj job;
  job.pictureText = "Zm9vY";  // five characters
  EXPECT_THROW(job.GetPicture(), toolkit::EConvertError);
  EXPECT_EQ(job.pictureCache, nullptr);
  // No cache was made, so the next call decodes the corrected text.
  job.pictureText = PictureTextOf(picture);
  ASSERT_NE(job.GetPicture(), nullptr);
  EXPECT_EQ(job.GetPicture()->width(), 3);
}

TEST_F(GetPicture, BytesThatAreNoBmpLeaveAnEmptyCacheThatStays) {
  TMouseObj job;
  job.pictureText = "AAAAAAAA";  // six zero bytes
  TBDBitmapData* cache = job.GetPicture();
  ASSERT_NE(cache, nullptr);
  EXPECT_EQ(cache->width(), 0);
  EXPECT_EQ(cache->height(), 0);
  EXPECT_EQ(job.GetPicture(), cache);
}

}  // namespace
