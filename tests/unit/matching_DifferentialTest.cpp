// The colour and picture scans against the plain brute-force scan on many random cases:
// small palettes so that pixels repeat and pictures nearly match, pictures cut from the
// buffer at its edges and pasted again, sizes from 0 up, per-channel tolerances from -1 to
// beyond 255, transparent keys on either side. Every result must be the reference's.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "PixelTestUtil.h"
#include "ReferenceScan.h"
#include "matching/BitmapData.h"
#include "platform/VectorLevel.h"
#include "toolkit/TMemoryStream.h"

namespace {

// A fixed generator, so that a failing case can be run again by its number.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  int Below(int bound) { return bound <= 0 ? 0 : static_cast<int>(Next() % unsigned(bound)); }
  bool OneIn(int n) { return Below(n) == 0; }

 private:
  std::uint64_t state_;
};

struct Case {
  TBDBitmapData buffer;
  TBDBitmapData picture;
  std::vector<std::uint32_t> palette;
  std::string description;
};

void PutPixel(TBDBitmapData& b, int x, int y, std::uint32_t rgb) {
  pixel_test::PutPixel(b, x, y, rgb);
}

std::uint32_t GetPixel(const TBDBitmapData& b, int x, int y) {
  return static_cast<std::uint32_t>(reference_scan::PixelAt(reference_scan::PixelAddress(b, x, y)));
}

// A size from 0 up, small most of the time, sometimes wide enough for several blocks of
// sixteen pixels and a tail.
int Side(Rng& rng, int small, int large) {
  if (rng.OneIn(8)) return rng.Below(2);
  return rng.OneIn(3) ? rng.Below(large + 1) : rng.Below(small + 1);
}

// Sizes the buffer and fills its whole block, pad bytes included, with noise, so that
// any read of a pad byte as a pixel shows.
void SizeWithNoise(Rng& rng, TBDBitmapData& b, int width, int height) {
  ASSERT_TRUE(b.SetSize(width, height));
  for (std::int32_t i = 0; i < b.dataSize(); ++i) b.pixels()[i] = std::uint8_t(rng.Next());
}

std::vector<std::uint32_t> Palette(Rng& rng) {
  std::vector<std::uint32_t> palette;
  const int colours = 1 + rng.Below(4);
  for (int i = 0; i < colours; ++i) palette.push_back(rng.Next() & 0xFFFFFF);
  // The extremes, whose difference of 255 tells a limit of 254 from 255.
  if (rng.OneIn(4)) {
    palette.push_back(0x000000);
    palette.push_back(0xFFFFFF);
  }
  // Near neighbours of a palette colour, which tolerances tell apart or not.
  if (rng.OneIn(2)) {
    const std::uint32_t base = palette[0];
    const int shift = 8 * rng.Below(3);
    const std::uint32_t channel = (base >> shift) & 0xFF;
    const std::uint32_t nudged = (channel + 1 + std::uint32_t(rng.Below(30))) & 0xFF;
    palette.push_back((base & ~(0xFFu << shift)) | (nudged << shift));
  }
  return palette;
}

void PaintRandom(Rng& rng, TBDBitmapData& b, const std::vector<std::uint32_t>& palette) {
  for (int y = 0; y < b.height(); ++y) {
    std::uint32_t colour = palette[std::size_t(rng.Below(int(palette.size())))];
    for (int x = 0; x < b.width(); ++x) {
      // Runs of one colour, as on a screen.
      if (rng.OneIn(3)) colour = palette[std::size_t(rng.Below(int(palette.size())))];
      PutPixel(b, x, y, colour);
    }
  }
}

// A key that is a palette colour, none, or a value no pixel can have.
std::int32_t Key(Rng& rng, const std::vector<std::uint32_t>& palette) {
  switch (rng.Below(6)) {
    case 0:
      return std::int32_t(palette[std::size_t(rng.Below(int(palette.size())))]);
    case 1:
      return rng.OneIn(2) ? 0x01000000 | std::int32_t(palette[0]) : -2;
    default:
      return -1;
  }
}

// Loads the buffer's pixels into a fresh buffer of the same size with the key given,
// the only way a key is set.
void Rekey(TBDBitmapData& b, std::int32_t key) {
  if (key == -1) return;
  toolkit::TMemoryStream stream;
  ASSERT_TRUE(b.SaveToStream(&stream));
  stream.SetPosition(0);
  ASSERT_TRUE(b.LoadFromStream(&stream, key));
}

void MakeCase(std::uint64_t number, Case& c) {
  Rng rng(0x5EED0000 + number);
  c.palette = Palette(rng);
  const int width = Side(rng, 24, 80);
  const int height = Side(rng, 8, 20);
  SizeWithNoise(rng, c.buffer, width, height);
  PaintRandom(rng, c.buffer, c.palette);

  // The picture: cut from the buffer (often at an edge), perhaps with one pixel changed,
  // or painted on its own; now and then larger than the buffer.
  const int w = rng.OneIn(10) ? width + 1 : Side(rng, std::min(width, 6), std::min(width, 20));
  const int h = rng.OneIn(10) ? height + 1 : Side(rng, std::min(height, 4), height);
  SizeWithNoise(rng, c.picture, w, h);
  const bool cut = w <= width && h <= height && !rng.OneIn(4);
  if (cut) {
    const int at = rng.Below(4);
    const int x0 = at == 1 ? width - w : at == 2 ? 0 : rng.Below(width - w + 1);
    const int y0 = at == 1 ? height - h : at == 3 ? 0 : rng.Below(height - h + 1);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) PutPixel(c.picture, x, y, GetPixel(c.buffer, x0 + x, y0 + y));
    }
    if (w > 0 && h > 0 && rng.OneIn(3)) {
      PutPixel(c.picture, rng.Below(w), rng.Below(h), rng.Next() & 0xFFFFFF);
    }
  } else {
    PaintRandom(rng, c.picture, c.palette);
  }
  // Pasted again, possibly several times and overlapping.
  const int copies = w <= width && h <= height ? rng.Below(3) : 0;
  for (int k = 0; k < copies; ++k) {
    const int x0 = rng.Below(width - w + 1);
    const int y0 = rng.Below(height - h + 1);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) PutPixel(c.buffer, x0 + x, y0 + y, GetPixel(c.picture, x, y));
    }
  }
  const std::int32_t bufferKey = Key(rng, c.palette);
  const std::int32_t pictureKey = Key(rng, c.palette);
  Rekey(c.buffer, bufferKey);
  Rekey(c.picture, pictureKey);

  std::ostringstream text;
  text << "case " << number << ": buffer " << width << "x" << height << " key " << bufferKey
       << ", picture " << w << "x" << h << " key " << pictureKey;
  c.description = text.str();
}

std::int32_t Limit(Rng& rng) {
  static constexpr std::int32_t kTelling[] = {-1, 0, 1, 2, 25, 102, 254, 255, 256, -255};
  return rng.OneIn(2) ? kTelling[rng.Below(10)] : rng.Below(257) - 1;
}

TTolerance Tolerance(Rng& rng) {
  if (rng.OneIn(2)) {
    const std::int32_t t = Limit(rng);
    return {t, t, t};
  }
  return {Limit(rng), Limit(rng), Limit(rng)};
}

std::string Describe(const TTolerance& t) {
  return " tolerance " + std::to_string(t.red) + "," + std::to_string(t.green) + "," +
         std::to_string(t.blue);
}

struct Found {
  bool found;
  std::int32_t x, y;
  bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Found& f) {
  return out << (f.found ? "found " : "not found ") << f.x << "," << f.y;
}

template <typename Search>
Found Outcome(Search search) {
  Found f{false, 7, 7};
  f.found = search(f.x, f.y);
  return f;
}

constexpr int kCases = 15000;

// Both colour scans on buffer b against the plain scan, for a palette colour, a colour near
// none, or a value with high bits set, which the exact scan never finds and the tolerant
// scan reads by its three low bytes.
void ExpectColourScansAgree(Rng& rng, const TBDBitmapData& b,
                            const std::vector<std::uint32_t>& palette, const std::string& what) {
  for (int k = 0; k < 4; ++k) {
    std::int32_t colour = std::int32_t(palette[std::size_t(rng.Below(int(palette.size())))]);
    if (rng.OneIn(5)) colour = std::int32_t(rng.Next() & 0xFFFFFF);
    if (rng.OneIn(8)) colour |= std::int32_t(0xFF000000u);
    const TTolerance t = Tolerance(rng);
    ASSERT_EQ(Outcome([&](auto& x, auto& y) { return b.FindColor(colour, x, y); }),
              Outcome([&](auto& x, auto& y) { return reference_scan::FindColor(b, colour, x, y); }))
        << what << " colour " << colour;
    ASSERT_EQ(Outcome([&](auto& x, auto& y) { return b.FindColorTolerant(colour, t, x, y); }),
              Outcome([&](auto& x, auto& y) {
                return reference_scan::FindColorTolerant(b, colour, t, x, y);
              }))
        << what << " colour " << colour << Describe(t);
  }
}

// The scans pick their widest vector path at run time; each one the processor has is
// tested, the narrowest first, and the limit is lifted again at the end.
class MatchingDifferential : public ::testing::Test {
 protected:
  ~MatchingDifferential() override { platform::LimitVectorLevel(platform::VectorLevel::kAvx512); }

  static std::vector<platform::VectorLevel> Levels() {
    std::vector<platform::VectorLevel> levels;
    for (const platform::VectorLevel level :
         {platform::VectorLevel::kBaseline, platform::VectorLevel::kAvx2,
          platform::VectorLevel::kAvx512}) {
      if (level <= platform::DetectedVectorLevel()) levels.push_back(level);
    }
    return levels;
  }
};

}  // namespace

TEST_F(MatchingDifferential, ColourScansFindWhatThePlainScanFinds) {
  for (const platform::VectorLevel level : Levels()) {
    platform::LimitVectorLevel(level);
    SCOPED_TRACE("vector level " + std::to_string(int(level)));
    for (int n = 0; n < kCases; ++n) {
      Case c;
      MakeCase(std::uint64_t(n), c);
      Rng rng(0xC0100000 + std::uint64_t(n));
      ExpectColourScansAgree(rng, c.buffer, c.palette, c.description);
      if (HasFatalFailure()) return;
    }
  }
}

// Rows of hundreds of pixels, where the wide paths pass 64 pixels at a time: one colour
// placed once or not at all among near neighbours, which share one or two of its bytes and
// so get through the sieve's test of byte pairs; rows just under, at and past 64 pixels.
TEST_F(MatchingDifferential, ColourScansAgreeOnWideRows) {
  constexpr int kWideCases = 3000;
  for (const platform::VectorLevel level : Levels()) {
    platform::LimitVectorLevel(level);
    SCOPED_TRACE("vector level " + std::to_string(int(level)));
    for (int n = 0; n < kWideCases; ++n) {
      Rng rng(0x3A1D0000 + std::uint64_t(n));
      const std::uint32_t colour = rng.Next() & 0xFFFFFF;
      std::vector<std::uint32_t> palette = {colour};
      for (int k = 0; k < 4; ++k) {
        // Keep one or two of the colour's bytes, nudge the others a little or a lot.
        std::uint32_t near = colour;
        for (int shift = 0; shift < 24; shift += 8) {
          if (rng.OneIn(2)) continue;
          const std::uint32_t channel =
              ((colour >> shift) + 1 + rng.Below(rng.OneIn(2) ? 4 : 200)) & 0xFF;
          near = (near & ~(0xFFu << shift)) | (channel << shift);
        }
        if (near != colour) palette.push_back(near);
      }
      if (palette.size() == 1) palette.push_back(colour ^ 0x808080);
      static constexpr int kWidths[] = {63, 64, 65, 127, 128, 129, 191, 192, 640};
      const int width = rng.OneIn(2) ? kWidths[rng.Below(9)] : 1 + rng.Below(700);
      const int height = 1 + rng.Below(4);
      TBDBitmapData b;
      SizeWithNoise(rng, b, width, height);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          PutPixel(b, x, y, palette[1 + std::size_t(rng.Below(int(palette.size()) - 1))]);
        }
      }
      if (!rng.OneIn(4)) PutPixel(b, rng.Below(width), rng.Below(height), colour);
      ExpectColourScansAgree(rng, b, palette,
                             "wide case " + std::to_string(n) + ": " + std::to_string(width) + "x" +
                                 std::to_string(height));
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(MatchingDifferential, PictureScansFindWhatThePlainScanFinds) {
  for (const platform::VectorLevel level : Levels()) {
    platform::LimitVectorLevel(level);
    SCOPED_TRACE("vector level " + std::to_string(int(level)));
    int found = 0;
    for (int n = 0; n < kCases; ++n) {
      Case c;
      MakeCase(std::uint64_t(n), c);
      Rng rng(0x91C70000 + std::uint64_t(n));
      const TBDBitmapData& b = c.buffer;
      const TBDBitmapData& p = c.picture;
      const Found exact = Outcome([&](auto& x, auto& y) { return b.FindPicture(p, x, y); });
      ASSERT_EQ(exact,
                Outcome([&](auto& x, auto& y) { return reference_scan::FindPicture(b, p, x, y); }))
          << c.description;
      found += exact.found;
      for (int k = 0; k < 2; ++k) {
        const TTolerance t = Tolerance(rng);
        ASSERT_EQ(Outcome([&](auto& x, auto& y) { return b.FindPictureTolerant(p, t, x, y); }),
                  Outcome([&](auto& x, auto& y) {
                    return reference_scan::FindPictureTolerant(b, p, t, x, y);
                  }))
            << c.description << Describe(t);
      }
      // MatchAt on its own, at places in and just outside the buffer.
      const int x = rng.Below(b.width() + 2);
      const int y = rng.Below(b.height() + 2);
      const TTolerance t = Tolerance(rng);
      ASSERT_EQ(b.MatchAt(p, x, y),
                reference_scan::MatchAt(b, p, x, y, [](auto q, auto r) { return q == r; }))
          << c.description << " at " << x << "," << y;
      ASSERT_EQ(b.MatchAtTolerant(p, t, x, y),
                reference_scan::MatchAt(b, p, x, y,
                                        [&](auto q, auto r) { return WithinTolerance(q, r, t); }))
          << c.description << " at " << x << "," << y << Describe(t);
    }
    // The cases are worth something only if many pictures are found and many are not.
    EXPECT_GT(found, kCases / 5);
    EXPECT_GT(kCases - found, kCases / 5);
  }
}

// Rows of hundreds of positions, where the wide paths pass 64 positions at a time under the
// picture's first probe: small pictures cut from a wide buffer, some with one pixel
// changed, some pasted again further right or lower.
TEST_F(MatchingDifferential, PictureScansAgreeOnWideRows) {
  constexpr int kWideCases = 1500;
  for (const platform::VectorLevel level : Levels()) {
    platform::LimitVectorLevel(level);
    SCOPED_TRACE("vector level " + std::to_string(int(level)));
    int found = 0;
    for (int n = 0; n < kWideCases; ++n) {
      Rng rng(0x71DE0000 + std::uint64_t(n));
      const std::vector<std::uint32_t> palette = Palette(rng);
      const int width = 80 + rng.Below(400);
      const int height = 2 + rng.Below(8);
      TBDBitmapData b;
      TBDBitmapData p;
      SizeWithNoise(rng, b, width, height);
      PaintRandom(rng, b, palette);
      const int w = 1 + rng.Below(6);
      const int h = 1 + rng.Below(std::min(height, 3));
      SizeWithNoise(rng, p, w, h);
      const int x0 = rng.Below(width - w + 1);
      const int y0 = rng.Below(height - h + 1);
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) PutPixel(p, x, y, GetPixel(b, x0 + x, y0 + y));
      }
      if (rng.OneIn(3)) PutPixel(p, rng.Below(w), rng.Below(h), rng.Next() & 0xFFFFFF);
      if (rng.OneIn(2)) {
        const int x1 = rng.Below(width - w + 1);
        const int y1 = rng.Below(height - h + 1);
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) PutPixel(b, x1 + x, y1 + y, GetPixel(p, x, y));
        }
      }
      const std::string what = "wide case " + std::to_string(n);
      const Found exact = Outcome([&](auto& x, auto& y) { return b.FindPicture(p, x, y); });
      ASSERT_EQ(exact,
                Outcome([&](auto& x, auto& y) { return reference_scan::FindPicture(b, p, x, y); }))
          << what;
      found += exact.found;
      const TTolerance t = Tolerance(rng);
      ASSERT_EQ(Outcome([&](auto& x, auto& y) { return b.FindPictureTolerant(p, t, x, y); }),
                Outcome([&](auto& x, auto& y) {
                  return reference_scan::FindPictureTolerant(b, p, t, x, y);
                }))
          << what << Describe(t);
    }
    EXPECT_GT(found, kWideCases / 5);
    EXPECT_GT(kWideCases - found, kWideCases / 10);
  }
}
