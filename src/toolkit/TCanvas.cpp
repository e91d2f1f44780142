#include "toolkit/TCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace toolkit {

namespace {

// A TColor (0x00BBGGRR) as a bitmap pixel (0x00RRGGBB).
std::uint32_t PixelOf(TColor color) {
  const auto c = static_cast<std::uint32_t>(color);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The range [from, to) cut to [0, limit).
std::pair<std::int64_t, std::int64_t> Clip(std::int64_t from, std::int64_t to, std::int64_t limit) {
  return {std::max<std::int64_t>(from, 0), std::min(to, limit)};
}

}  // namespace

TCanvas::TCanvas(TBitmap& bitmap, std::function<void(const TRect&)> changed)
    : bitmap_(bitmap), changed_(std::move(changed)) {}

void TCanvas::Plot(std::int32_t x, std::int32_t y, std::uint32_t pixel, TPenMode mode) {
  if (x < 0 || y < 0 || x >= bitmap_.Width() || y >= bitmap_.Height()) return;
  std::uint32_t& p = bitmap_.ScanLine(y)[x];
  p = mode == pmNot ? ~p & 0x00FFFFFF : pixel;
}

void TCanvas::Report(TRect area) const {
  area.Left = std::max(area.Left, 0);
  area.Top = std::max(area.Top, 0);
  area.Right = std::min(area.Right, bitmap_.Width());
  area.Bottom = std::min(area.Bottom, bitmap_.Height());
  if (!area.Empty() && changed_) changed_(area);
}

void TCanvas::LineTo(std::int32_t x, std::int32_t y) {
  const TPoint from = penPos_;
  penPos_ = {x, y};
  const std::int64_t dx = std::int64_t{x} - from.X;
  const std::int64_t dy = std::int64_t{y} - from.Y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t major = xMajor ? dx : dy;
  const std::int64_t minor = xMajor ? dy : dx;
  const std::int64_t steps = std::llabs(major);  // the end point is not drawn
  if (steps == 0) return;
  const std::int64_t majorStep = major > 0 ? 1 : -1;
  const std::int64_t minorStep = minor >= 0 ? 1 : -1;
  const std::int64_t majorStart = xMajor ? from.X : from.Y;
  const std::int64_t minorStart = xMajor ? from.Y : from.X;
  const std::int64_t majorLimit = xMajor ? bitmap_.Width() : bitmap_.Height();

  // Only the steps whose major coordinate lies on the bitmap are walked.
  std::int64_t first = 0;
  std::int64_t last = steps;  // exclusive
  if (majorStep > 0) {
    first = std::max(first, -majorStart);
    last = std::min(last, majorLimit - majorStart);
  } else {
    first = std::max(first, majorStart - majorLimit + 1);
    last = std::min(last, majorStart + 1);
  }
  const std::uint32_t pixel = PixelOf(Pen.Color);
  TRect touched{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (std::int64_t i = first; i < last; ++i) {
    // The minor coordinate nearest the ideal line (halves away from the start).
    const std::int64_t offset = (2 * i * std::llabs(minor) + steps) / (2 * steps);
    const auto a = static_cast<std::int32_t>(majorStart + i * majorStep);
    const std::int64_t b64 = minorStart + offset * minorStep;
    if (b64 < INT32_MIN || b64 > INT32_MAX) continue;
    const auto b = static_cast<std::int32_t>(b64);
    const std::int32_t px = xMajor ? a : b;
    const std::int32_t py = xMajor ? b : a;
    if (px < 0 || py < 0 || px >= bitmap_.Width() || py >= bitmap_.Height()) continue;
    Plot(px, py, pixel, Pen.Mode);
    touched = {std::min(touched.Left, px), std::min(touched.Top, py),
               std::max(touched.Right, px + 1), std::max(touched.Bottom, py + 1)};
  }
  Report(touched);
}

void TCanvas::Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const std::int64_t left = std::min(x1, x2);
  const std::int64_t right = std::max(x1, x2);
  const std::int64_t top = std::min(y1, y2);
  const std::int64_t bottom = std::max(y1, y2);
  if (right <= left || bottom <= top) return;
  const std::int64_t width = bitmap_.Width();
  const std::int64_t height = bitmap_.Height();
  const std::uint32_t pen = PixelOf(Pen.Color);

  // Each outline pixel once: the top and bottom rows whole, the side columns between them.
  const auto plotRow = [&](std::int64_t y) {
    if (y < 0 || y >= height) return;
    const auto [from, to] = Clip(left, right, width);
    for (std::int64_t x = from; x < to; ++x) {
      Plot(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), pen, Pen.Mode);
    }
  };
  const std::pair<std::int64_t, std::int64_t> columnRange = Clip(top + 1, bottom - 1, height);
  const std::int64_t columnFrom = columnRange.first;
  const std::int64_t columnTo = columnRange.second;
  const auto plotColumn = [&](std::int64_t x) {
    if (x < 0 || x >= width) return;
    for (std::int64_t y = columnFrom; y < columnTo; ++y) {
      Plot(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), pen, Pen.Mode);
    }
  };
  plotRow(top);
  if (bottom - 1 != top) plotRow(bottom - 1);
  plotColumn(left);
  if (right - 1 != left) plotColumn(right - 1);
  if (Brush.Style == bsSolid) {
    const std::uint32_t brush = PixelOf(Brush.Color);
    const auto [fillFrom, fillTo] = Clip(left + 1, right - 1, width);
    for (std::int64_t y = columnFrom; y < columnTo; ++y) {
      for (std::int64_t x = fillFrom; x < fillTo; ++x) {
        Plot(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), brush, Pen.Mode);
      }
    }
  }
  const auto clamp32 = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  Report({clamp32(left), clamp32(top), clamp32(right), clamp32(bottom)});
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  if (dest.Empty() || sourceRect.Empty()) return;
  // Copying within one bitmap reads from a snapshot, so overlapping areas copy whole.
  std::optional<TBitmap> snapshot;
  if (&source.bitmap_ == &bitmap_) snapshot = bitmap_;
  const TBitmap& from = snapshot ? *snapshot : source.bitmap_;
  const std::int64_t destWidth = dest.Width();
  const std::int64_t destHeight = dest.Height();
  const auto [xFrom, xTo] = Clip(dest.Left, dest.Right, bitmap_.Width());
  const auto [yFrom, yTo] = Clip(dest.Top, dest.Bottom, bitmap_.Height());
  for (std::int64_t y = yFrom; y < yTo; ++y) {
    const std::int64_t sy = sourceRect.Top + (y - dest.Top) * sourceRect.Height() / destHeight;
    if (sy < 0 || sy >= from.Height()) continue;
    const std::uint32_t* in = from.ScanLine(static_cast<std::int32_t>(sy));
    std::uint32_t* out = bitmap_.ScanLine(static_cast<std::int32_t>(y));
    for (std::int64_t x = xFrom; x < xTo; ++x) {
      const std::int64_t sx = sourceRect.Left + (x - dest.Left) * sourceRect.Width() / destWidth;
      if (sx >= 0 && sx < from.Width()) out[x] = in[sx];
    }
  }
  Report(dest);
}

}  // namespace toolkit
