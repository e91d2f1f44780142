// The screen grab and the pixel read against a square that a Wine window paints.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ClickTarget.h"
#include "platform/Desktop.h"

namespace {

using e2e::ClickTarget;

// A white target with a square of red 0x12, green 0x34, blue 0x56 at client (40, 30).
constexpr int kLeft = 200;
constexpr int kTop = 150;
constexpr int kSquareLeft = kLeft + 40;
constexpr int kSquareTop = kTop + 30;
const e2e::ClickTargetOptions kTarget{
    .x = kLeft, .y = kTop, .width = 300, .height = 200, .rects = {"40,30,20,10,123456"}};

constexpr std::int32_t DibStride(std::int32_t width) {
  return ((24 * width + 31) & ~31) / 8;
}

struct Grab {
  platform::GrabStatus status;
  std::int32_t width;
  std::int32_t height;
  std::vector<std::uint8_t> block;

  // Blue, green, red of the pixel at (x, y) counted from the top-left corner.
  std::uint32_t Pixel(std::int32_t x, std::int32_t y) const {
    const std::uint8_t* p = &block[(height - 1 - y) * DibStride(width) + 3 * x];
    return p[0] | (p[1] << 8) | (p[2] << 16);
  }
};

Grab GrabRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  Grab grab{platform::GrabStatus::kOk, width, height,
            std::vector<std::uint8_t>(DibStride(width) * height, 0xAB)};
  grab.status = platform::GrabScreen(left, top, width, height, grab.block.data(), DibStride(width));
  return grab;
}

class Screen : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(target_.Ready()) << target_.Error();
    // The window is announced after its first paint; the X server may show it a little
    // later still.
    ASSERT_TRUE(e2e::WaitFor([] {
      return platform::GetPixel(kSquareLeft, kSquareTop) == 0x563412;
    })) << "the square did not appear on the screen";
  }

  ClickTarget target_{kTarget};
};

TEST_F(Screen, GrabGivesBottomUpRowsOfBlueGreenRed) {
  // 6 x 5 pixels around the square's top-left corner: two columns and three rows of white
  // background, the rest square. Rows asymmetric so that a top-down copy cannot pass.
  const Grab grab = GrabRect(kSquareLeft - 2, kSquareTop - 3, 6, 5);
  ASSERT_EQ(grab.status, platform::GrabStatus::kOk);
  ASSERT_EQ(DibStride(6), 20);  // 18 bytes of pixels, 2 of padding
  for (std::int32_t y = 0; y < 5; ++y) {
    for (std::int32_t x = 0; x < 6; ++x) {
      const bool inSquare = x >= 2 && y >= 3;
      EXPECT_EQ(grab.Pixel(x, y), inSquare ? 0x123456u : 0xFFFFFFu) << x << "," << y;
    }
  }
  // Stored row 0 is the bottom row, whose third pixel is the square's, as bytes blue, green,
  // red; the last stored row is the top row, background all along.
  EXPECT_EQ(grab.block[6], 0x56);
  EXPECT_EQ(grab.block[7], 0x34);
  EXPECT_EQ(grab.block[8], 0x12);
  EXPECT_EQ(grab.block[4 * 20 + 3 * 5], 0xFF);
}

TEST_F(Screen, FullScreenGrabSeesTheSquare) {
  const Grab grab = GrabRect(0, 0, platform::ScreenWidth(), platform::ScreenHeight());
  ASSERT_EQ(grab.status, platform::GrabStatus::kOk);
  EXPECT_EQ(grab.Pixel(kSquareLeft, kSquareTop), 0x123456u);
  EXPECT_EQ(grab.Pixel(kSquareLeft + 19, kSquareTop + 9), 0x123456u);
  EXPECT_EQ(grab.Pixel(kSquareLeft + 20, kSquareTop + 9), 0xFFFFFFu);
  EXPECT_EQ(grab.Pixel(kSquareLeft - 1, kSquareTop), 0xFFFFFFu);
}

TEST_F(Screen, GetPixelGivesATColor) {
  // TColor is 0x00BBGGRR: red 0x12 in the lowest byte.
  EXPECT_EQ(platform::GetPixel(kSquareLeft + 19, kSquareTop + 9), 0x563412u);
  EXPECT_EQ(platform::GetPixel(kSquareLeft + 20, kSquareTop), 0xFFFFFFu);
  EXPECT_EQ(platform::GetPixel(kSquareLeft, kSquareTop - 1), 0xFFFFFFu);
}

TEST(ScreenGrab, RefusesABlockThatDoesNotFit) {
  std::vector<std::uint8_t> block(64 * 4, 0xAB);
  struct Case {
    const char* what;
    std::uint8_t* block;
    std::int32_t width;
    std::int32_t height;
    std::int32_t stride;
  } cases[] = {
      {"no block", nullptr, 4, 4, 12},
      {"no width", block.data(), 0, 4, 0},
      {"no height", block.data(), 4, 0, 12},
      {"stride without the row padding", block.data(), 5, 4, 15},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::GrabScreen(0, 0, c.width, c.height, c.block, c.stride),
              platform::GrabStatus::kCopyFailed)
        << c.what;
  }
  EXPECT_EQ(block, std::vector<std::uint8_t>(64 * 4, 0xAB)) << "a refused grab wrote";
}

}  // namespace
