// The colour and picture scans over a full-HD buffer, each beside its peers in the same
// run: the plain brute-force scan they must agree with, OpenCV's matchTemplate (squared
// differences, then the minimum) for the picture search, and memcpy of the same block for
// the colour search. Names are group/case/comparison/implementation; bench/run.sh turns
// them into one table.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "DesktopScene.h"
#include "ReferenceScan.h"
#include "matching/BitmapData.h"
#include "matching/uFunction.h"

namespace {

const TTolerance kNinetyPercent = ToleranceForSimilarity(90);

enum class SceneKind { kDesktop, kFlat, kSpeckled };

const bench::Scene& TheScene(SceneKind kind) {
  struct Scenes {
    bench::Scene desktop, flat, speckled;
    Scenes() {
      bench::MakeDesktop(desktop);
      bench::MakeFlat(flat);
      bench::MakeSpeckled(speckled);
    }
  };
  static const Scenes scenes;
  switch (kind) {
    case SceneKind::kDesktop:
      return scenes.desktop;
    case SceneKind::kFlat:
      return scenes.flat;
    case SceneKind::kSpeckled:
      break;
  }
  return scenes.speckled;
}

struct Position {
  bool found;
  std::int32_t x, y;
};

Position Ours(const bench::Scene& s, bool exact) {
  Position p{};
  p.found = exact ? s.screen.FindPicture(s.picture, p.x, p.y)
                  : s.screen.FindPictureTolerant(s.picture, kNinetyPercent, p.x, p.y);
  return p;
}

// Every implementation must report where the picture really is; the benchmark fails
// otherwise rather than time a wrong answer.
void Expect(benchmark::State& state, const bench::Scene& s, const Position& p) {
  if (p.found != (s.x >= 0) || (p.found && (p.x != s.x || p.y != s.y))) {
    state.SkipWithError("wrong position");
  }
}

void PictureOurs(benchmark::State& state, SceneKind kind, bool exact) {
  const bench::Scene& s = TheScene(kind);
  Position p{};
  for (auto _ : state) {
    p = Ours(s, exact);
    benchmark::DoNotOptimize(p);
  }
  Expect(state, s, p);
}

void PictureReference(benchmark::State& state, SceneKind kind, bool exact) {
  const bench::Scene& s = TheScene(kind);
  Position p{};
  for (auto _ : state) {
    p.found =
        exact ? reference_scan::FindPicture(s.screen, s.picture, p.x, p.y)
              : reference_scan::FindPictureTolerant(s.screen, s.picture, kNinetyPercent, p.x, p.y);
    benchmark::DoNotOptimize(p);
  }
  Expect(state, s, p);
}

// The buffer as OpenCV's top-down 8-bit, 3-channel image (blue, green, red, as ours).
cv::Mat TopDown(const TBDBitmapData& b) {
  cv::Mat image(b.height(), b.width(), CV_8UC3);
  for (int y = 0; y < b.height(); ++y) {
    std::memcpy(image.ptr(y), b.pixels() + std::int64_t(b.height() - 1 - y) * b.stride(),
                3 * std::size_t(b.width()));
  }
  return image;
}

void PictureOpenCv(benchmark::State& state, SceneKind kind) {
  const bench::Scene& s = TheScene(kind);
  const cv::Mat screen = TopDown(s.screen);
  const cv::Mat picture = TopDown(s.picture);
  cv::Mat result;
  double least = 0;
  cv::Point at;
  for (auto _ : state) {
    cv::matchTemplate(screen, picture, result, cv::TM_SQDIFF);
    cv::minMaxLoc(result, &least, nullptr, &at, nullptr);
    benchmark::DoNotOptimize(at);
  }
  // Where the picture shows, the squared difference there is 0 and the first least one.
  if (s.x >= 0 && (least != 0 || at.x != s.x || at.y != s.y)) state.SkipWithError("wrong position");
}

void ColourOurs(benchmark::State& state, bool exact) {
  const TBDBitmapData& screen = TheScene(SceneKind::kDesktop).screen;
  bool found = false;
  for (auto _ : state) {
    std::int32_t x, y;
    found = exact ? screen.FindColor(bench::kAbsentColour, x, y)
                  : screen.FindColorTolerant(bench::kAbsentColour, kNinetyPercent, x, y);
    benchmark::DoNotOptimize(found);
  }
  if (found) state.SkipWithError("found an absent colour");
  state.SetBytesProcessed(std::int64_t(state.iterations()) * screen.dataSize());
}

void ColourReference(benchmark::State& state, bool exact) {
  const TBDBitmapData& screen = TheScene(SceneKind::kDesktop).screen;
  for (auto _ : state) {
    std::int32_t x, y;
    benchmark::DoNotOptimize(exact ? reference_scan::FindColor(screen, bench::kAbsentColour, x, y)
                                   : reference_scan::FindColorTolerant(screen, bench::kAbsentColour,
                                                                       kNinetyPercent, x, y));
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * screen.dataSize());
}

// The peer of the colour search: copying the same block once.
void ColourMemcpy(benchmark::State& state) {
  const TBDBitmapData& screen = TheScene(SceneKind::kDesktop).screen;
  std::vector<std::uint8_t> copy(std::size_t(screen.dataSize()), 1);
  for (auto _ : state) {
    std::memcpy(copy.data(), screen.pixels(), copy.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * screen.dataSize());
}

void Register() {
  struct PictureCase {
    const char* name;
    SceneKind kind;
  };
  const PictureCase scenes[] = {{"Desktop", SceneKind::kDesktop},
                                {"Flat", SceneKind::kFlat},
                                {"Speckled", SceneKind::kSpeckled}};
  for (const PictureCase& c : scenes) {
    for (const bool exact : {true, false}) {
      const std::string prefix =
          std::string("Picture/") + c.name + (exact ? "/Exact/" : "/Tolerant90/");
      benchmark::RegisterBenchmark((prefix + "ours").c_str(), PictureOurs, c.kind, exact);
      benchmark::RegisterBenchmark((prefix + "reference").c_str(), PictureReference, c.kind, exact);
      // OpenCV has no tolerance: its one search is the peer of both rows.
      if (exact) benchmark::RegisterBenchmark((prefix + "peer").c_str(), PictureOpenCv, c.kind);
    }
  }
  for (const bool exact : {true, false}) {
    const std::string prefix = std::string("Colour/Absent/") + (exact ? "Exact/" : "Tolerant90/");
    benchmark::RegisterBenchmark((prefix + "ours").c_str(), ColourOurs, exact);
    benchmark::RegisterBenchmark((prefix + "reference").c_str(), ColourReference, exact);
    benchmark::RegisterBenchmark((prefix + "peer").c_str(), ColourMemcpy);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // One thread, as our scans have: the ratios compare algorithms, not core counts.
  cv::setNumThreads(1);
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
