#include "platform/x11/DibConversion.h"

#include <X11/Xutil.h>

#include <bit>
#include <cstddef>
#include <cstring>

namespace platform::x11 {
namespace {

// One colour channel of a pixel value: where its bits are and how to widen them to 8 bits.
struct Channel {
  unsigned shift = 0;
  unsigned bits = 0;
  std::uint32_t max = 0;

  explicit Channel(unsigned long mask)
      : shift(static_cast<unsigned>(std::countr_zero(mask))),
        bits(static_cast<unsigned>(std::popcount(mask))),
        max(bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1) {}

  std::uint8_t Extract(std::uint32_t pixel) const {
    const std::uint32_t value = (pixel >> shift) & max;
    if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
    return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
  }
};

std::uint8_t* DibRow(std::uint8_t* block, std::int32_t stride, std::int32_t blockHeight,
                     std::int32_t column, std::int32_t pictureRow) {
  return block + static_cast<std::ptrdiff_t>(blockHeight - 1 - pictureRow) * stride + 3 * column;
}

// What nearly every X server delivers today: 32-bit little-endian pixels 0x00RRGGBB, whose
// first three bytes already are blue, green, red.
bool IsPackedBgrx(const XImage& image) {
  return image.bits_per_pixel == 32 && image.byte_order == LSBFirst && image.red_mask == 0xFF0000 &&
         image.green_mask == 0x00FF00 && image.blue_mask == 0x0000FF;
}

std::uint32_t ReadPixel(const std::uint8_t* source, int bytesPerPixel, bool lsbFirst) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytesPerPixel; ++i) {
    const std::uint32_t byte = source[lsbFirst ? i : bytesPerPixel - 1 - i];
    value |= byte << (8 * i);
  }
  return value;
}

}  // namespace

bool ConvertImageToDib(const XImage& image, std::uint8_t* block, std::int32_t stride,
                       std::int32_t blockHeight, std::int32_t column, std::int32_t topRow) {
  if (image.format != ZPixmap) return false;
  const auto* sourceRow = reinterpret_cast<const std::uint8_t*>(image.data);

  if (IsPackedBgrx(image)) {
    for (int y = 0; y < image.height; ++y, sourceRow += image.bytes_per_line) {
      const std::uint8_t* source = sourceRow;
      std::uint8_t* target = DibRow(block, stride, blockHeight, column, topRow + y);
      int x = 0;
      if constexpr (std::endian::native == std::endian::little) {
        // Four pixels a step, 16 bytes in and 12 out, in one pass over the rows: a screen
        // is millions of pixels and is grabbed every tick.
        for (; x + 4 <= image.width; x += 4, source += 16, target += 12) {
          std::uint64_t first = 0;
          std::uint64_t second = 0;
          std::memcpy(&first, source, 8);
          std::memcpy(&second, source + 8, 8);
          // Each word holds two pixels; drop the byte above each pixel's three.
          first = (first & 0xFFFFFF) | ((first >> 8) & 0xFFFFFF000000);
          second = (second & 0xFFFFFF) | ((second >> 8) & 0xFFFFFF000000);
          const std::uint64_t low = first | (second << 48);
          const auto high = static_cast<std::uint32_t>(second >> 16);
          std::memcpy(target, &low, 8);
          std::memcpy(target + 8, &high, 4);
        }
      }
      for (; x < image.width; ++x, source += 4, target += 3) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
      }
    }
    return true;
  }

  const int bits = image.bits_per_pixel;
  if ((bits != 16 && bits != 24 && bits != 32) || image.red_mask == 0 || image.green_mask == 0 ||
      image.blue_mask == 0) {
    return false;
  }
  const int bytesPerPixel = bits / 8;
  const bool lsbFirst = image.byte_order == LSBFirst;
  const Channel red(image.red_mask);
  const Channel green(image.green_mask);
  const Channel blue(image.blue_mask);
  for (int y = 0; y < image.height; ++y, sourceRow += image.bytes_per_line) {
    const std::uint8_t* source = sourceRow;
    std::uint8_t* target = DibRow(block, stride, blockHeight, column, topRow + y);
    for (int x = 0; x < image.width; ++x, source += bytesPerPixel, target += 3) {
      const std::uint32_t pixel = ReadPixel(source, bytesPerPixel, lsbFirst);
      target[0] = blue.Extract(pixel);
      target[1] = green.Extract(pixel);
      target[2] = red.Extract(pixel);
    }
  }
  return true;
}

}  // namespace platform::x11
