// Inputs the fuzz targets found faults with, kept as regression cases. Several show only
// under UndefinedBehaviorSanitizer (the sanitizer build of these tests stops at them).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/uObject.h"
#include "matching/BitmapData.h"
#include "matching/uFunction.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/BmpHeader.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TMemoryStream.h"

namespace {

// A 24-bit header of width x height and nothing after it.
toolkit::TMemoryStream HeaderOnly(std::int32_t width, std::int32_t height) {
  const toolkit::TBmpHeaderBytes bytes =
      toolkit::EncodeBmpHeader(toolkit::Bmp24Header(width, height, 0));
  toolkit::TMemoryStream stream;
  stream.Write(bytes.data(), toolkit::kBmpHeaderSize);
  stream.SetPosition(0);
  return stream;
}

TEST(FuzzFindings, SidesWhoseBlockSizeOverflows64BitsAreRefusedWithoutOverflowing) {
  // PictureText: a stride of 6.4e9 bytes times 1.76e9 rows overflowed the 64-bit
  // product before the size was judged.
  platform::sim::Reset();
  struct Sides {
    std::int32_t width, height;
  };
  const Sides cases[] = {
      {0x7F000100, 0x68C1E08D}, {0x7FFFFFFF, 0x7FFFFFFF}, {0x7FFFFFFF, 1}, {1, 0x7FFFFFFF}};
  for (const Sides& sides : cases) {
    SCOPED_TRACE(std::to_string(sides.width) + " x " + std::to_string(sides.height));
    TBDBitmapData buffer;
    toolkit::TMemoryStream stream = HeaderOnly(sides.width, sides.height);
    EXPECT_FALSE(buffer.LoadFromStream(&stream, -1));
    EXPECT_EQ(buffer.lastError(), "错误的数据格式！");
    EXPECT_EQ(buffer.width(), 0);

    EXPECT_FALSE(buffer.SetSize(sides.width, sides.height));
    EXPECT_EQ(buffer.lastError(), "内存不足！");
    EXPECT_EQ(buffer.pixels(), nullptr);
    EXPECT_EQ(buffer.dataSize(), 0);

    // Through the click job, as the fuzzer reached it: the picture stays empty.
    TMouseObj job;
    stream.SetPosition(0);
    job.pictureText = PictureToText(stream);
    TBDBitmapData* picture = job.GetPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width(), 0);
    EXPECT_EQ(job.GetPicture(), picture);
  }
}

TEST(FuzzFindings, TheToolkitBitmapJudgesHugeSidesWithoutOverflowing) {
  // ApplyTo, through the picture it hands over: the toolkit's BMP reader multiplied a
  // stride of 5.6e9 bytes by 1.95e9 rows before comparing with the bytes there are.
  struct Sides {
    std::int32_t width, height;
  };
  const Sides cases[] = {{0x6F746F03, 0x746B6C6F}, {0x7FFFFFFF, -0x7FFFFFFF}, {1, 0x7FFFFFFF}};
  for (const Sides& sides : cases) {
    SCOPED_TRACE(std::to_string(sides.width) + " x " + std::to_string(sides.height));
    toolkit::TMemoryStream stream = HeaderOnly(sides.width, sides.height);
    stream.SetPosition(toolkit::kBmpHeaderSize);
    stream.Write("pixels", 6);
    stream.SetPosition(0);
    toolkit::TBitmap bitmap(2, 2);
    EXPECT_FALSE(bitmap.LoadFromStream(stream));
    EXPECT_EQ(bitmap.Width(), 2);  // unchanged
  }
  // A header whose pixels are all there still loads.
  toolkit::TMemoryStream stream = HeaderOnly(1, 2);
  stream.SetPosition(toolkit::kBmpHeaderSize);
  stream.Write("\x01\x02\x03\x00\x04\x05\x06\x00", 8);
  stream.SetPosition(0);
  toolkit::TBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromStream(stream));
  EXPECT_EQ(bitmap.Pixel(0, 1), 0x030201u);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0x060504u);
}

}  // namespace
