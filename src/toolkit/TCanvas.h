// Drawing into a TBitmap's pixels, as the platform's device context would: pen mode NOT
// or copy, clear or solid brush, lines without their end point, rectangle outlines with
// the right and bottom edge exclusive, rectangle copies. Pens are one pixel wide; pen and
// brush colours are plain colours (0x00BBGGRR), of a system colour only its low 24 bits
// count.
#pragma once

#include <cstdint>
#include <functional>

#include "toolkit/TBitmap.h"
#include "toolkit/TColor.h"
#include "toolkit/Types.h"

namespace toolkit {

enum TPenMode : std::uint8_t {
  pmCopy,  // pixels take the pen colour
  pmNot,   // pixels become their bitwise inverse; the colour does not matter, and drawing
           // the same figure twice gives back the pixels that were there
};
enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TPen {
  TColor Color = clBlack;
  TPenMode Mode = pmCopy;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

class TCanvas {
 public:
  // Draws into bitmap, which must outlive the canvas. changed, if given, hears the area
  // (clipped to the bitmap) that each drawing call touched.
  explicit TCanvas(TBitmap& bitmap, std::function<void(const TRect&)> changed = {});

  TPen Pen;
  TBrush Brush;

  TBitmap& Bitmap() const { return bitmap_; }

  TPoint PenPos() const { return penPos_; }
  void MoveTo(std::int32_t x, std::int32_t y) { penPos_ = {x, y}; }
  // A line from the pen position up to, not including, (x, y), which becomes the pen
  // position. Pixels beyond the bitmap are skipped.
  void LineTo(std::int32_t x, std::int32_t y);
  // The outline of the rectangle with corners (x1, y1) and (x2, y2), in either order:
  // columns min..max-1 and rows min..max-1, each pixel drawn once. A rectangle without
  // width or height draws nothing. A solid brush fills the inside, the mode applying.
  void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // Copies source's sourceRect of pixels onto dest of this canvas, stretched (nearest
  // pixel) when the sizes differ; both are clipped to their bitmaps. Empty or reversed
  // rectangles copy nothing. The source may be this canvas.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

 private:
  void Plot(std::int32_t x, std::int32_t y, std::uint32_t pixel, TPenMode mode);
  void Report(TRect area) const;

  TBitmap& bitmap_;
  std::function<void(const TRect&)> changed_;
  TPoint penPos_;
};

}  // namespace toolkit
