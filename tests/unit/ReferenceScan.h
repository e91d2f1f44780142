// The plain brute-force colour and picture scans: every pixel in scan order, every
// position with every pair of pixels in stored order, nothing skipped. The fast scans of
// TBDBitmapData must give exactly these results; the differential test holds them to
// it and the benchmarks measure them against it. Test and benchmark code only.
#pragma once

#include <cstdint>

#include "matching/BitmapData.h"

namespace reference_scan {

// A pixel is its three bytes, blue + green << 8 + red << 16.
inline std::int32_t PixelAt(const std::uint8_t* p) {
  return static_cast<std::int32_t>(p[0] | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16));
}

// A buffer whose allocation failed keeps its size but has no block to read.
inline bool HoldsPixels(const TBDBitmapData& b) {
  return b.pixels() != nullptr || std::int64_t(b.stride()) * b.height() == 0;
}

inline const std::uint8_t* PixelAddress(const TBDBitmapData& b, std::int32_t x, std::int32_t y) {
  return b.pixels() + std::int64_t(b.height() - 1 - y) * b.stride() + 3 * std::int64_t(x);
}

template <typename Hits>
bool FindColorWith(const TBDBitmapData& b, std::int32_t& x, std::int32_t& y, Hits hits) {
  x = y = -1;
  if (!HoldsPixels(b) || b.width() < 1) return false;
  for (std::int32_t row = 0; row < b.height(); ++row) {
    for (std::int32_t col = 0; col < b.width(); ++col) {
      if (hits(PixelAt(PixelAddress(b, col, row)))) {
        x = col;
        y = row;
        return true;
      }
    }
  }
  return false;
}

inline bool FindColor(const TBDBitmapData& b, std::int32_t color, std::int32_t& x,
                      std::int32_t& y) {
  return FindColorWith(b, x, y, [color](std::int32_t p) { return p == color; });
}

inline bool FindColorTolerant(const TBDBitmapData& b, std::int32_t color, const TTolerance& t,
                              std::int32_t& x, std::int32_t& y) {
  return FindColorWith(b, x, y, [&](std::int32_t p) { return WithinTolerance(p, color, t); });
}

template <typename Pass>
bool MatchAt(const TBDBitmapData& b, const TBDBitmapData& picture, std::int32_t x, std::int32_t y,
             Pass pass) {
  const std::int32_t w = picture.width();
  const std::int32_t h = picture.height();
  if (std::int64_t(x) + w > b.width() || std::int64_t(y) + h > b.height()) return false;
  for (std::int32_t r = 0; r < h; ++r) {
    // The picture's stored row r (its bottom row first) lies on the buffer's stored row
    // (H - h - y) + r.
    const std::uint8_t* p =
        b.pixels() + std::int64_t(b.height() - h - y + r) * b.stride() + 3 * std::int64_t(x);
    const std::uint8_t* q = picture.pixels() + std::int64_t(r) * picture.stride();
    for (std::int32_t c = 0; c < w; ++c, p += 3, q += 3) {
      const std::int32_t bufferPixel = PixelAt(p);
      const std::int32_t picturePixel = PixelAt(q);
      if (bufferPixel != b.transparentKey() && picturePixel != picture.transparentKey() &&
          !pass(bufferPixel, picturePixel)) {
        return false;
      }
    }
  }
  return true;
}

template <typename Pass>
bool FindPictureWith(const TBDBitmapData& b, const TBDBitmapData& picture, std::int32_t& x,
                     std::int32_t& y, Pass pass) {
  x = y = -1;
  if (!HoldsPixels(b) || !HoldsPixels(picture)) return false;
  for (std::int64_t py = 0; py <= std::int64_t(b.height()) - picture.height(); ++py) {
    for (std::int64_t px = 0; px <= std::int64_t(b.width()) - picture.width(); ++px) {
      if (MatchAt(b, picture, std::int32_t(px), std::int32_t(py), pass)) {
        x = std::int32_t(px);
        y = std::int32_t(py);
        return true;
      }
    }
  }
  return false;
}

inline bool FindPicture(const TBDBitmapData& b, const TBDBitmapData& picture, std::int32_t& x,
                        std::int32_t& y) {
  return FindPictureWith(b, picture, x, y, [](std::int32_t p, std::int32_t q) { return p == q; });
}

inline bool FindPictureTolerant(const TBDBitmapData& b, const TBDBitmapData& picture,
                                const TTolerance& t, std::int32_t& x, std::int32_t& y) {
  return FindPictureWith(b, picture, x, y,
                         [&](std::int32_t p, std::int32_t q) { return WithinTolerance(p, q, t); });
}

}  // namespace reference_scan
