#include "matching/BitmapData.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Desktop.h"
#include "toolkit/BmpHeader.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TMemoryStream.h"

#include "platform/VectorLevel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The colour scans' wide sieve: AVX2 or AVX-512, chosen at run time.
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))
#define PILGROVE_WIDE_SIEVE 1
#include <immintrin.h>
#endif

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
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  stride = toolkit::Bmp24Stride(width);
  // A stride that fits keeps the product within 64 bits: two sides near 2^31 would not.
  if (stride > kMax) return false;
  dataSize = stride * height;
  return dataSize <= kMax;
}

// Blocks of a megabyte and more, screen grabs, outlive their buffer: the largest one let
// go is kept and handed to the next buffer that grows to its size. The runner searches a
// new grab of the screen every tick, and allocating and faulting in megabytes each time
// would cost more than the search. Smaller blocks come and go with their buffers.
constexpr std::int32_t kKeptBlockSize = 1 << 20;

struct KeptBlock {
  std::unique_ptr<std::uint8_t[]> pixels;
  std::int32_t capacity = 0;
};
// Constant-initialised, so it outlives every buffer with static storage that may still
// let a block go at exit. Used on the GUI thread only, as the buffers are.
constinit KeptBlock keptBlock;

void LetGo(std::unique_ptr<std::uint8_t[]>& pixels, std::int32_t capacity) {
  if (pixels != nullptr && capacity >= kKeptBlockSize && capacity > keptBlock.capacity) {
    keptBlock.pixels = std::move(pixels);
    keptBlock.capacity = capacity;
  }
  pixels.reset();
}

// For a block of a megabyte or more, the kept block when it holds at least bytes; else
// a new block of exactly bytes, so that a small buffer never sits on a screen's worth. Null
// when the memory can't be had. capacity is set to the size of the block returned.
std::unique_ptr<std::uint8_t[]> TakeBlock(std::int32_t bytes, std::int32_t& capacity) {
  if (bytes >= kKeptBlockSize && keptBlock.capacity >= bytes) {
    capacity = std::exchange(keptBlock.capacity, 0);
    return std::move(keptBlock.pixels);
  }
  capacity = bytes;
  return platform::AllocateBlock(static_cast<std::size_t>(bytes));
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
    LetGo(pixels_, capacity_);
    std::int32_t capacity = 0;
    pixels_ = TakeBlock(dataSize_, capacity);
    if (pixels_) {
      capacity_ = capacity;
      return true;
    }
  }
  // The memory can't be had (or the size is none a block can have): the buffer keeps
  // the size asked for, but no block.
  LetGo(pixels_, capacity_);
  dataSize_ = 0;
  capacity_ = 0;
  pixelsMissing_ = true;
  return Fail(kNoMemory);
}

void TBDBitmapData::Clear() {
  LetGo(pixels_, capacity_);
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

// ---- Scans ------------------------------------------------------------------------------
//
// The scans give exactly the results of the plain scan that visits every position in
// order and compares every pair of pixels there; they only get there sooner. The colour
// scans test 32 pixels a step, behind a cheaper sieve. The picture scans first test each
// position at two of the picture's most distinctive pixels, sixteen positions at a time,
// then at a few more, and compare the whole picture only where all of those pass. A match
// needs every pair to pass, so the order in which pairs are tested changes no result.

namespace {

// Pixels are 24-bit: a key or colour with any of the high bits set never equals one.
bool IsPixelValue(std::int32_t v) {
  return (static_cast<std::uint32_t>(v) >> 24) == 0;
}

// How a buffer pixel is compared with a colour: equal, or within per-channel limits.
struct PixelRule {
  bool exact = true;
  TTolerance tolerance;

  bool Pass(std::int32_t pixel, std::int32_t colour) const {
    return exact ? pixel == colour : WithinTolerance(pixel, colour, tolerance);
  }
};

// Bit 3i of a 48-bit byte mask: the first byte of pixel i of a block of sixteen.
constexpr std::uint64_t kPixelStarts = 0x249249249249;

#if defined(__SSE2__)
// 48 bytes of the 3-byte value blue, green, red repeated sixteen times.
void RepeatOverBlock(const std::array<std::uint8_t, 3>& bytes, __m128i (&block)[3]) {
  std::array<std::uint8_t, 48> repeated{};
  for (std::size_t i = 0; i < repeated.size(); ++i) repeated[i] = bytes[i % 3];
  for (int k = 0; k < 3; ++k) {
    block[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(repeated.data() + 16 * k));
  }
}

std::array<std::uint8_t, 3> ChannelBytes(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16)};
}

// The channel values from value - limit to value + limit that a byte can hold: the
// lowest, and how many more there are.
std::uint8_t LowestWithin(std::uint8_t value, std::int32_t limit) {
  return static_cast<std::uint8_t>(std::max(0, value - std::min(limit, 255)));
}
std::uint8_t RangeWithin(std::uint8_t value, std::int32_t limit) {
  return static_cast<std::uint8_t>(std::min(255, value + std::min(limit, 255)) -
                                   LowestWithin(value, limit));
}

// The pixels of a block whose three bytes all hit, from the per-byte results.
std::uint64_t PixelHits(__m128i a, __m128i b, __m128i c) {
  const std::uint64_t m = std::uint64_t(std::uint32_t(_mm_movemask_epi8(a))) |
                          std::uint64_t(std::uint32_t(_mm_movemask_epi8(b))) << 16 |
                          std::uint64_t(std::uint32_t(_mm_movemask_epi8(c))) << 32;
  return m & (m >> 1) & (m >> 2) & kPixelStarts;
}

// Per byte, 0xFF where misses (as PixelTest::ColourMisses gives them) is 0, else 0.
__m128i HitBytes(__m128i misses) {
  return _mm_cmpeq_epi8(misses, _mm_setzero_si128());
}
#endif

// The run of pixels that the wide sieve below passes at a time.
constexpr std::int64_t kSievePixels = 64;

#if defined(PILGROVE_WIDE_SIEVE)
// Where the processor has AVX2 or AVX-512, the colour scans first pass 64 pixels (192
// bytes) at a time through the necessary test of their 32-pixel step (some aligned pair of
// bytes inside a pixel hits) with the widest registers it has, and hand the 64 pixels to
// that step only where the test lets them through. At these widths a pass over a screen
// runs at the speed of memory.
constexpr std::size_t kSieveBytes = 3 * kSievePixels;

struct WideSieve {
  // Repeated over 64 pixels: the colour (exact) or the lowest byte value within the limits
  // around it, how many more lie within, and 0xFF in the 16-bit lanes whose two bytes
  // belong to one pixel.
  alignas(64) std::array<std::uint8_t, kSieveBytes> low{};
  alignas(64) std::array<std::uint8_t, kSieveBytes> range{};
  alignas(64) std::array<std::uint8_t, kSieveBytes> pairs{};
};

// How many of the chunks of 64 pixels from p surely hold no hit, counted up to the first
// that may.
using SieveRun = std::int64_t (*)(const std::uint8_t* p, std::int64_t chunks,
                                  const WideSieve& sieve);

// Per 16-bit lane of register k of the 192 bytes at p: all ones where both bytes hit.
// (A lambda would not take on the target of the function around it.)
template <bool kExact>
[[gnu::target("avx2")]] inline __m256i PairHitsAvx2(const std::uint8_t* p, const WideSieve& sieve,
                                                    int k) {
  const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p) + k);
  const __m256i low = _mm256_load_si256(reinterpret_cast<const __m256i*>(sieve.low.data()) + k);
  if constexpr (kExact) {
    return _mm256_cmpeq_epi16(x, low);
  } else {
    const __m256i range =
        _mm256_load_si256(reinterpret_cast<const __m256i*>(sieve.range.data()) + k);
    return _mm256_cmpeq_epi16(_mm256_subs_epu8(_mm256_sub_epi8(x, low), range),
                              _mm256_setzero_si256());
  }
}

template <bool kExact>
[[gnu::target("avx2")]] std::int64_t SieveAvx2(const std::uint8_t* p, std::int64_t chunks,
                                               const WideSieve& sieve) {
  // 192 bytes are six registers; registers k and k + 3 lie alike over the pixels.
  const auto* pairs = reinterpret_cast<const __m256i*>(sieve.pairs.data());
  const __m256i pairs0 = _mm256_load_si256(pairs);
  const __m256i pairs1 = _mm256_load_si256(pairs + 1);
  const __m256i pairs2 = _mm256_load_si256(pairs + 2);
  for (std::int64_t chunk = 0; chunk < chunks; ++chunk, p += kSieveBytes) {
    const __m256i any = _mm256_or_si256(
        _mm256_or_si256(_mm256_and_si256(_mm256_or_si256(PairHitsAvx2<kExact>(p, sieve, 0),
                                                         PairHitsAvx2<kExact>(p, sieve, 3)),
                                         pairs0),
                        _mm256_and_si256(_mm256_or_si256(PairHitsAvx2<kExact>(p, sieve, 1),
                                                         PairHitsAvx2<kExact>(p, sieve, 4)),
                                         pairs1)),
        _mm256_and_si256(
            _mm256_or_si256(PairHitsAvx2<kExact>(p, sieve, 2), PairHitsAvx2<kExact>(p, sieve, 5)),
            pairs2));
    if (!_mm256_testz_si256(any, any)) return chunk;
  }
  return chunks;
}

// Per 16-bit lane of register k of the 192 bytes at p that lies inside a pixel: a set bit
// where both bytes hit.
template <bool kExact>
[[gnu::target("avx512f,avx512bw")]] inline __mmask32 PairHitsAvx512(const std::uint8_t* p,
                                                                    const WideSieve& sieve,
                                                                    __mmask32 pairs, int k) {
  const __m512i x = _mm512_loadu_si512(p + 64 * k);
  const __m512i low = _mm512_load_si512(sieve.low.data() + 64 * k);
  if constexpr (kExact) {
    return _mm512_mask_cmpeq_epi16_mask(pairs, x, low);
  } else {
    const __m512i range = _mm512_load_si512(sieve.range.data() + 64 * k);
    const __m512i misses = _mm512_subs_epu8(_mm512_sub_epi8(x, low), range);
    return _mm512_mask_testn_epi16_mask(pairs, misses, misses);
  }
}

template <bool kExact>
[[gnu::target("avx512f,avx512bw")]] std::int64_t SieveAvx512(const std::uint8_t* p,
                                                             std::int64_t chunks,
                                                             const WideSieve& sieve) {
  const __mmask32 pairs0 = _mm512_movepi16_mask(_mm512_load_si512(sieve.pairs.data()));
  const __mmask32 pairs1 = _mm512_movepi16_mask(_mm512_load_si512(sieve.pairs.data() + 64));
  const __mmask32 pairs2 = _mm512_movepi16_mask(_mm512_load_si512(sieve.pairs.data() + 128));
  for (std::int64_t chunk = 0; chunk < chunks; ++chunk, p += kSieveBytes) {
    if ((PairHitsAvx512<kExact>(p, sieve, pairs0, 0) | PairHitsAvx512<kExact>(p, sieve, pairs1, 1) |
         PairHitsAvx512<kExact>(p, sieve, pairs2, 2)) != 0) {
      return chunk;
    }
  }
  return chunks;
}

// The sieve for the processor, or null where it has neither AVX2 nor AVX-512.
SieveRun ChooseSieve(bool exact) {
  switch (platform::VectorLevelInUse()) {
    case platform::VectorLevel::kAvx512:
      return exact ? SieveAvx512<true> : SieveAvx512<false>;
    case platform::VectorLevel::kAvx2:
      return exact ? SieveAvx2<true> : SieveAvx2<false>;
    case platform::VectorLevel::kSsse3:
    case platform::VectorLevel::kBaseline:
      break;
  }
  return nullptr;
}
#endif

// Tests pixels against one colour under a rule, and against a transparent key that
// passes whatever the colour. Blocks are sixteen pixels (48 bytes); bit 3i of a block's
// result is set when its pixel i hits.
class PixelTest {
 public:
  PixelTest(std::int32_t colour, const PixelRule& rule, std::int32_t key);

  bool Hits(const std::uint8_t* p) const {
    const std::int32_t v = PixelAt(p);
    return (keyActive_ && v == key_) || ColourHits(v);
  }
  std::uint64_t BlockHits(const std::uint8_t* p) const;
  // The index of the first of count pixels from p that hits, or -1.
  std::int64_t FirstHit(const std::uint8_t* p, std::int64_t count) const;
  // No pixel can hit: a negative limit and no key.
  bool Never() const { return mode_ == Mode::kNever && !keyActive_; }
  // How many of the count pixels from p surely do not hit, counted in whole runs of 64 up to
  // the first run that may; 0 where there is no wide sieve.
  std::int64_t ClearRun(const std::uint8_t* p, std::int64_t count) const {
#if defined(PILGROVE_WIDE_SIEVE)
    if (sieve_ != nullptr && count >= kSievePixels) {
      return kSievePixels * sieve_(p, count / kSievePixels, wide_);
    }
#endif
    static_cast<void>(p);
    static_cast<void>(count);
    return 0;
  }

 private:
  enum class Mode { kNever, kAlways, kEqual, kWithin };

  // Calls fn with the mode and whether there is a key as compile-time constants, so
  // that the loops over blocks carry no test of their own.
  template <typename Fn>
  auto Dispatch(Fn fn) const {
    const auto withKey = [&](auto mode) {
      return keyActive_ ? fn(mode, std::true_type{}) : fn(mode, std::false_type{});
    };
    switch (mode_) {
      case Mode::kNever:
        return withKey(std::integral_constant<Mode, Mode::kNever>{});
      case Mode::kAlways:
        return withKey(std::integral_constant<Mode, Mode::kAlways>{});
      case Mode::kEqual:
        return withKey(std::integral_constant<Mode, Mode::kEqual>{});
      case Mode::kWithin:
        break;
    }
    return withKey(std::integral_constant<Mode, Mode::kWithin>{});
  }

  // Inlined into the loops over blocks, where a call per block would cost as much as
  // the test itself.
  template <Mode kMode, bool kKey>
  [[gnu::always_inline]] std::uint64_t BlockHitsAs(const std::uint8_t* p) const;
  template <Mode kMode, bool kKey>
  std::int64_t FirstHitAs(const std::uint8_t* p, std::int64_t count) const;
  template <Mode kMode, bool kKey>
  std::int64_t FirstHitInBlocks(const std::uint8_t* p, std::int64_t count) const;
#if defined(__SSE2__)
  // Per byte of the 16 at x, which lie at bytes 16k to 16k + 15 of a block: 0 where the
  // byte is within the limits of the colour's channel there (equal, for kEqual), else
  // not 0. A byte x lies from low to low + range when (x - low) mod 256 <= range.
  template <Mode kMode>
  [[gnu::always_inline]] __m128i ColourMisses(__m128i x, int k) const {
    if constexpr (kMode == Mode::kEqual) {
      return _mm_xor_si128(x, colourBytes_[k]);
    } else {
      return _mm_subs_epu8(_mm_sub_epi8(x, lowBytes_[k]), rangeBytes_[k]);
    }
  }
#endif

  bool ColourHits(std::int32_t v) const {
    switch (mode_) {
      case Mode::kNever:
        return false;
      case Mode::kAlways:
        return true;
      case Mode::kEqual:
        return v == colour_;
      case Mode::kWithin:
        break;
    }
    return WithinTolerance(v, colour_, tolerance_);
  }

  Mode mode_ = Mode::kNever;
  std::int32_t colour_;
  TTolerance tolerance_;
  bool keyActive_;
  std::int32_t key_;
#if defined(__SSE2__)
  // Repeated over a block, 16 bytes at a time: the colour, the lowest byte value within
  // the limits around it and how many more lie within, and the key.
  __m128i colourBytes_[3];
  __m128i lowBytes_[3];
  __m128i rangeBytes_[3];
  __m128i keyBytes_[3];
  // 0xFFFF in the lanes of 16 bits whose two bytes belong to one pixel.
  __m128i pixelPairs_[3];
#endif
#if defined(PILGROVE_WIDE_SIEVE)
  // Null when there is no wide sieve for the processor or for the test.
  SieveRun sieve_ = nullptr;
  WideSieve wide_;
#endif
};

PixelTest::PixelTest(std::int32_t colour, const PixelRule& rule, std::int32_t key)
    : colour_(colour), tolerance_(rule.tolerance), keyActive_(IsPixelValue(key)), key_(key) {
  const TTolerance& t = rule.tolerance;
  if (rule.exact) {
    mode_ = IsPixelValue(colour) ? Mode::kEqual : Mode::kNever;
  } else if (t.red < 0 || t.green < 0 || t.blue < 0) {
    mode_ = Mode::kNever;
  } else if (t.red >= 255 && t.green >= 255 && t.blue >= 255) {
    mode_ = Mode::kAlways;
  } else {
    mode_ = Mode::kWithin;
  }
#if defined(__SSE2__)
  const std::array<std::uint8_t, 3> channels = ChannelBytes(colour);
  // Only a mode of kWithin reads the bounds, and only then are the limits 0 or more.
  const std::int32_t limits[3] = {t.blue, t.green, t.red};
  std::array<std::uint8_t, 3> low{};
  std::array<std::uint8_t, 3> range{};
  for (int k = 0; k < 3; ++k) {
    low[k] = LowestWithin(channels[k], limits[k]);
    range[k] = RangeWithin(channels[k], limits[k]);
  }
  RepeatOverBlock(channels, colourBytes_);
  RepeatOverBlock(low, lowBytes_);
  RepeatOverBlock(range, rangeBytes_);
  RepeatOverBlock(ChannelBytes(key), keyBytes_);
  // A lane starting on a blue or green byte lies inside a pixel; one on a red, across two.
  std::array<std::uint8_t, 48> lanes{};
  for (std::size_t i = 0; i < lanes.size(); ++i) lanes[i] = (i - i % 2) % 3 == 2 ? 0 : 0xFF;
  for (int k = 0; k < 3; ++k) {
    pixelPairs_[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes.data() + 16 * k));
  }
#if defined(PILGROVE_WIDE_SIEVE)
  // The sieve serves the scans for a colour alone; a key passes pixels of any colour.
  if ((mode_ == Mode::kEqual || mode_ == Mode::kWithin) && !keyActive_) {
    sieve_ = ChooseSieve(mode_ == Mode::kEqual);
  }
  if (sieve_ != nullptr) {
    const std::array<std::uint8_t, 3>& first = mode_ == Mode::kEqual ? channels : low;
    for (std::size_t i = 0; i < kSieveBytes; ++i) {
      wide_.low[i] = first[i % 3];
      wide_.range[i] = range[i % 3];
      wide_.pairs[i] = (i - i % 2) % 3 == 2 ? 0 : 0xFF;
    }
  }
#endif
#endif
}

template <PixelTest::Mode kMode, bool kKey>
inline std::uint64_t PixelTest::BlockHitsAs(const std::uint8_t* p) const {
#if defined(__SSE2__)
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
  std::uint64_t hits = 0;
  if constexpr (kMode == Mode::kAlways) {
    hits = kPixelStarts;
  } else if constexpr (kMode != Mode::kNever) {
    hits = PixelHits(HitBytes(ColourMisses<kMode>(a, 0)), HitBytes(ColourMisses<kMode>(b, 1)),
                     HitBytes(ColourMisses<kMode>(c, 2)));
  }
  if constexpr (kKey) {
    hits |= PixelHits(_mm_cmpeq_epi8(a, keyBytes_[0]), _mm_cmpeq_epi8(b, keyBytes_[1]),
                      _mm_cmpeq_epi8(c, keyBytes_[2]));
  }
  return hits;
#else
  std::uint64_t hits = 0;
  for (int i = 0; i < 16; ++i) {
    if (Hits(p + 3 * i)) hits |= std::uint64_t(1) << (3 * i);
  }
  return hits;
#endif
}

template <PixelTest::Mode kMode, bool kKey>
std::int64_t PixelTest::FirstHitAs(const std::uint8_t* p, std::int64_t count) const {
  std::int64_t i = 0;
#if defined(PILGROVE_WIDE_SIEVE)
  if constexpr ((kMode == Mode::kEqual || kMode == Mode::kWithin) && !kKey) {
    while (sieve_ != nullptr && count - i >= kSievePixels) {
      i += ClearRun(p + 3 * i, count - i);
      if (count - i < kSievePixels) break;
      // These 64 pixels passed the sieve: the blocks tell whether one of them hits.
      const std::int64_t hit = FirstHitInBlocks<kMode, kKey>(p + 3 * i, kSievePixels);
      if (hit >= 0) return i + hit;
      i += kSievePixels;
    }
  }
#endif
  const std::int64_t hit = FirstHitInBlocks<kMode, kKey>(p + 3 * i, count - i);
  return hit < 0 ? -1 : i + hit;
}

template <PixelTest::Mode kMode, bool kKey>
std::int64_t PixelTest::FirstHitInBlocks(const std::uint8_t* p, std::int64_t count) const {
  std::int64_t i = 0;
#if defined(__SSE2__)
  if constexpr ((kMode == Mode::kEqual || kMode == Mode::kWithin) && !kKey) {
    // Two blocks a step, first through a cheaper sieve. Every pixel holds an aligned
    // pair of bytes (2j, 2j + 1) within one 16-byte load, its blue and green or its green
    // and red, so where no such lane of 16 bits has both bytes hit, no pixel hits.
    for (; i + 32 <= count; i += 32) {
      const auto* q = reinterpret_cast<const __m128i*>(p + 3 * i);
      // Spelled out: as a loop, the compiler keeps the results in memory.
      const __m128i misses[6] = {ColourMisses<kMode>(_mm_loadu_si128(q), 0),
                                 ColourMisses<kMode>(_mm_loadu_si128(q + 1), 1),
                                 ColourMisses<kMode>(_mm_loadu_si128(q + 2), 2),
                                 ColourMisses<kMode>(_mm_loadu_si128(q + 3), 0),
                                 ColourMisses<kMode>(_mm_loadu_si128(q + 4), 1),
                                 ColourMisses<kMode>(_mm_loadu_si128(q + 5), 2)};
      const auto pairs = [](__m128i x) { return _mm_cmpeq_epi16(x, _mm_setzero_si128()); };
      // Only the pairs inside a pixel count: a red byte and the next pixel's blue byte
      // hitting (light grey next to light grey, for a light colour) tell nothing.
      const __m128i anyPair = _mm_or_si128(
          _mm_or_si128(
              _mm_and_si128(_mm_or_si128(pairs(misses[0]), pairs(misses[3])), pixelPairs_[0]),
              _mm_and_si128(_mm_or_si128(pairs(misses[1]), pairs(misses[4])), pixelPairs_[1])),
          _mm_and_si128(_mm_or_si128(pairs(misses[2]), pairs(misses[5])), pixelPairs_[2]));
      if (_mm_movemask_epi8(anyPair) == 0) continue;
      const std::uint64_t first =
          PixelHits(HitBytes(misses[0]), HitBytes(misses[1]), HitBytes(misses[2]));
      const std::uint64_t second =
          PixelHits(HitBytes(misses[3]), HitBytes(misses[4]), HitBytes(misses[5]));
      if ((first | second) != 0) {
        return i + (first != 0 ? std::countr_zero(first) : 48 + std::countr_zero(second)) / 3;
      }
    }
  }
#endif
  // Two blocks a step: their tests overlap, and one branch serves both.
  for (; i + 32 <= count; i += 32) {
    const std::uint64_t first = BlockHitsAs<kMode, kKey>(p + 3 * i);
    const std::uint64_t second = BlockHitsAs<kMode, kKey>(p + 3 * i + 48);
    if ((first | second) != 0) {
      return i + (first != 0 ? std::countr_zero(first) : 48 + std::countr_zero(second)) / 3;
    }
  }
  for (; i + 16 <= count; i += 16) {
    if (const std::uint64_t hits = BlockHitsAs<kMode, kKey>(p + 3 * i)) {
      return i + std::countr_zero(hits) / 3;
    }
  }
  for (; i < count; ++i) {
    if (Hits(p + 3 * i)) return i;
  }
  return -1;
}

std::uint64_t PixelTest::BlockHits(const std::uint8_t* p) const {
  return Dispatch([&](auto mode, auto key) { return BlockHitsAs<mode(), key()>(p); });
}

std::int64_t PixelTest::FirstHit(const std::uint8_t* p, std::int64_t count) const {
  return Dispatch([&](auto mode, auto key) { return FirstHitAs<mode(), key()>(p, count); });
}

// A pixel of the picture tested before the whole picture is compared.
struct Probe {
  std::int64_t offset;  // bytes from the buffer pixel under the picture's top-left corner
  std::int32_t colour;
};

// The picture's grid of cells, kGridSide x kGridSide, one probe from each.
constexpr int kGridSide = 4;

std::int32_t ColourDistance(std::int32_t a, std::int32_t b) {
  std::int32_t distance = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::int32_t d = ((a >> shift) & 0xFF) - ((b >> shift) & 0xFF);
    distance = std::max(distance, d < 0 ? -d : d);
  }
  return distance;
}

// The most common colour among up to 8 x 8 pixels spread over the picture that are not
// its key; 0 when all of those are the key.
std::int32_t CommonColour(const TBDBitmapData& picture) {
  std::vector<std::int32_t> sample;
  for (std::int64_t i = 0; i < 8; ++i) {
    for (std::int64_t j = 0; j < 8; ++j) {
      const std::int64_t row = i * picture.height() / 8;
      const std::int64_t column = j * picture.width() / 8;
      const std::int32_t v = PixelAt(picture.pixels() + row * picture.stride() + 3 * column);
      if (v != picture.transparentKey()) sample.push_back(v);
    }
  }
  std::int32_t common = 0;
  std::ptrdiff_t most = 0;
  for (const std::int32_t v : sample) {
    const std::ptrdiff_t count = std::count(sample.begin(), sample.end(), v);
    if (count > most) {
      most = count;
      common = v;
    }
  }
  return common;
}

// The probes of a picture to be found in a buffer of bufferStride bytes per row: from
// each cell of its grid the pixel farthest in colour from the picture's most common
// colour, so that a flat picture is told by its few odd pixels and the probes are spread
// over it; the farthest first. The picture's key pixels match anything and are never
// probes, so a picture without rows or columns, or with nothing but its key, has none
// and matches wherever it fits. Every pixel is looked at once, at most what a single
// position of the search would cost.
std::vector<Probe> ChooseProbes(const TBDBitmapData& picture, std::int32_t bufferStride) {
  const std::int32_t w = picture.width();
  const std::int32_t h = picture.height();
  if (w < 1 || h < 1) return {};
  const std::int32_t common = CommonColour(picture);
  struct Best {
    std::int32_t distance = -1;
    Probe probe{};
  };
  std::array<Best, kGridSide * kGridSide> best{};
  std::vector<int> cellColumn(static_cast<std::size_t>(w));
  for (std::int32_t c = 0; c < w; ++c) cellColumn[c] = int(std::int64_t(c) * kGridSide / w);
  for (std::int32_t r = 0; r < h; ++r) {
    // Stored row r is the picture's row h - 1 - r counted from the top.
    const std::int64_t fromTop = h - 1 - r;
    const int cellRow = int(fromTop * kGridSide / h);
    const std::uint8_t* q = picture.pixels() + std::int64_t(r) * picture.stride();
    for (std::int32_t c = 0; c < w; ++c, q += 3) {
      const std::int32_t v = PixelAt(q);
      if (v == picture.transparentKey()) continue;
      Best& cell = best[std::size_t(cellRow * kGridSide + cellColumn[c])];
      const std::int32_t distance = ColourDistance(v, common);
      if (distance > cell.distance) {
        cell.distance = distance;
        cell.probe = {3 * std::int64_t(c) - fromTop * bufferStride, v};
      }
    }
  }
  std::stable_sort(best.begin(), best.end(),
                   [](const Best& a, const Best& b) { return a.distance > b.distance; });
  std::vector<Probe> probes;
  for (const Best& cell : best) {
    if (cell.distance >= 0) probes.push_back(cell.probe);
  }
  return probes;
}

}  // namespace

template <typename PixelHits>
bool TBDBitmapData::FindWith(std::int32_t& x, std::int32_t& y, const PixelHits& hits) const {
  x = y = -1;
  // Without columns there is no pixel to visit, however many rows are claimed.
  if (!HoldsPixels() || width_ < 1 || hits.Never()) return false;
  for (std::int32_t row = 0; row < height_; ++row) {
    // The top row of the picture is the last stored row.
    const std::uint8_t* p = pixels_.get() + std::int64_t(height_ - 1 - row) * stride_;
    const std::int64_t column = hits.FirstHit(p, width_);
    if (column >= 0) {
      x = static_cast<std::int32_t>(column);
      y = row;
      return true;
    }
  }
  return false;
}

bool TBDBitmapData::FindColor(std::int32_t color, std::int32_t& x, std::int32_t& y) const {
  // The buffer's transparent key plays no part in the colour scans.
  return FindWith(x, y, PixelTest(color, PixelRule{}, -1));
}

bool TBDBitmapData::FindColorTolerant(std::int32_t color, const TTolerance& tolerance,
                                      std::int32_t& x, std::int32_t& y) const {
  return FindWith(x, y, PixelTest(color, PixelRule{false, tolerance}, -1));
}

template <typename RowsPass>
bool TBDBitmapData::MatchWith(const TBDBitmapData& picture, std::int32_t x, std::int32_t y,
                              RowsPass rowsPass) const {
  if (!HoldsPixels() || !picture.HoldsPixels()) return false;
  const std::int32_t w = picture.width_;
  const std::int32_t h = picture.height_;
  // A corner left of or above the buffer would put the picture partly outside it.
  if (x < 0 || y < 0 || std::int64_t(x) + w > width_ || std::int64_t(y) + h > height_) {
    return false;
  }
  // A picture without pixels matches wherever it fits, however many rows it claims.
  if (w == 0 || h == 0) return true;
  for (std::int32_t r = 0; r < h; ++r) {
    // The picture's stored row r lies on the buffer's stored row (H - h - y) + r.
    const std::uint8_t* p =
        pixels_.get() + std::int64_t(height_ - h - y + r) * stride_ + 3 * std::int64_t(x);
    const std::uint8_t* q = picture.pixels_.get() + std::int64_t(r) * picture.stride_;
    if (!rowsPass(p, q, w)) return false;
  }
  return true;
}

namespace {

// A row of w pixel pairs passes if each pair does: the buffer pixel is the buffer's key,
// the picture pixel the picture's key, or the rule passes them.
auto PairsPass(std::int32_t bufferKey, std::int32_t pictureKey, const PixelRule& rule) {
  return [=](const std::uint8_t* p, const std::uint8_t* q, std::int32_t w) {
    for (std::int32_t c = 0; c < w; ++c, p += 3, q += 3) {
      const std::int32_t bufferPixel = PixelAt(p);
      const std::int32_t picturePixel = PixelAt(q);
      if (bufferPixel != bufferKey && picturePixel != pictureKey &&
          !rule.Pass(bufferPixel, picturePixel)) {
        return false;
      }
    }
    return true;
  };
}

}  // namespace

bool TBDBitmapData::MatchAt(const TBDBitmapData& picture, std::int32_t x, std::int32_t y) const {
  // With no key that a pixel can equal, the rows must be equal byte for byte.
  if (!IsPixelValue(transparentKey_) && !IsPixelValue(picture.transparentKey_)) {
    return MatchWith(picture, x, y,
                     [](const std::uint8_t* p, const std::uint8_t* q, std::int32_t w) {
                       return std::memcmp(p, q, 3 * std::size_t(w)) == 0;
                     });
  }
  return MatchWith(picture, x, y, PairsPass(transparentKey_, picture.transparentKey_, PixelRule{}));
}

bool TBDBitmapData::MatchAtTolerant(const TBDBitmapData& picture, const TTolerance& tolerance,
                                    std::int32_t x, std::int32_t y) const {
  return MatchWith(
      picture, x, y,
      PairsPass(transparentKey_, picture.transparentKey_, PixelRule{false, tolerance}));
}

template <typename Rule>
bool TBDBitmapData::FindPictureWith(const TBDBitmapData& picture, const Rule& rule, std::int32_t& x,
                                    std::int32_t& y) const {
  x = y = -1;
  if (!HoldsPixels() || !picture.HoldsPixels()) return false;
  const std::int64_t lastY = std::int64_t(height_) - picture.height_;
  const std::int64_t lastX = std::int64_t(width_) - picture.width_;
  if (lastX < 0 || lastY < 0) return false;
  const std::vector<Probe> probes = ChooseProbes(picture, stride_);
  if (probes.empty()) {
    x = y = 0;
    return true;
  }
  const Probe& firstProbe = probes[0];
  const Probe& secondProbe = probes[probes.size() > 1 ? 1 : 0];
  const PixelTest first(firstProbe.colour, rule, transparentKey_);
  const PixelTest second(secondProbe.colour, rule, transparentKey_);
  // No buffer pixel can lie under the first probe.
  if (first.Never()) return false;
  // corner: the buffer pixel under the picture's top-left corner at (px, py).
  const auto matchesAt = [&](std::int64_t px, std::int64_t py, const std::uint8_t* corner) {
    for (std::size_t k = 2; k < probes.size(); ++k) {
      const std::int32_t p = PixelAt(corner + probes[k].offset);
      if (p != transparentKey_ && !rule.Pass(p, probes[k].colour)) return false;
    }
    const auto cx = static_cast<std::int32_t>(px);
    const auto cy = static_cast<std::int32_t>(py);
    return rule.exact ? MatchAt(picture, cx, cy) : MatchAtTolerant(picture, rule.tolerance, cx, cy);
  };
  for (std::int64_t py = 0; py <= lastY; ++py) {
    const std::uint8_t* row = pixels_.get() + (height_ - 1 - py) * stride_;
    const std::uint8_t* underFirst = row + firstProbe.offset;
    const std::uint8_t* underSecond = row + secondProbe.offset;
    std::int64_t px = 0;
    // Positions below this have been through the wide sieve.
    std::int64_t sieved = 0;
    for (; px + 16 <= lastX + 1; px += 16) {
      if (px >= sieved) {
        // No position of a run of 64 that the sieve passes can match; the run where it stops
        // goes through the blocks.
        px += first.ClearRun(underFirst + 3 * px, lastX + 1 - px);
        sieved = px + kSievePixels;
        if (px + 16 > lastX + 1) break;
      }
      std::uint64_t hits = first.BlockHits(underFirst + 3 * px);
      if (hits == 0) continue;
      hits &= second.BlockHits(underSecond + 3 * px);
      for (; hits != 0; hits &= hits - 1) {
        const std::int64_t cx = px + std::countr_zero(hits) / 3;
        if (matchesAt(cx, py, row + 3 * cx)) {
          x = static_cast<std::int32_t>(cx);
          y = static_cast<std::int32_t>(py);
          return true;
        }
      }
    }
    for (; px <= lastX; ++px) {
      if (first.Hits(underFirst + 3 * px) && second.Hits(underSecond + 3 * px) &&
          matchesAt(px, py, row + 3 * px)) {
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
  return FindPictureWith(picture, PixelRule{}, x, y);
}

bool TBDBitmapData::FindPictureTolerant(const TBDBitmapData& picture, const TTolerance& tolerance,
                                        std::int32_t& x, std::int32_t& y) const {
  return FindPictureWith(picture, PixelRule{false, tolerance}, x, y);
}
