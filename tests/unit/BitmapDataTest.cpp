#include "matching/BitmapData.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "PixelTestUtil.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/BmpHeader.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TMemoryStream.h"

using pixel_test::Fill;
using pixel_test::LittleEndian;
using pixel_test::PutPixel;
using toolkit::TMemoryStream;
namespace sim = platform::sim;

namespace {

constexpr char kNoMemory[] = "内存不足！";
constexpr char kBadFormat[] = "错误的数据格式！";

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0x000000, W = 0xFFFFFF;

std::vector<std::uint8_t> BlockOf(const TBDBitmapData& buffer) {
  return {buffer.pixels(), buffer.pixels() + buffer.dataSize()};
}

std::vector<std::uint8_t> Saved(TBDBitmapData& buffer) {
  TMemoryStream stream;
  EXPECT_TRUE(buffer.SaveToStream(&stream));
  return stream.Memory();
}

TMemoryStream StreamOf(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream;
  stream.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
  return stream;
}

// Gives buffer the transparent key by reloading it, the only way a key is set.
void SetKey(TBDBitmapData& buffer, std::int32_t key) {
  TMemoryStream stream = StreamOf(Saved(buffer));
  ASSERT_TRUE(buffer.LoadFromStream(&stream, key));
}

// The 3 x 2 picture of the tests: top row R G B, bottom row W K R.
void ThreeByTwo(TBDBitmapData& buffer) {
  Fill(buffer, {{R, G, B}, {W, K, R}});
}

class BitmapData : public pixel_test::SimScreenTest {};

}  // namespace

TEST_F(BitmapData, ANewBufferIsEmpty) {
  TBDBitmapData buffer("label");
  EXPECT_EQ(buffer.name(), "label");
  EXPECT_EQ(buffer.width(), 0);
  EXPECT_EQ(buffer.height(), 0);
  EXPECT_EQ(buffer.stride(), 0);
  EXPECT_EQ(buffer.dataSize(), 0);
  EXPECT_EQ(buffer.capacity(), 0);
  EXPECT_EQ(buffer.pixels(), nullptr);
  EXPECT_EQ(buffer.transparentKey(), -1);
  EXPECT_EQ(buffer.lastError(), "");
}

TEST_F(BitmapData, SetSizeComputesTheDibRowLayout) {
  const struct {
    int width, stride, rowGap;
  } cases[] = {{1, 4, 1}, {2, 8, 2}, {3, 12, 3}, {4, 12, 0}, {5, 16, 1}, {0, 0, 0}};
  for (const auto& c : cases) {
    TBDBitmapData buffer;
    ASSERT_TRUE(buffer.SetSize(c.width, 2));
    EXPECT_EQ(buffer.stride(), c.stride) << c.width;
    EXPECT_EQ(buffer.rowGap(), c.rowGap) << c.width;
    EXPECT_EQ(buffer.dataSize(), 2 * c.stride) << c.width;
    EXPECT_EQ(buffer.capacity(), 2 * c.stride) << c.width;
  }
}

TEST_F(BitmapData, TheBlockGrowsButNeverShrinks) {
  TBDBitmapData buffer;
  ASSERT_TRUE(buffer.SetSize(4, 4));
  const std::uint8_t* block = buffer.pixels();
  const int allocations = sim::AllocationCount();

  ASSERT_TRUE(buffer.SetSize(2, 2));  // smaller: same block, same capacity
  EXPECT_EQ(buffer.pixels(), block);
  EXPECT_EQ(buffer.capacity(), 48);
  EXPECT_EQ(buffer.dataSize(), 16);
  ASSERT_TRUE(buffer.SetSize(2, 2));  // same size: nothing at all
  EXPECT_EQ(sim::AllocationCount(), allocations);

  ASSERT_TRUE(buffer.SetSize(8, 8));  // larger: a new block of exactly dataSize
  EXPECT_EQ(sim::AllocationCount(), allocations + 1);
  EXPECT_EQ(buffer.capacity(), 192);
  EXPECT_EQ(buffer.lastError(), "");
}

TEST_F(BitmapData, AFailedAllocationLeavesTheSizeButNoPixelsToTouch) {
  TBDBitmapData buffer;
  sim::RefuseNextAllocations(1);
  EXPECT_FALSE(buffer.SetSize(10, 10));
  EXPECT_EQ(buffer.lastError(), kNoMemory);
  EXPECT_EQ(buffer.width(), 10);
  EXPECT_EQ(buffer.height(), 10);
  EXPECT_EQ(buffer.dataSize(), 0);
  EXPECT_EQ(buffer.capacity(), 0);
  EXPECT_EQ(buffer.pixels(), nullptr);

  // Nothing reads the missing pixels: searches find nothing, saving writes nothing.
  TBDBitmapData dot;
  Fill(dot, {{K}});
  int x = 0, y = 0;
  EXPECT_FALSE(buffer.FindColor(0, x, y));
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);
  EXPECT_FALSE(buffer.FindColorTolerant(0, {255, 255, 255}, x, y));
  EXPECT_FALSE(buffer.FindPicture(dot, x, y));
  EXPECT_FALSE(dot.FindPicture(buffer, x, y));
  TMemoryStream stream;
  EXPECT_FALSE(buffer.SaveToStream(&stream));
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(buffer.lastError(), kNoMemory);

  // Asking for the same size again tries again instead of reporting a block it lacks.
  ASSERT_TRUE(buffer.SetSize(10, 10));
  EXPECT_NE(buffer.pixels(), nullptr);
  EXPECT_EQ(buffer.dataSize(), 320);
}

TEST_F(BitmapData, SizesNoBlockCanHaveAreRefused) {
  const struct {
    int width, height;
  } cases[] = {{-1, 5}, {5, -1}, {30000, 30000}, {INT_MAX, 1}, {INT_MAX, 0}};
  for (const auto& c : cases) {
    TBDBitmapData buffer;
    EXPECT_FALSE(buffer.SetSize(c.width, c.height)) << c.width << "x" << c.height;
    EXPECT_EQ(buffer.lastError(), kNoMemory);
    EXPECT_EQ(buffer.pixels(), nullptr);
    int x = 0, y = 0;
    EXPECT_FALSE(buffer.FindColor(0, x, y));
  }
}

TEST_F(BitmapData, ClearFreesTheBlockAndDropsTheKey) {
  TBDBitmapData buffer;
  ThreeByTwo(buffer);
  SetKey(buffer, 0x123456);
  buffer.Clear();
  EXPECT_EQ(buffer.transparentKey(), -1);
  EXPECT_EQ(buffer.pixels(), nullptr);
  EXPECT_EQ(buffer.capacity(), 0);
  EXPECT_EQ(buffer.width(), 0);
  const int allocations = sim::AllocationCount();
  EXPECT_TRUE(buffer.SetSize(0, 0));
  EXPECT_EQ(sim::AllocationCount(), allocations);
}

TEST_F(BitmapData, SavesTheBmpLayoutByteForByte) {
  TBDBitmapData empty;
  const std::vector<std::uint8_t> header = Saved(empty);
  ASSERT_EQ(header.size(), 54u);
  EXPECT_EQ(LittleEndian(header, 2, 4), 54u);  // bfSize
  EXPECT_EQ(LittleEndian(header, 18, 4), 0u);  // biWidth
  EXPECT_EQ(LittleEndian(header, 34, 4), 0u);  // biSizeImage

  TBDBitmapData buffer;
  ThreeByTwo(buffer);
  std::memset(buffer.pixels() + 9, 0xAB, 3);  // pad bytes are written as held
  std::memset(buffer.pixels() + 21, 0xCD, 3);
  const std::vector<std::uint8_t> bytes = Saved(buffer);
  ASSERT_EQ(bytes.size(), 78u);
  const struct {
    std::size_t offset;
    int size;
    std::uint32_t value;
  } fields[] = {{0, 2, 0x4D42}, {2, 4, 78},    {6, 2, 0},  {8, 2, 0},   {10, 4, 54}, {14, 4, 40},
                {18, 4, 3},     {22, 4, 2},    {26, 2, 1}, {28, 2, 24}, {30, 4, 0},  {34, 4, 24},
                {38, 4, 3780},  {42, 4, 3780}, {46, 4, 0}, {50, 4, 0}};
  for (const auto& f : fields)
    EXPECT_EQ(LittleEndian(bytes, f.offset, f.size), f.value) << f.offset;
  // Stored row 0 is the bottom row W K R, then its pad, then the top row R G B.
  const std::vector<std::uint8_t> pixels(bytes.begin() + 54, bytes.end());
  const std::vector<std::uint8_t> expected = {
      0xFF, 0xFF, 0xFF, /**/ 0, 0,    0, /**/ 0,    0, 0xFF, /**/ 0xAB, 0xAB, 0xAB,   // W K R, pad
      0,    0,    0xFF, /**/ 0, 0xFF, 0, /**/ 0xFF, 0, 0,    /**/ 0xCD, 0xCD, 0xCD};  // R G B, pad
  EXPECT_EQ(pixels, expected);
}

TEST_F(BitmapData, LoadsWhatItSavedWithTheKeyGiven) {
  TBDBitmapData original;
  ThreeByTwo(original);
  TMemoryStream stream = StreamOf(Saved(original));
  TBDBitmapData loaded;
  ASSERT_TRUE(loaded.LoadFromStream(&stream, 0x123456));
  EXPECT_EQ(loaded.width(), 3);
  EXPECT_EQ(loaded.height(), 2);
  EXPECT_EQ(loaded.transparentKey(), 0x123456);
  EXPECT_EQ(BlockOf(loaded), BlockOf(original));
  EXPECT_EQ(loaded.lastError(), "");
}

TEST_F(BitmapData, RejectedHeadersLeaveTheBufferAsItWas) {
  TBDBitmapData source;
  ThreeByTwo(source);
  const std::vector<std::uint8_t> good = Saved(source);
  auto patched = [&](std::size_t offset, std::uint32_t value, int size) {
    std::vector<std::uint8_t> bytes = good;
    for (int i = 0; i < size; ++i)
      bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
  };
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"32 bits per pixel", patched(28, 32, 2)},
      {"compressed", patched(30, 1, 4)},
      {"108-byte info header", patched(14, 108, 4)},
      {"124-byte info header", patched(14, 124, 4)},
      {"not BM", patched(0, 0x4142, 2)},
      {"negative width", patched(18, static_cast<std::uint32_t>(-3), 4)},
      {"negative height (top-down)", patched(22, static_cast<std::uint32_t>(-2), 4)},
      {"dataSize beyond 31 bits", patched(18, 0x20000000, 4)},
      {"stride beyond 31 bits", patched(18, 0x7FFFFFFF, 4)},
      {"53 header bytes", {good.begin(), good.begin() + 53}},
      {"no bytes", {}},
  };
  for (const auto& c : cases) {
    TBDBitmapData buffer;
    Fill(buffer, {{G, G}});
    SetKey(buffer, 0x0000AA);
    const std::vector<std::uint8_t> before = BlockOf(buffer);
    TMemoryStream stream = StreamOf(c.bytes);
    EXPECT_FALSE(buffer.LoadFromStream(&stream, 0x123456)) << c.what;
    EXPECT_EQ(buffer.lastError(), kBadFormat) << c.what;
    EXPECT_EQ(buffer.width(), 2) << c.what;
    EXPECT_EQ(buffer.height(), 1) << c.what;
    EXPECT_EQ(buffer.transparentKey(), 0x0000AA) << c.what;
    EXPECT_EQ(BlockOf(buffer), before) << c.what;
  }
}

TEST_F(BitmapData, PixelsAreTheBytesRightAfterTheHeader) {
  TBDBitmapData source;
  Fill(source, {{R}});
  std::vector<std::uint8_t> bytes = Saved(source);
  bytes[10] = 58;  // bfOffBits points past a 4-byte gap: it is not used
  TMemoryStream stream = StreamOf(bytes);
  TBDBitmapData loaded;
  ASSERT_TRUE(loaded.LoadFromStream(&stream, -1));
  int x = 0, y = 0;
  EXPECT_TRUE(loaded.FindColor(static_cast<std::int32_t>(R), x, y));
}

TEST_F(BitmapData, AStreamCutShortKeepsTheHeaderSizeAndTheBytesThatArrived) {
  TBDBitmapData source;
  ThreeByTwo(source);
  std::vector<std::uint8_t> bytes = Saved(source);
  bytes.resize(54 + 10);
  TMemoryStream stream = StreamOf(bytes);
  TBDBitmapData loaded;
  EXPECT_FALSE(loaded.LoadFromStream(&stream, 7));
  EXPECT_EQ(loaded.lastError(), "读取的数据不完整！");
  EXPECT_EQ(loaded.width(), 3);
  EXPECT_EQ(loaded.height(), 2);
  EXPECT_EQ(loaded.transparentKey(), 7);
  EXPECT_EQ(std::memcmp(loaded.pixels(), source.pixels(), 10), 0);
}

TEST_F(BitmapData, AZeroSizeHeaderWithoutPixelsLoads) {
  const toolkit::TBmpHeaderBytes header = toolkit::EncodeBmpHeader(toolkit::Bmp24Header(0, 5, 0));
  TMemoryStream stream = StreamOf({header.begin(), header.end()});
  TBDBitmapData loaded;
  EXPECT_TRUE(loaded.LoadFromStream(&stream, 0x112233));
  EXPECT_EQ(loaded.dataSize(), 0);
  EXPECT_EQ(loaded.height(), 5);
  EXPECT_EQ(loaded.transparentKey(), 0x112233);
}

TEST_F(BitmapData, ALoadWhoseAllocationFailsKeepsTheNewKeyAndSize) {
  TBDBitmapData source;
  ThreeByTwo(source);
  TMemoryStream stream = StreamOf(Saved(source));
  TBDBitmapData loaded;
  sim::RefuseAllocationsAbove(8);
  EXPECT_FALSE(loaded.LoadFromStream(&stream, 5));
  EXPECT_EQ(loaded.lastError(), kNoMemory);
  EXPECT_EQ(loaded.transparentKey(), 5);
  EXPECT_EQ(loaded.width(), 3);
  EXPECT_EQ(loaded.pixels(), nullptr);
}

TEST_F(BitmapData, MissingStreamOrBitmapAndShortWritesAreReported) {
  TBDBitmapData buffer;
  ThreeByTwo(buffer);
  EXPECT_FALSE(buffer.LoadFromStream(nullptr, -1));
  EXPECT_EQ(buffer.lastError(), "没有指定数据流！");
  EXPECT_FALSE(buffer.SaveToStream(nullptr));
  EXPECT_EQ(buffer.lastError(), "没有指定数据流！");
  EXPECT_FALSE(buffer.SaveToBitmap(nullptr));
  EXPECT_EQ(buffer.lastError(), "没有指定位图！");

  // A stream that takes only the first 60 bytes written to it.
  struct ShortStream : TMemoryStream {
    std::int64_t Write(const void* data, std::int64_t count) override {
      const std::int64_t room = std::max<std::int64_t>(0, 60 - Size());
      return TMemoryStream::Write(data, std::min(count, room));
    }
  } shortStream;
  EXPECT_FALSE(buffer.SaveToStream(&shortStream));
  EXPECT_EQ(buffer.lastError(), "写入的数据不完整！");
  toolkit::TBitmap bitmap;
  EXPECT_TRUE(buffer.SaveToBitmap(&bitmap));
  EXPECT_EQ(buffer.lastError(), "");
}

TEST_F(BitmapData, SaveToBitmapGivesTheSamePixelsAndTheKeyAsTransparentColour) {
  TBDBitmapData buffer;
  ThreeByTwo(buffer);
  SetKey(buffer, 0x123456);  // red 0x12, green 0x34, blue 0x56
  toolkit::TBitmap bitmap;
  ASSERT_TRUE(buffer.SaveToBitmap(&bitmap));
  ASSERT_EQ(bitmap.Width(), 3);
  ASSERT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.Pixel(0, 0), R);
  EXPECT_EQ(bitmap.Pixel(2, 0), B);
  EXPECT_EQ(bitmap.Pixel(0, 1), W);
  EXPECT_TRUE(bitmap.Transparent);
  EXPECT_EQ(bitmap.TransparentColor, 0x563412);  // a TColor: red in the lowest byte

  SetKey(buffer, -1);
  ASSERT_TRUE(buffer.SaveToBitmap(&bitmap));
  EXPECT_FALSE(bitmap.Transparent);
}

TEST_F(BitmapData, CopyFromScreenFitsTheRectangleToTheRecordedScreen) {
  const int sw = screenWidth, sh = screenHeight;
  const struct {
    int left, top, width, height;
    sim::GrabRequest grabbed;
  } cases[] = {
      {-5, 10, 0, 0, {0, 10, sw, sh - 10}},
      {sw + 3, 0, 100, 50, {0, 0, 100, 50}},
      {10, 10, -20, 30, {10, 10, sw - 10, 30}},
      {3, sh, 5, 5, {3, 0, 5, 5}},
  };
  for (const auto& c : cases) {
    TBDBitmapData buffer;
    ASSERT_TRUE(buffer.CopyFromScreen(c.left, c.top, c.width, c.height));
    const sim::GrabRequest& g = sim::GrabLog().back();
    EXPECT_EQ(g.left, c.grabbed.left);
    EXPECT_EQ(g.top, c.grabbed.top);
    EXPECT_EQ(g.width, c.grabbed.width);
    EXPECT_EQ(g.height, c.grabbed.height);
    EXPECT_EQ(buffer.width(), c.grabbed.width);
    EXPECT_EQ(buffer.height(), c.grabbed.height);
  }
}

TEST_F(BitmapData, CopyFromScreenUsesTheSizeRecordedAtStart) {
  sim::SetScreenSize(200, 100);  // changed after RecordScreenSize: not seen
  TBDBitmapData buffer;
  ASSERT_TRUE(buffer.CopyFromScreen(0, 0, 0, 0));
  EXPECT_EQ(buffer.width(), 64);
  EXPECT_EQ(buffer.height(), 48);
}

TEST_F(BitmapData, BeyondTheScreenEdgeAGrabHoldsWhatTheDesktopDelivers) {
  sim::FillRect(0, 0, 64, 48, 0x808080);
  TBDBitmapData buffer;
  Fill(buffer, {{R}});
  SetKey(buffer, 0x42);
  ASSERT_TRUE(buffer.CopyFromScreen(62, 46, 4, 3));
  EXPECT_EQ(buffer.transparentKey(), 0x42);  // a grab keeps the key
  // Columns 62, 63 and rows 46, 47 are on the screen; the rest is black.
  constexpr std::uint32_t S = 0x808080;
  TBDBitmapData expected;
  Fill(expected, {{S, S, K, K}, {S, S, K, K}, {K, K, K, K}});
  EXPECT_TRUE(buffer.MatchAt(expected, 0, 0));
}

TEST_F(BitmapData, CopyFromScreenReportsWhichStepFailed) {
  TBDBitmapData buffer;
  sim::FailNextGrab(platform::GrabStatus::kCopyFailed);
  EXPECT_FALSE(buffer.CopyFromScreen(0, 0, 4, 4));
  EXPECT_EQ(buffer.lastError(), "截图失败！");
  sim::FailNextGrab(platform::GrabStatus::kExtractFailed);
  EXPECT_FALSE(buffer.CopyFromScreen(0, 0, 4, 4));
  EXPECT_EQ(buffer.lastError(), "提取数据失败！");
  EXPECT_TRUE(buffer.CopyFromScreen(0, 0, 4, 4));
  EXPECT_EQ(buffer.lastError(), "");

  sim::RefuseNextAllocations(1);
  const std::size_t grabs = sim::GrabLog().size();
  EXPECT_FALSE(buffer.CopyFromScreen(0, 0, 40, 40));
  EXPECT_EQ(buffer.lastError(), kNoMemory);
  EXPECT_EQ(sim::GrabLog().size(), grabs);  // nothing was grabbed into a missing block
}

TEST_F(BitmapData, CopyFromScreenBeforeTheScreenIsRecordedGrabsNothing) {
  screenWidth = 0;
  screenHeight = 0;
  TBDBitmapData buffer;
  EXPECT_TRUE(buffer.CopyFromScreen(0, 0, 0, 0));
  EXPECT_EQ(buffer.dataSize(), 0);
  EXPECT_TRUE(sim::GrabLog().empty());
}

TEST(BitmapDataColours, SwapRedBlueExchangesTheOuterBytesAndClearsTheTop) {
  EXPECT_EQ(SwapRedBlue(0x00563412), 0x00123456);
  EXPECT_EQ(SwapRedBlue(0x00123456), 0x00563412);
  EXPECT_EQ(SwapRedBlue(static_cast<std::int32_t>(0xFF0000FF)), 0x00FF0000);
  EXPECT_EQ(SwapRedBlue(-1), 0x00FFFFFF);
}

TEST(BitmapDataColours, WithinToleranceChecksEachChannelAgainstItsOwnLimit) {
  const struct {
    std::int32_t a, b;
    TTolerance t;  // red, green, blue
    bool within;
  } cases[] = {
      {0x102030, 0x102030, {0, 0, 0}, true},
      {0x102030, 0x102032, {0, 0, 2}, true},  // blue is the lowest byte
      {0x102030, 0x102033, {0, 0, 2}, false},
      {0x102030, 0x10202D, {0, 0, 2}, false},  // the difference counts both ways
      {0x102030, 0x122030, {2, 0, 0}, true},   // red is the third byte
      {0x102030, 0x122030, {0, 2, 2}, false},
      {0x102030, 0x102230, {0, 2, 0}, true},
      {0x000000, 0xFFFFFF, {255, 255, 255}, true},
      {0x000000, 0xFFFFFF, {254, 255, 255}, false},
      {0x102030, 0x102030, {-1, 0, 0}, false},  // a negative limit admits nothing
      {0x000000, 0xFFFFFF, {INT_MAX, INT_MAX, INT_MAX}, true},
      {0x000000, 0x000000, {INT_MIN, 0, 0}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithinTolerance(c.a, c.b, c.t), c.within) << std::hex << c.a << " " << c.b;
  }
}

TEST_F(BitmapData, FindColorScansFromTheTopRowLeftToRight) {
  TBDBitmapData buffer;
  Fill(buffer, {{K, K, K, K}, {K, K, R, K}, {R, K, G, G}});
  SetKey(buffer, static_cast<std::int32_t>(R));  // the key plays no part in colour scans
  int x = 0, y = 0;
  ASSERT_TRUE(buffer.FindColor(static_cast<std::int32_t>(R), x, y));
  EXPECT_EQ(x, 2);  // the upper of two places wins
  EXPECT_EQ(y, 1);
  ASSERT_TRUE(buffer.FindColor(static_cast<std::int32_t>(G), x, y));
  EXPECT_EQ(x, 2);  // on one row, the left one
  EXPECT_EQ(y, 2);
  EXPECT_FALSE(buffer.FindColor(static_cast<std::int32_t>(B), x, y));
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);

  ASSERT_TRUE(buffer.FindColorTolerant(0x00FD02, {0, 2, 2}, x, y));
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 2);
  EXPECT_FALSE(buffer.FindColorTolerant(0x00FC00, {0, 2, 2}, x, y));
  EXPECT_EQ(x, -1);
}

TEST_F(BitmapData, AFourByOneBufferIsScannedWithinItsTwelveBytes) {
  // The block is exactly 12 bytes: a wider read of the last pixel would leave it.
  TBDBitmapData buffer;
  Fill(buffer, {{K, K, K, B}});
  ASSERT_EQ(buffer.dataSize(), 12);
  ASSERT_EQ(buffer.rowGap(), 0);
  TBDBitmapData picture;
  Fill(picture, {{B}});
  int x = 0, y = 0;
  EXPECT_FALSE(buffer.FindColor(static_cast<std::int32_t>(R), x, y));
  EXPECT_TRUE(buffer.FindPicture(picture, x, y));
  EXPECT_EQ(x, 3);
  EXPECT_TRUE(buffer.FindPictureTolerant(picture, {0, 0, 0}, x, y));
  EXPECT_EQ(x, 3);
}

TEST_F(BitmapData, MatchAtPutsThePicturesCornerOnTheGivenPixel) {
  TBDBitmapData buffer;
  Fill(buffer, {{K, K, K, K}, {K, R, G, K}, {K, B, W, K}});
  TBDBitmapData picture;
  Fill(picture, {{R, G}, {B, W}});
  EXPECT_TRUE(buffer.MatchAt(picture, 1, 1));
  EXPECT_FALSE(buffer.MatchAt(picture, 0, 1));
  EXPECT_FALSE(buffer.MatchAt(picture, 1, 0));
  EXPECT_FALSE(buffer.MatchAt(picture, 3, 1));   // would reach past the right edge
  EXPECT_FALSE(buffer.MatchAt(picture, 1, 2));   // past the bottom
  EXPECT_FALSE(buffer.MatchAt(picture, -1, 1));  // left of the buffer
  EXPECT_TRUE(buffer.MatchAtTolerant(picture, {0, 0, 0}, 1, 1));

  TBDBitmapData near;
  Fill(near, {{0xFE0101, G}, {B, W}});
  EXPECT_FALSE(buffer.MatchAt(near, 1, 1));
  EXPECT_TRUE(buffer.MatchAtTolerant(near, {1, 1, 1}, 1, 1));
  EXPECT_FALSE(buffer.MatchAtTolerant(near, {0, 1, 1}, 1, 1));
}

TEST_F(BitmapData, EitherTransparentKeyMatchesAnything) {
  TBDBitmapData buffer;
  Fill(buffer, {{R, G}});
  TBDBitmapData picture;
  Fill(picture, {{B, G}});
  EXPECT_FALSE(buffer.MatchAt(picture, 0, 0));
  SetKey(picture, static_cast<std::int32_t>(B));  // the picture's own pixel
  EXPECT_TRUE(buffer.MatchAt(picture, 0, 0));
  EXPECT_TRUE(buffer.MatchAtTolerant(picture, {0, 0, 0}, 0, 0));
  // The key passes whatever the limit, but G against G needs a limit of at least 0.
  EXPECT_FALSE(buffer.MatchAtTolerant(picture, {-1, -1, -1}, 0, 0));
  SetKey(picture, -1);
  SetKey(buffer, static_cast<std::int32_t>(R));  // the buffer's own pixel
  EXPECT_TRUE(buffer.MatchAt(picture, 0, 0));
  SetKey(buffer, static_cast<std::int32_t>(B));  // a key is compared with its own pixels only
  EXPECT_FALSE(buffer.MatchAt(picture, 0, 0));
}

TEST_F(BitmapData, FindPictureTakesTheHighestThenLeftmostPlace) {
  TBDBitmapData buffer;
  Fill(buffer, {{K, K, K, K, K},  //
                {K, K, K, R, G},
                {R, G, K, K, K},
                {K, K, K, R, G}});
  TBDBitmapData picture;
  Fill(picture, {{R, G}});
  int x = 0, y = 0;
  ASSERT_TRUE(buffer.FindPicture(picture, x, y));
  EXPECT_EQ(x, 3);  // touching the right edge, and higher than (0, 2)
  EXPECT_EQ(y, 1);
  ASSERT_TRUE(buffer.FindPictureTolerant(picture, {0, 0, 0}, x, y));
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 1);

  TBDBitmapData row;
  Fill(row, {{R, G, K, R, G}});
  ASSERT_TRUE(row.FindPicture(picture, x, y));
  EXPECT_EQ(x, 0);  // at equal height the left one
  EXPECT_EQ(y, 0);
}

TEST_F(BitmapData, FindPictureOnlyTriesPlacesWhereThePictureFits) {
  TBDBitmapData buffer;
  Fill(buffer, {{R, G}, {B, W}});
  TBDBitmapData same;
  Fill(same, {{R, G}, {B, W}});
  TBDBitmapData wider;
  Fill(wider, {{R, G, K}});
  TBDBitmapData taller;
  Fill(taller, {{G}, {W}, {K}});
  TBDBitmapData bottomRight;
  Fill(bottomRight, {{W}});
  int x = 0, y = 0;
  EXPECT_TRUE(buffer.FindPicture(same, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_FALSE(buffer.FindPicture(wider, x, y));
  EXPECT_EQ(x, -1);
  EXPECT_FALSE(buffer.FindPicture(taller, x, y));
  EXPECT_TRUE(buffer.FindPicture(bottomRight, x, y));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);

  TBDBitmapData noRows;
  ASSERT_TRUE(noRows.SetSize(3, 0));
  EXPECT_FALSE(buffer.FindPicture(noRows, x, y));  // 3 columns don't fit in 2
  ASSERT_TRUE(noRows.SetSize(1, 0));
  EXPECT_TRUE(buffer.FindPicture(noRows, x, y));  // matches at the first place tried
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}
