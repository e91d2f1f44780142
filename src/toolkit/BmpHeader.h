// The 54-byte header of an uncompressed 24-bit BMP file (file header and 40-byte info
// header), shared by the toolkit bitmap and the pixel buffer of the matching layer.
#pragma once

#include <array>
#include <cstdint>

namespace toolkit {

inline constexpr std::int64_t kBmpFileHeaderSize = 14;
inline constexpr std::int64_t kBmpInfoHeaderSize = 40;
inline constexpr std::int64_t kBmpHeaderSize = kBmpFileHeaderSize + kBmpInfoHeaderSize;

using TBmpHeaderBytes = std::array<std::uint8_t, kBmpHeaderSize>;

struct TBmpHeader {
  std::uint16_t bfType = 0x4D42;  // "BM"
  std::uint32_t bfSize = 0;
  std::uint16_t bfReserved1 = 0;
  std::uint16_t bfReserved2 = 0;
  std::uint32_t bfOffBits = kBmpHeaderSize;
  std::uint32_t biSize = kBmpInfoHeaderSize;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 24;
  std::uint32_t biCompression = 0;  // BI_RGB
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 3780;  // 96 dpi
  std::int32_t biYPelsPerMeter = 3780;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;

  // True for the one kind of BMP that is read: "BM", 40-byte info header, 24 bits per
  // pixel, no compression. Sizes are not looked at.
  bool IsPlain24Bit() const;
};

// The header of a 24-bit bottom-up file of width x height pixels holding dataSize
// bytes of pixel data right after the header.
TBmpHeader Bmp24Header(std::int32_t width, std::int32_t height, std::uint32_t dataSize);

// Bytes per stored row of a 24-bit picture: 3 x width rounded up to a multiple of 4.
constexpr std::int64_t Bmp24Stride(std::int64_t width) {
  return ((24 * width + 31) & ~31) / 8;
}

TBmpHeaderBytes EncodeBmpHeader(const TBmpHeader& header);
TBmpHeader DecodeBmpHeader(const TBmpHeaderBytes& bytes);

}  // namespace toolkit
