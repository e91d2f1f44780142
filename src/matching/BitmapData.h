// The in-memory picture: one block of 24-bit pixels laid out exactly like the pixel data
// of an uncompressed bottom-up DIB, so that a screen grab and the pixel data of a BMP
// file land in it in one piece. Also the colour and picture scans over that block.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/TComponent.h"

namespace toolkit {
class TBitmap;
class TStream;
}  // namespace toolkit

// The primary screen's size, recorded once by RecordScreenSize at program start;
// CopyFromScreen uses these values for the whole run.
extern std::int32_t screenWidth;
extern std::int32_t screenHeight;
void RecordScreenSize();

// Exchanges the lowest and the third byte and clears the highest: a TColor (0x00BBGGRR)
// becomes a colour value (0x00RRGGBB) and back.
std::int32_t SwapRedBlue(std::int32_t v);

// The largest difference allowed per channel.
struct TTolerance {
  std::int32_t red = 0;
  std::int32_t green = 0;
  std::int32_t blue = 0;
};

// Whether each channel of the colour values a and b differs by at most its limit; a
// negative limit admits no difference at all, not even 0.
bool WithinTolerance(std::int32_t a, std::int32_t b, const TTolerance& tolerance);

class TBDBitmapData : public toolkit::TObject {
 public:
  explicit TBDBitmapData(const std::string& name = "");
  ~TBDBitmapData() override;
  TBDBitmapData(const TBDBitmapData&) = delete;
  TBDBitmapData& operator=(const TBDBitmapData&) = delete;

  // Every fallible operation returns false and leaves a fixed text in lastError, which
  // it empties on success.
  //
  // A block of a megabyte or more that a buffer lets go (Clear, a growth, the
  // destructor) is kept for the next buffer that needs one that large, so that a search
  // grabbing the screen every tick allocates nothing after the first.
  bool SetSize(std::int32_t width, std::int32_t height);
  void Clear();
  // Reads a 24-bit BMP file at the stream's position; key is a colour value that picture
  // matches treat as matching anything, or -1 for none.
  bool LoadFromStream(toolkit::TStream* stream, std::int32_t key);
  bool SaveToStream(toolkit::TStream* stream);
  bool SaveToBitmap(toolkit::TBitmap* bitmap);
  bool CopyFromScreen(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

  // Scans: rows from the top of the picture down, each row left to right; the first hit
  // wins. x and y are -1 when there is none, and also when the buffer lost its pixels
  // to a failed allocation.
  bool FindColor(std::int32_t color, std::int32_t& x, std::int32_t& y) const;
  bool FindColorTolerant(std::int32_t color, const TTolerance& tolerance, std::int32_t& x,
                         std::int32_t& y) const;
  // Whether picture shows with its top-left corner on this buffer's pixel (x, y).
  bool MatchAt(const TBDBitmapData& picture, std::int32_t x, std::int32_t y) const;
  bool MatchAtTolerant(const TBDBitmapData& picture, const TTolerance& tolerance, std::int32_t x,
                       std::int32_t y) const;
  bool FindPicture(const TBDBitmapData& picture, std::int32_t& x, std::int32_t& y) const;
  bool FindPictureTolerant(const TBDBitmapData& picture, const TTolerance& tolerance,
                           std::int32_t& x, std::int32_t& y) const;

  const std::string& name() const { return name_; }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  std::int32_t transparentKey() const { return transparentKey_; }
  std::int32_t stride() const { return stride_; }
  std::int32_t rowGap() const { return rowGap_; }
  std::int32_t dataSize() const { return dataSize_; }
  std::int32_t capacity() const { return capacity_; }
  // The block: height rows of stride bytes, the bottom row first; null when none is held.
  std::uint8_t* pixels() { return pixels_.get(); }
  const std::uint8_t* pixels() const { return pixels_.get(); }
  const std::string& lastError() const { return lastError_; }

 private:
  // Whether the block holds all height x stride bytes of the picture; false after a
  // failed allocation, when the buffer keeps the size it asked for but has no pixels.
  bool HoldsPixels() const { return !pixelsMissing_; }
  bool Fail(const char* text);
  template <typename RowsPass>
  bool MatchWith(const TBDBitmapData& picture, std::int32_t x, std::int32_t y,
                 RowsPass rowsPass) const;
  template <typename PixelHits>
  bool FindWith(std::int32_t& x, std::int32_t& y, const PixelHits& hits) const;
  template <typename Rule>
  bool FindPictureWith(const TBDBitmapData& picture, const Rule& rule, std::int32_t& x,
                       std::int32_t& y) const;

  std::string name_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::int32_t transparentKey_ = -1;
  std::int32_t stride_ = 0;
  std::int32_t rowGap_ = 0;
  std::int32_t dataSize_ = 0;
  std::int32_t capacity_ = 0;
  std::unique_ptr<std::uint8_t[]> pixels_;
  std::string lastError_;
  bool pixelsMissing_ = false;
};
