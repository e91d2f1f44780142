#include "matching/BitmapData.h"

#include <limits>

#include "platform/Desktop.h"
#include "toolkit/BmpHeader.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TMemoryStream.h"

std::int32_t screenWidth = 0;
std::int32_t screenHeight = 0;

namespace {

constexpr char kNoMemory[] = "内存不足！";
constexpr char kNoStream[] = "没有指定数据流！";
constexpr char kBadFormat[] = "错误的数据格式！";
constexpr char kReadIncomplete[] = "读取的数据不完整！";
constexpr char kWriteIncomplete[] = "写入的数据不完整！";
constexpr char kNoBitmap[] = "没有指定位图！";
constexpr char kGrabFailed[] = "截图失败！";
constexpr char kExtractFailed[] = "提取数据失败！";

// The row stride and block size of a width x height picture, when both are sizes the
// buffer can hold: no negative side, nothing beyond 31 bits.
bool BlockGeometry(std::int32_t width, std::int32_t height, std::int64_t& stride,
                   std::int64_t& dataSize) {
  if (width < 0 || height < 0) return false;
  stride = toolkit::Bmp24Stride(width);
  dataSize = stride * height;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  return stride <= kMax && dataSize <= kMax;
}

// A pixel is exactly its three bytes, never a wider read, so no read passes the block.
inline std::int32_t PixelAt(const std::uint8_t* p) {
  return static_cast<std::int32_t>(p[0] | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16));
}

inline bool ChannelWithin(std::uint32_t a, std::uint32_t b, int shift, std::int32_t limit) {
  const std::int32_t d = static_cast<std::int32_t>((a >> shift) & 0xFF) -
                         static_cast<std::int32_t>((b >> shift) & 0xFF);
  return d <= limit && -d <= limit;
}

}  // namespace

void RecordScreenSize() {
  screenWidth = platform::ScreenWidth();
  screenHeight = platform::ScreenHeight();
}

std::int32_t SwapRedBlue(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return static_cast<std::int32_t>(((u >> 16) & 0xFF) | (u & 0xFF00) | ((u & 0xFF) << 16));
}

bool WithinTolerance(std::int32_t a, std::int32_t b, const TTolerance& tolerance) {
  const auto ua = static_cast<std::uint32_t>(a);
  const auto ub = static_cast<std::uint32_t>(b);
  return ChannelWithin(ua, ub, 0, tolerance.blue) && ChannelWithin(ua, ub, 8, tolerance.green) &&
         ChannelWithin(ua, ub, 16, tolerance.red);
}

TBDBitmapData::TBDBitmapData(const std::string& name) : name_(name) {}

TBDBitmapData::~TBDBitmapData() {
  Clear();
}

bool TBDBitmapData::Fail(const char* text) {
  lastError_ = text;
  return false;
}

bool TBDBitmapData::SetSize(std::int32_t width, std::int32_t height) {
  lastError_.clear();
  // After a failed allocation the same size is asked for again: it must try again, not
  // report a block it doesn't have.
  if (width == width_ && height == height_ && HoldsPixels()) return true;
  width_ = width;
  height_ = height;
  std::int64_t stride = 0;
  std::int64_t dataSize = 0;
  const bool fits = BlockGeometry(width, height, stride, dataSize);
  stride_ = fits ? static_cast<std::int32_t>(stride) : 0;
  rowGap_ = fits ? static_cast<std::int32_t>(stride - 3 * std::int64_t(width)) : 0;
  if (fits) {
    dataSize_ = static_cast<std::int32_t>(dataSize);
    pixelsMissing_ = false;
    if (dataSize_ <= capacity_) return true;
    pixels_.reset();
    pixels_ = platform::AllocateBlock(static_cast<std::size_t>(dataSize_));
    if (pixels_) {
      capacity_ = dataSize_;
      return true;
    }
  }
  // The memory can't be had (or the size is none a block can have): the buffer keeps
  // the size asked for, but no block.
  pixels_.reset();
  dataSize_ = 0;
  capacity_ = 0;
  pixelsMissing_ = true;
  return Fail(kNoMemory);
}

void TBDBitmapData::Clear() {
  pixels_.reset();
  width_ = height_ = stride_ = rowGap_ = dataSize_ = capacity_ = 0;
  transparentKey_ = -1;
  lastError_.clear();
  pixelsMissing_ = false;
}

bool TBDBitmapData::LoadFromStream(toolkit::TStream* stream, std::int32_t key) {
  if (stream == nullptr) return Fail(kNoStream);
  toolkit::TBmpHeaderBytes bytes{};
  if (stream->Read(bytes.data(), toolkit::kBmpHeaderSize) != toolkit::kBmpHeaderSize) {
    return Fail(kBadFormat);
  }
  const toolkit::TBmpHeader header = toolkit::DecodeBmpHeader(bytes);
  std::int64_t stride = 0;
  std::int64_t dataSize = 0;
  // A negative or oversized side is refused here, before anything changes.
  if (!header.IsPlain24Bit() || !BlockGeometry(header.biWidth, header.biHeight, stride, dataSize)) {
    return Fail(kBadFormat);
  }
  transparentKey_ = key;
  if (!SetSize(header.biWidth, header.biHeight)) return false;
  // bfOffBits is not used: the pixels are the bytes right after the 54-byte header.
  const std::int64_t read = dataSize_ > 0 ? stream->Read(pixels_.get(), dataSize_) : 0;
  if (read != dataSize_) return Fail(kReadIncomplete);
  lastError_.clear();
  return true;
}

bool TBDBitmapData::SaveToStream(toolkit::TStream* stream) {
  if (stream == nullptr) return Fail(kNoStream);
  // A buffer whose allocation failed has no picture to write; a header alone would
  // claim pixels that aren't there.
  if (!HoldsPixels()) return Fail(kNoMemory);
  const toolkit::TBmpHeaderBytes header = toolkit::EncodeBmpHeader(
      toolkit::Bmp24Header(width_, height_, static_cast<std::uint32_t>(dataSize_)));
  std::int64_t written = stream->Write(header.data(), toolkit::kBmpFileHeaderSize);
  written +=
      stream->Write(header.data() + toolkit::kBmpFileHeaderSize, toolkit::kBmpInfoHeaderSize);
  if (dataSize_ > 0) written += stream->Write(pixels_.get(), dataSize_);
  if (written != dataSize_ + toolkit::kBmpHeaderSize) return Fail(kWriteIncomplete);
  lastError_.clear();
  return true;
}

bool TBDBitmapData::SaveToBitmap(toolkit::TBitmap* bitmap) {
  if (bitmap == nullptr) return Fail(kNoBitmap);
  toolkit::TMemoryStream stream;
  if (!SaveToStream(&stream)) return false;
  stream.SetPosition(0);
  bitmap->LoadFromStream(stream);
  bitmap->Transparent = transparentKey_ != -1;
  if (bitmap->Transparent) bitmap->TransparentColor = SwapRedBlue(transparentKey_);
  return true;
}

bool TBDBitmapData::CopyFromScreen(std::int32_t left, std::int32_t top, std::int32_t width,
                                   std::int32_t height) {
  if (left < 0 || left >= screenWidth) left = 0;
  if (top < 0 || top >= screenHeight) top = 0;
  if (width < 1) width = screenWidth - left;
  if (height < 1) height = screenHeight - top;
  if (!SetSize(width, height)) return false;
  // Only before the screen size is recorded is there nothing to copy.
  if (width < 1 || height < 1) return true;
  switch (platform::GrabScreen(left, top, width, height, pixels_.get(), stride_)) {
    case platform::GrabStatus::kCopyFailed:
      return Fail(kGrabFailed);
    case platform::GrabStatus::kExtractFailed:
      return Fail(kExtractFailed);
    case platform::GrabStatus::kOk:
      break;
  }
  lastError_.clear();
  return true;
}

template <typename PixelHits>
bool TBDBitmapData::FindWith(std::int32_t& x, std::int32_t& y, PixelHits hits) const {
  x = y = -1;
  // Without columns there is no pixel to visit, however many rows are claimed.
  if (!HoldsPixels() || width_ < 1) return false;
  for (std::int32_t row = 0; row < height_; ++row) {
    // The top row of the picture is the last stored row.
    const std::uint8_t* p = pixels_.get() + std::int64_t(height_ - 1 - row) * stride_;
    for (std::int32_t col = 0; col < width_; ++col, p += 3) {
      if (hits(PixelAt(p))) {
        x = col;
        y = row;
        return true;
      }
    }
  }
  return false;
}

bool TBDBitmapData::FindColor(std::int32_t color, std::int32_t& x, std::int32_t& y) const {
  return FindWith(x, y, [color](std::int32_t pixel) { return pixel == color; });
}

bool TBDBitmapData::FindColorTolerant(std::int32_t color, const TTolerance& tolerance,
                                      std::int32_t& x, std::int32_t& y) const {
  return FindWith(x, y, [color, tolerance](std::int32_t pixel) {
    return WithinTolerance(pixel, color, tolerance);
  });
}

template <typename PixelsPass>
bool TBDBitmapData::MatchWith(const TBDBitmapData& picture, std::int32_t x, std::int32_t y,
                              PixelsPass pass) const {
  if (!HoldsPixels() || !picture.HoldsPixels()) return false;
  const std::int32_t w = picture.width_;
  const std::int32_t h = picture.height_;
  // A corner left of or above the buffer would put the picture partly outside it.
  if (x < 0 || y < 0 || std::int64_t(x) + w > width_ || std::int64_t(y) + h > height_) {
    return false;
  }
  // A picture without pixels matches wherever it fits, however many rows it claims.
  if (w == 0 || h == 0) return true;
  const std::int32_t bufferKey = transparentKey_;
  const std::int32_t pictureKey = picture.transparentKey_;
  for (std::int32_t r = 0; r < h; ++r) {
    // The picture's stored row r lies on the buffer's stored row (H - h - y) + r.
    const std::uint8_t* p =
        pixels_.get() + std::int64_t(height_ - h - y + r) * stride_ + 3 * std::int64_t(x);
    const std::uint8_t* q = picture.pixels_.get() + std::int64_t(r) * picture.stride_;
    for (std::int32_t c = 0; c < w; ++c, p += 3, q += 3) {
      const std::int32_t bufferPixel = PixelAt(p);
      const std::int32_t picturePixel = PixelAt(q);
      if (bufferPixel != bufferKey && picturePixel != pictureKey &&
          !pass(bufferPixel, picturePixel)) {
        return false;
      }
    }
  }
  return true;
}

bool TBDBitmapData::MatchAt(const TBDBitmapData& picture, std::int32_t x, std::int32_t y) const {
  return MatchWith(picture, x, y, [](std::int32_t p, std::int32_t q) { return p == q; });
}

bool TBDBitmapData::MatchAtTolerant(const TBDBitmapData& picture, const TTolerance& tolerance,
                                    std::int32_t x, std::int32_t y) const {
  return MatchWith(picture, x, y, [tolerance](std::int32_t p, std::int32_t q) {
    return WithinTolerance(p, q, tolerance);
  });
}

template <typename MatchesAt>
bool TBDBitmapData::FindPictureWith(const TBDBitmapData& picture, std::int32_t& x, std::int32_t& y,
                                    MatchesAt matchesAt) const {
  x = y = -1;
  if (!HoldsPixels() || !picture.HoldsPixels()) return false;
  const std::int64_t lastY = std::int64_t(height_) - picture.height_;
  const std::int64_t lastX = std::int64_t(width_) - picture.width_;
  for (std::int64_t py = 0; py <= lastY; ++py) {
    for (std::int64_t px = 0; px <= lastX; ++px) {
      if (matchesAt(static_cast<std::int32_t>(px), static_cast<std::int32_t>(py))) {
        x = static_cast<std::int32_t>(px);
        y = static_cast<std::int32_t>(py);
        return true;
      }
    }
  }
  return false;
}

bool TBDBitmapData::FindPicture(const TBDBitmapData& picture, std::int32_t& x,
                                std::int32_t& y) const {
  return FindPictureWith(
      picture, x, y, [&](std::int32_t px, std::int32_t py) { return MatchAt(picture, px, py); });
}

bool TBDBitmapData::FindPictureTolerant(const TBDBitmapData& picture, const TTolerance& tolerance,
                                        std::int32_t& x, std::int32_t& y) const {
  return FindPictureWith(picture, x, y, [&](std::int32_t px, std::int32_t py) {
    return MatchAtTolerant(picture, tolerance, px, py);
  });
}
