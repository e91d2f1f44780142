// Helpers for the pixel-buffer and search tests: build buffers pixel by pixel and
// give each test a fresh simulated desktop.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "matching/BitmapData.h"
#include "platform/sim/SimDesktop.h"

namespace pixel_test {

// Writes the colour value rgb (0x00RRGGBB) at (x, y), counted from the top-left corner.
inline void PutPixel(TBDBitmapData& buffer, int x, int y, std::uint32_t rgb) {
  std::uint8_t* p =
      buffer.pixels() + std::int64_t(buffer.height() - 1 - y) * buffer.stride() + 3 * x;
  p[0] = static_cast<std::uint8_t>(rgb);
  p[1] = static_cast<std::uint8_t>(rgb >> 8);
  p[2] = static_cast<std::uint8_t>(rgb >> 16);
}

// Sizes buffer to the rows given (top row first) and fills it with them.
inline void Fill(TBDBitmapData& buffer, const std::vector<std::vector<std::uint32_t>>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = height > 0 ? static_cast<int>(rows[0].size()) : 0;
  ASSERT_TRUE(buffer.SetSize(width, height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) PutPixel(buffer, x, y, rows[y][x]);
  }
}

inline std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                  int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[offset + i];
  return value;
}

// A fresh simulated desktop of the given screen size, recorded as at program start.
class SimScreenTest : public ::testing::Test {
 protected:
  void SetUp() override { UseScreen(64, 48); }
  static void UseScreen(int width, int height) {
    platform::sim::Reset();
    platform::sim::SetScreenSize(width, height);
    RecordScreenSize();
  }
};

}  // namespace pixel_test
