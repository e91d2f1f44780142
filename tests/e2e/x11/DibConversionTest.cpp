// The conversion of screen images into the bottom-up block, for pixel formats that Xvfb does
// not readily show (big-endian, 24 bits packed, 10 bits a channel, blue-first masks).
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/VectorLevel.h"
#include "platform/x11/DibConversion.h"

namespace {

using platform::x11::ConvertImageToDib;

struct Format {
  const char* name;
  int bitsPerPixel;
  int byteOrder;
  unsigned long red, green, blue;
};

// A one-row image of the given pixel values, stored as the format says.
XImage MakeImage(const Format& format, const std::vector<std::uint32_t>& pixels,
                 std::vector<char>& data) {
  const int bytesPerPixel = format.bitsPerPixel / 8;
  data.assign(pixels.size() * bytesPerPixel + 4, 0);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    for (int b = 0; b < bytesPerPixel; ++b) {
      const int shift = 8 * (format.byteOrder == LSBFirst ? b : bytesPerPixel - 1 - b);
      data[i * bytesPerPixel + b] = static_cast<char>((pixels[i] >> shift) & 0xFF);
    }
  }
  XImage image{};
  image.width = static_cast<int>(pixels.size());
  image.height = 1;
  image.format = ZPixmap;
  image.byte_order = format.byteOrder;
  image.bits_per_pixel = format.bitsPerPixel;
  image.bytes_per_line = static_cast<int>(data.size());
  image.red_mask = format.red;
  image.green_mask = format.green;
  image.blue_mask = format.blue;
  image.data = data.data();
  return image;
}

TEST(DibConversion, EveryTrueColorFormatGivesBlueGreenRedBytes) {
  // Each case: the pixels of red 0x12, green 0x34, blue 0x56 and of pure white, and the
  // expected bytes (blue, green, red) for both.
  struct Case {
    Format format;
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {{"32 bits, little-endian", 32, LSBFirst, 0xFF0000, 0xFF00, 0xFF},
       {0x123456, 0xFFFFFF},
       {0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF}},
      {{"32 bits, big-endian", 32, MSBFirst, 0xFF0000, 0xFF00, 0xFF},
       {0x123456, 0xFFFFFF},
       {0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF}},
      {{"32 bits, blue in the high byte", 32, LSBFirst, 0xFF, 0xFF00, 0xFF0000},
       {0x563412, 0xFFFFFF},
       {0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF}},
      {{"24 bits packed", 24, LSBFirst, 0xFF0000, 0xFF00, 0xFF},
       {0x123456, 0xFFFFFF},
       {0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF}},
      // 10 bits a channel: the top 8 bits count.
      {{"30-bit depth", 32, LSBFirst, 0x3FF00000, 0xFFC00, 0x3FF},
       {0x12u << 22 | 0x34u << 12 | 0x56u << 2, 0x3FFFFFFF},
       {0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF}},
      // 5-6-5: full channels become 255, a half one its nearest 8-bit value.
      {{"16 bits, 565", 16, LSBFirst, 0xF800, 0x07E0, 0x001F},
       {0x8410, 0xFFFF},
       {132, 130, 132, 0xFF, 0xFF, 0xFF}},
      {{"16 bits, 565 big-endian", 16, MSBFirst, 0xF800, 0x07E0, 0x001F},
       {0xF800, 0x001F},
       {0, 0, 0xFF, 0xFF, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format.name);
    std::vector<char> data;
    const XImage image = MakeImage(c.format, c.pixels, data);
    std::vector<std::uint8_t> block(8, 0xEE);
    ASSERT_TRUE(ConvertImageToDib(image, block.data(), 8, 1, 0, 0));
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 6), c.bytes);
    EXPECT_EQ(block[6], 0xEE);  // nothing written past the pixels
  }
}

TEST(DibConversion, ImageLandsAtItsPlaceWithTheBottomRowFirst) {
  // A 2x2 image into a 4x3 picture at column 1, row 1: its top row is picture row 1 (stored
  // row 1), its bottom row picture row 2 (stored row 0).
  std::vector<char> data = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
  XImage image{};
  image.width = 2;
  image.height = 2;
  image.format = ZPixmap;
  image.byte_order = LSBFirst;
  image.bits_per_pixel = 32;
  image.bytes_per_line = 8;
  image.red_mask = 0xFF0000;
  image.green_mask = 0xFF00;
  image.blue_mask = 0xFF;
  image.data = data.data();
  constexpr int kStride = 12;
  std::vector<std::uint8_t> block(kStride * 3, 0);
  ASSERT_TRUE(ConvertImageToDib(image, block.data(), kStride, 3, 1, 1));
  const std::vector<std::uint8_t> expected = {
      0, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0, 0,  // stored row 0: picture row 2
      0, 0, 0, 1, 2, 3, 4,  5,  6,  0, 0, 0,  // stored row 1: picture row 1
      0, 0, 0, 0, 0, 0, 0,  0,  0,  0, 0, 0,  // stored row 2: picture row 0, untouched
  };
  EXPECT_EQ(block, expected);
}

// The usual screen format is packed with the widest vectors the processor has, sixteen or
// thirty-two pixels a step, then the rest a few at a time. At every level, every width from
// 1 to past two steps of the widest: each row lands at its place, bottom row first, and not
// one byte beside the image's pixels is written (the guard bytes around every row).
TEST(DibConversion, PackedPixelsAtEveryVectorLevelAndWidth) {
  constexpr std::uint8_t kGuard = 0xA5;
  std::uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  // The limit is lifted again however the test ends.
  struct Lift {
    ~Lift() { platform::LimitVectorLevel(platform::VectorLevel::kAvx512); }
  } lift;
  for (const platform::VectorLevel level :
       {platform::VectorLevel::kBaseline, platform::VectorLevel::kSsse3,
        platform::VectorLevel::kAvx2}) {
    if (level > platform::DetectedVectorLevel()) continue;
    platform::LimitVectorLevel(level);
    for (int width = 1; width <= 100; ++width) {
      SCOPED_TRACE("vector level " + std::to_string(int(level)) + ", width " +
                   std::to_string(width));
      constexpr int kHeight = 3;
      constexpr int kColumn = 2;
      // Rows of the image padded as a server pads them; the target picture is wider than
      // the image, which lands at column 2, row 1.
      const int bytesPerLine = 4 * width + 8;
      std::vector<char> data(static_cast<std::size_t>(bytesPerLine) * kHeight);
      for (char& byte : data) byte = static_cast<char>(next());
      XImage image{};
      image.width = width;
      image.height = kHeight;
      image.format = ZPixmap;
      image.byte_order = LSBFirst;
      image.bits_per_pixel = 32;
      image.bytes_per_line = bytesPerLine;
      image.red_mask = 0xFF0000;
      image.green_mask = 0xFF00;
      image.blue_mask = 0xFF;
      image.data = data.data();
      const int stride = 3 * (width + kColumn + 1);
      const int blockHeight = kHeight + 2;
      std::vector<std::uint8_t> block(static_cast<std::size_t>(stride) * blockHeight, kGuard);
      ASSERT_TRUE(ConvertImageToDib(image, block.data(), stride, blockHeight, kColumn, 1));
      std::vector<std::uint8_t> expected(block.size(), kGuard);
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < width; ++x) {
          // Image row y is picture row y + 1, stored row blockHeight - 2 - y.
          const std::size_t at = static_cast<std::size_t>(blockHeight - 2 - y) * stride +
                                 3 * static_cast<std::size_t>(kColumn + x);
          for (int c = 0; c < 3; ++c) {
            expected[at + c] = static_cast<std::uint8_t>(data[y * bytesPerLine + 4 * x + c]);
          }
        }
      }
      ASSERT_EQ(block, expected);
    }
  }
}

TEST(DibConversion, PaletteAndPlanarImagesAreRefused) {
  std::vector<char> data(16, 0);
  XImage image{};
  image.width = 2;
  image.height = 1;
  image.format = ZPixmap;
  image.bits_per_pixel = 8;
  image.bytes_per_line = 16;
  image.data = data.data();
  std::uint8_t block[8] = {};
  EXPECT_FALSE(ConvertImageToDib(image, block, 8, 1, 0, 0));  // 8-bit palette
  image.bits_per_pixel = 32;
  image.format = XYPixmap;
  image.red_mask = 0xFF0000;
  image.green_mask = 0xFF00;
  image.blue_mask = 0xFF;
  EXPECT_FALSE(ConvertImageToDib(image, block, 8, 1, 0, 0));
}

}  // namespace
