#include "toolkit/TBitmap.h"

#include <algorithm>
#include <limits>

#include "toolkit/BmpHeader.h"
#include "toolkit/TStream.h"

namespace toolkit {

void TBitmap::SetSize(std::int32_t width, std::int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(std::size_t(width_) * std::size_t(height_), 0);
}

bool TBitmap::LoadFromStream(TStream& stream) {
  const std::int64_t start = stream.Position();
  TBmpHeaderBytes bytes;
  if (stream.Read(bytes.data(), kBmpHeaderSize) != kBmpHeaderSize) return false;
  const TBmpHeader header = DecodeBmpHeader(bytes);
  if (!header.IsPlain24Bit() || header.biWidth < 0 || header.bfOffBits < kBmpHeaderSize ||
      header.biHeight == std::numeric_limits<std::int32_t>::min()) {
    return false;
  }
  // A negative height stores the rows top-down.
  const bool topDown = header.biHeight < 0;
  const std::int64_t width = header.biWidth;
  const std::int64_t height = topDown ? -std::int64_t(header.biHeight) : header.biHeight;
  const std::int64_t stride = Bmp24Stride(width);
  // The pixels must all be there before anything is allocated, so that a header alone
  // can't ask for gigabytes. Judged by a division: the product of two sides near 2^31
  // would pass 64 bits.
  const std::int64_t pixelStart = start + header.bfOffBits;
  const std::int64_t available = stream.Size() - pixelStart;
  if (available < 0 || (height > 0 && stride > available / height)) return false;
  const std::int64_t dataSize = stride * height;

  std::vector<std::uint8_t> data(static_cast<std::size_t>(dataSize));
  stream.SetPosition(pixelStart);
  if (stream.Read(data.data(), dataSize) != dataSize) return false;

  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
  // Rows without columns hold nothing to convert, however many there are.
  for (std::int64_t y = 0; width > 0 && y < height; ++y) {
    const std::uint8_t* row = data.data() + (topDown ? y : height - 1 - y) * stride;
    std::uint32_t* out = pixels.data() + y * width;
    for (std::int64_t x = 0; x < width; ++x, row += 3) {
      out[x] = row[0] | (std::uint32_t(row[1]) << 8) | (std::uint32_t(row[2]) << 16);
    }
  }
  width_ = static_cast<std::int32_t>(width);
  height_ = static_cast<std::int32_t>(height);
  pixels_ = std::move(pixels);
  return true;
}

void TBitmap::SaveToStream(TStream& stream) const {
  if (Empty()) return;
  const std::int64_t stride = Bmp24Stride(width_);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(stride * height_), 0);
  for (std::int32_t y = 0; y < height_; ++y) {
    std::uint8_t* row = data.data() + std::int64_t(height_ - 1 - y) * stride;
    const std::uint32_t* in = ScanLine(y);
    for (std::int32_t x = 0; x < width_; ++x, row += 3) {
      row[0] = static_cast<std::uint8_t>(in[x]);
      row[1] = static_cast<std::uint8_t>(in[x] >> 8);
      row[2] = static_cast<std::uint8_t>(in[x] >> 16);
    }
  }
  const TBmpHeaderBytes header =
      EncodeBmpHeader(Bmp24Header(width_, height_, static_cast<std::uint32_t>(data.size())));
  stream.Write(header.data(), kBmpHeaderSize);
  stream.Write(data.data(), static_cast<std::int64_t>(data.size()));
}

}  // namespace toolkit
