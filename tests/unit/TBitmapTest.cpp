#include "toolkit/TBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "toolkit/BmpHeader.h"
#include "toolkit/TMemoryStream.h"

using toolkit::TBitmap;
using toolkit::TMemoryStream;

namespace {

// A 2 x 2 picture: top row red, green; bottom row blue, white (0x00RRGGBB).
TBitmap TwoByTwo() {
  TBitmap bitmap(2, 2);
  bitmap.SetPixel(0, 0, 0xFF0000);
  bitmap.SetPixel(1, 0, 0x00FF00);
  bitmap.SetPixel(0, 1, 0x0000FF);
  bitmap.SetPixel(1, 1, 0xFFFFFF);
  return bitmap;
}

TMemoryStream StreamOf(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream;
  stream.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
  return stream;
}

}  // namespace

TEST(TBitmapFile, SavesABottomUp24BitFileWithPaddedRows) {
  TMemoryStream stream;
  TwoByTwo().SaveToStream(stream);
  const std::vector<std::uint8_t>& bytes = stream.Memory();
  ASSERT_EQ(bytes.size(), 54u + 16u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(bytes[28], 24);  // bits per pixel
  EXPECT_EQ(bytes[22], 2);   // positive height: bottom-up
  // Stored row 0 is the bottom row: blue, white, two pad bytes; then red, green.
  const std::vector<std::uint8_t> pixels(bytes.begin() + 54, bytes.end());
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  //
                                               0, 0, 0xFF, 0, 0xFF, 0, 0, 0}));
}

TEST(TBitmapFile, LoadsWhatItSavedAndAnEmptyBitmapWritesNothing) {
  TMemoryStream stream;
  TwoByTwo().SaveToStream(stream);
  stream.SetPosition(0);
  TBitmap loaded;
  ASSERT_TRUE(loaded.LoadFromStream(stream));
  EXPECT_EQ(loaded, TwoByTwo());

  TMemoryStream empty;
  TBitmap().SaveToStream(empty);
  EXPECT_EQ(empty.Size(), 0);
}

TEST(TBitmapFile, ReadsTopDownRowsAndPixelsAtTheirOffset) {
  // Top-down (negative height), pixel data 4 bytes after the header.
  toolkit::TBmpHeader header = toolkit::Bmp24Header(1, -2, 8);
  header.bfOffBits = 58;
  const toolkit::TBmpHeaderBytes head = toolkit::EncodeBmpHeader(header);
  std::vector<std::uint8_t> bytes(head.begin(), head.end());
  bytes.insert(bytes.end(), {9, 9, 9, 9, /*top*/ 3, 2, 1, 0, /*bottom*/ 6, 5, 4, 0});
  TMemoryStream stream = StreamOf(bytes);
  TBitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromStream(stream));
  ASSERT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0x010203u);
  EXPECT_EQ(bitmap.Pixel(0, 1), 0x040506u);
}

TEST(TBitmapFile, RejectsOtherFilesAndShortDataAndStaysAsItWas) {
  auto withHeader = [](auto change) {
    toolkit::TBmpHeader header = toolkit::Bmp24Header(2, 2, 16);
    change(header);
    const toolkit::TBmpHeaderBytes head = toolkit::EncodeBmpHeader(header);
    std::vector<std::uint8_t> bytes(head.size() + 16, 0);
    std::copy(head.begin(), head.end(), bytes.begin());
    return bytes;
  };
  std::vector<std::uint8_t> cutShort = withHeader([](auto&) {});
  cutShort.resize(60);
  const std::vector<std::vector<std::uint8_t>> rejected = {
      withHeader([](auto& h) { h.biBitCount = 32; }),
      withHeader([](auto& h) { h.biCompression = 1; }),
      withHeader([](auto& h) { h.biSize = 108; }),
      withHeader([](auto& h) { h.bfType = 0x4142; }),
      withHeader([](auto& h) { h.biWidth = -2; }),
      withHeader([](auto& h) { h.bfOffBits = 20; }),
      // A header asking for far more pixels than the stream holds.
      withHeader([](auto& h) { h.biWidth = h.biHeight = 40000; }),
      cutShort,
      std::vector<std::uint8_t>(30, 'B'),
  };
  for (std::size_t i = 0; i < rejected.size(); ++i) {
    TMemoryStream stream = StreamOf(rejected[i]);
    TBitmap bitmap = TwoByTwo();
    EXPECT_FALSE(bitmap.LoadFromStream(stream)) << i;
    EXPECT_EQ(bitmap, TwoByTwo()) << i;
  }
}
