// The toolkit's bitmap: a picture of 32-bit pixels (0x00RRGGBB, top row first) that the
// canvas draws into and the peers blit, with a 24-bit BMP reader and writer of its own.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/TColor.h"

namespace toolkit {

class TStream;

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(std::int32_t width, std::int32_t height) { SetSize(width, height); }

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Resizes; every pixel becomes black (0).
  void SetSize(std::int32_t width, std::int32_t height);

  // Pixel access, 0x00RRGGBB. Callers keep x, y inside the bitmap.
  std::uint32_t* ScanLine(std::int32_t y) { return pixels_.data() + std::size_t(y) * width_; }
  const std::uint32_t* ScanLine(std::int32_t y) const {
    return pixels_.data() + std::size_t(y) * width_;
  }
  std::uint32_t Pixel(std::int32_t x, std::int32_t y) const { return ScanLine(y)[x]; }
  void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t rgb) { ScanLine(y)[x] = rgb; }

  // Reads a BMP file from the stream's position (24-bit, uncompressed, 40-byte info
  // header). Returns false and leaves the bitmap as it was when the bytes are not one.
  bool LoadFromStream(TStream& stream);
  // Writes a 24-bit bottom-up BMP file at the stream's position; an empty bitmap writes
  // nothing.
  void SaveToStream(TStream& stream) const;

  bool Transparent = false;
  TColor TransparentColor = 0;

  friend bool operator==(const TBitmap&, const TBitmap&) = default;

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace toolkit
