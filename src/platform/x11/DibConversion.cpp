#include "platform/x11/DibConversion.h"

#include <X11/Xutil.h>

#include <bit>
#include <cstddef>
#include <cstring>

#include "platform/VectorLevel.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

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

// Packs a row of width 32-bit pixels 0x00RRGGBB (bytes blue, green, red, unused) into
// width three-byte pixels. Every loop writes exactly the row's 3 x width bytes: the bytes
// after them belong to the pad or to the next stored row, which is already written.
using RowPacker = void (*)(const std::uint8_t* source, std::uint8_t* target, int width);

void PackRowPlain(const std::uint8_t* source, std::uint8_t* target, int width) {
  int x = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // Four pixels a step, 16 bytes in and 12 out.
    for (; x + 4 <= width; x += 4, source += 16, target += 12) {
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
  for (; x < width; ++x, source += 4, target += 3) {
    target[0] = source[0];
    target[1] = source[1];
    target[2] = source[2];
  }
}

#if defined(__x86_64__) || defined(__i386__)
// Sixteen pixels, 64 bytes in and 48 out: each load of four pixels is packed into its low 12
// bytes, and the four pieces are shifted together into three stores.
[[gnu::target("ssse3")]] inline void PackSixteen(const std::uint8_t* source, std::uint8_t* target) {
  const __m128i drop = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  const auto* in = reinterpret_cast<const __m128i*>(source);
  auto* out = reinterpret_cast<__m128i*>(target);
  const __m128i a = _mm_shuffle_epi8(_mm_loadu_si128(in), drop);
  const __m128i b = _mm_shuffle_epi8(_mm_loadu_si128(in + 1), drop);
  const __m128i c = _mm_shuffle_epi8(_mm_loadu_si128(in + 2), drop);
  const __m128i d = _mm_shuffle_epi8(_mm_loadu_si128(in + 3), drop);
  _mm_storeu_si128(out, _mm_or_si128(a, _mm_slli_si128(b, 12)));
  _mm_storeu_si128(out + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
  _mm_storeu_si128(out + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
}

[[gnu::target("ssse3")]] void PackRowSsse3(const std::uint8_t* source, std::uint8_t* target,
                                           int width) {
  int x = 0;
  for (; x + 16 <= width; x += 16, source += 64, target += 48) PackSixteen(source, target);
  PackRowPlain(source, target, width - x);
}

// Thirty-two pixels, 128 bytes in and 96 out. The byte shuffle works within each half of a
// register, so every load comes out as six packed double words at 0-2 and 4-6; the double
// word permutes and blends put 24 of them into three stores.
[[gnu::target("avx2")]] void PackRowAvx2(const std::uint8_t* source, std::uint8_t* target,
                                         int width) {
  const __m256i drop = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0,
                                        1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  // Where each output double word comes from; the blends pick the right register.
  const __m256i firstSix = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 0, 1);
  const __m256i fromTwo = _mm256_setr_epi32(2, 4, 5, 6, 0, 1, 2, 4);
  const __m256i fromFour = _mm256_setr_epi32(5, 6, 0, 1, 2, 4, 5, 6);
  int x = 0;
  for (; x + 32 <= width; x += 32, source += 128, target += 96) {
    const auto* in = reinterpret_cast<const __m256i*>(source);
    auto* out = reinterpret_cast<__m256i*>(target);
    const __m256i a = _mm256_shuffle_epi8(_mm256_loadu_si256(in), drop);
    const __m256i b = _mm256_shuffle_epi8(_mm256_loadu_si256(in + 1), drop);
    const __m256i c = _mm256_shuffle_epi8(_mm256_loadu_si256(in + 2), drop);
    const __m256i d = _mm256_shuffle_epi8(_mm256_loadu_si256(in + 3), drop);
    // a0-a5 b0 b1 | b2-b5 c0-c3 | c4 c5 d0-d5
    _mm256_storeu_si256(out, _mm256_blend_epi32(_mm256_permutevar8x32_epi32(a, firstSix),
                                                _mm256_permutevar8x32_epi32(b, firstSix), 0xC0));
    _mm256_storeu_si256(out + 1, _mm256_blend_epi32(_mm256_permutevar8x32_epi32(b, fromTwo),
                                                    _mm256_permutevar8x32_epi32(c, fromTwo), 0xF0));
    _mm256_storeu_si256(out + 2,
                        _mm256_blend_epi32(_mm256_permutevar8x32_epi32(c, fromFour),
                                           _mm256_permutevar8x32_epi32(d, fromFour), 0xFC));
  }
  for (; x + 16 <= width; x += 16, source += 64, target += 48) PackSixteen(source, target);
  PackRowPlain(source, target, width - x);
}
#endif

RowPacker ChooseRowPacker() {
#if defined(__x86_64__) || defined(__i386__)
  switch (platform::VectorLevelInUse()) {
    case platform::VectorLevel::kAvx512:
    case platform::VectorLevel::kAvx2:
      return PackRowAvx2;
    case platform::VectorLevel::kSsse3:
      return PackRowSsse3;
    case platform::VectorLevel::kBaseline:
      break;
  }
#endif
  return PackRowPlain;
}

}  // namespace

bool ConvertImageToDib(const XImage& image, std::uint8_t* block, std::int32_t stride,
                       std::int32_t blockHeight, std::int32_t column, std::int32_t topRow) {
  if (image.format != ZPixmap) return false;
  const auto* sourceRow = reinterpret_cast<const std::uint8_t*>(image.data);

  if (IsPackedBgrx(image)) {
    const RowPacker pack = ChooseRowPacker();
    for (int y = 0; y < image.height; ++y, sourceRow += image.bytes_per_line) {
      pack(sourceRow, DibRow(block, stride, blockHeight, column, topRow + y), image.width);
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
