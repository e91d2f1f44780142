// The colour and picture scans over a full-HD buffer with desktop-like content: flat
// backgrounds and windows, title bars, and text-like noise inside the windows.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "matching/BitmapData.h"
#include "matching/uFunction.h"
#include "platform/sim/SimDesktop.h"

namespace sim = platform::sim;

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kPictureSide = 48;
// A colour the desktop never shows, nor anything within 25 of it per channel.
constexpr std::int32_t kAbsent = 0xFF00FF;

struct Lcg {
  std::uint32_t state = 12345;
  std::uint32_t Next(std::uint32_t bound) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % bound;
  }
};

// A window: white client, blue title bar, and rows of dark glyph-like strokes.
void PaintWindow(Lcg& rng, int left, int top, int width, int height) {
  sim::FillRect(left, top, width, height, 0xF0F0F0);
  sim::FillRect(left, top, width, 22, 0x0A246A);
  for (int line = top + 30; line + 12 < top + height; line += 16) {
    for (int x = left + 6; x + 8 < left + width; x += 7) {
      if (rng.Next(6) == 0) continue;  // a gap between words
      for (int stroke = 0; stroke < 5; ++stroke) {
        const std::uint32_t ink = 0x101010 * rng.Next(6);  // dark greys
        sim::FillRect(x + int(rng.Next(5)), line + int(rng.Next(10)), 1 + int(rng.Next(2)),
                      1 + int(rng.Next(3)), ink);
      }
    }
  }
}

void PaintDesktop() {
  sim::Reset();
  sim::SetScreenSize(kScreenWidth, kScreenHeight);
  sim::FillRect(0, 0, kScreenWidth, kScreenHeight, 0x3A6EA5);  // desktop background
  Lcg rng;
  PaintWindow(rng, 60, 40, 900, 620);
  PaintWindow(rng, 700, 300, 1000, 700);
  PaintWindow(rng, 1500, 760, 420, 320);  // reaches the bottom-right corner
  sim::FillRect(0, kScreenHeight - 40, kScreenWidth, 40, 0xD4D0C8);  // task bar
  RecordScreenSize();
}

// The desktop grabbed once, and a 48 x 48 piece of it near the bottom-right corner.
struct Desktop {
  TBDBitmapData screen;
  TBDBitmapData picture;
  Desktop() {
    PaintDesktop();
    screen.CopyFromScreen(0, 0, 0, 0);
    picture.CopyFromScreen(kScreenWidth - 90, kScreenHeight - 110, kPictureSide, kPictureSide);
  }
};

const Desktop& TheDesktop() {
  static const Desktop desktop;
  return desktop;
}

// A flat grey screen and a flat grey picture whose one odd pixel is the last one a
// match compares, so every position costs all 48 x 48 pairs and none matches.
struct FlatDesktop {
  TBDBitmapData screen;
  TBDBitmapData picture;
  FlatDesktop() {
    sim::Reset();
    sim::SetScreenSize(kScreenWidth, kScreenHeight);
    sim::FillRect(0, 0, kScreenWidth, kScreenHeight, 0x808080);
    RecordScreenSize();
    screen.CopyFromScreen(0, 0, 0, 0);
    // Picture rows are compared bottom row first, so its top-right pixel comes last.
    sim::SetPixel(kPictureSide - 1, 0, 0x000000);
    picture.CopyFromScreen(0, 0, kPictureSide, kPictureSide);
  }
};

const FlatDesktop& TheFlatDesktop() {
  static const FlatDesktop desktop;
  return desktop;
}

const TTolerance kNinetyPercent = ToleranceForSimilarity(90);

void FindColorAbsentExact(benchmark::State& state) {
  const TBDBitmapData& screen = TheDesktop().screen;
  for (auto _ : state) {
    std::int32_t x, y;
    benchmark::DoNotOptimize(screen.FindColor(kAbsent, x, y));
  }
}

void FindColorAbsentTolerant90(benchmark::State& state) {
  const TBDBitmapData& screen = TheDesktop().screen;
  for (auto _ : state) {
    std::int32_t x, y;
    benchmark::DoNotOptimize(screen.FindColorTolerant(kAbsent, kNinetyPercent, x, y));
  }
}

void FindPictureNearBottomRightExact(benchmark::State& state) {
  const Desktop& desktop = TheDesktop();
  for (auto _ : state) {
    std::int32_t x, y;
    if (!desktop.screen.FindPicture(desktop.picture, x, y)) state.SkipWithError("not found");
  }
}

void FindPictureNearBottomRightTolerant90(benchmark::State& state) {
  const Desktop& desktop = TheDesktop();
  for (auto _ : state) {
    std::int32_t x, y;
    if (!desktop.screen.FindPictureTolerant(desktop.picture, kNinetyPercent, x, y)) {
      state.SkipWithError("not found");
    }
  }
}

void FindPictureFlatOnFlatExact(benchmark::State& state) {
  const FlatDesktop& desktop = TheFlatDesktop();
  for (auto _ : state) {
    std::int32_t x, y;
    benchmark::DoNotOptimize(desktop.screen.FindPicture(desktop.picture, x, y));
  }
}

void FindPictureFlatOnFlatTolerant90(benchmark::State& state) {
  const FlatDesktop& desktop = TheFlatDesktop();
  for (auto _ : state) {
    std::int32_t x, y;
    benchmark::DoNotOptimize(
        desktop.screen.FindPictureTolerant(desktop.picture, kNinetyPercent, x, y));
  }
}

// The entry point as the click runner calls it: grab of the whole (simulated) screen,
// then the scan.
void SearchColorWholeScreenAbsent(benchmark::State& state) {
  PaintDesktop();
  for (auto _ : state) {
    benchmark::DoNotOptimize(SearchColor("clFuchsia", 0, 0, kScreenWidth, kScreenHeight, 100));
  }
}

}  // namespace

BENCHMARK(FindColorAbsentExact)->Unit(benchmark::kMillisecond);
BENCHMARK(FindColorAbsentTolerant90)->Unit(benchmark::kMillisecond);
BENCHMARK(FindPictureNearBottomRightExact)->Unit(benchmark::kMillisecond);
BENCHMARK(FindPictureNearBottomRightTolerant90)->Unit(benchmark::kMillisecond);
BENCHMARK(FindPictureFlatOnFlatExact)->Unit(benchmark::kMillisecond);
BENCHMARK(FindPictureFlatOnFlatTolerant90)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchColorWholeScreenAbsent)->Unit(benchmark::kMillisecond);
