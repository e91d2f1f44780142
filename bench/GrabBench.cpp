// One search as the click runner makes it on X11, grab and scan, beside the raw
// XShmGetImage of the same area into a segment of the benchmark's own. Needs an X server
// of 1920 x 1080 at 24 bits with MIT-SHM (bench/run.sh starts Xvfb); the desktop scene
// is painted onto its root window first. Names as in ScanBench: the reference is the grab
// into a new buffer followed by the plain scan, as every search did before.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <benchmark/benchmark.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "DesktopScene.h"
#include "ReferenceScan.h"
#include "matching/BitmapData.h"
#include "matching/uFunction.h"

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct ImageDestroyer {
  void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDestroyer>;

Display* TheDisplay() {
  static const DisplayPtr display(XOpenDisplay(nullptr));
  return display.get();
}

const bench::Scene& TheDesktop() {
  struct Desktop : bench::Scene {
    Desktop() { bench::MakeDesktop(*this); }
  };
  static const Desktop scene;
  return scene;
}

// Puts the scene's screen onto the root window, where nothing paints over it.
bool PaintRoot(Display* display, const TBDBitmapData& screen) {
  const int number = DefaultScreen(display);
  if (DisplayWidth(display, number) != screen.width() ||
      DisplayHeight(display, number) != screen.height() || DefaultDepth(display, number) != 24) {
    std::fprintf(stderr, "the X screen must be %dx%d at 24 bits\n", screen.width(),
                 screen.height());
    return false;
  }
  const ImagePtr image(XCreateImage(display, DefaultVisual(display, number), 24, ZPixmap, 0,
                                    nullptr, unsigned(screen.width()), unsigned(screen.height()),
                                    32, 0));
  if (image == nullptr || image->bits_per_pixel != 32) return false;
  image->data =
      static_cast<char*>(std::malloc(std::size_t(image->bytes_per_line) * screen.height()));
  for (int y = 0; y < screen.height(); ++y) {
    for (int x = 0; x < screen.width(); ++x) {
      const std::uint8_t* p =
          screen.pixels() + std::int64_t(screen.height() - 1 - y) * screen.stride() + 3 * x;
      XPutPixel(image.get(), x, y, p[0] | (unsigned long)(p[1]) << 8 | (unsigned long)(p[2]) << 16);
    }
  }
  XPutImage(display, DefaultRootWindow(display), DefaultGC(display, number), image.get(), 0, 0, 0,
            0, unsigned(screen.width()), unsigned(screen.height()));
  XSync(display, False);
  return true;
}

const TTolerance kNinetyPercent = ToleranceForSimilarity(90);

void ColourOurs(benchmark::State& state, int similarity) {
  platform::Point p{};
  for (auto _ : state) {
    p = SearchColor("clFuchsia", 0, 0, bench::kScreenWidth, bench::kScreenHeight, similarity);
    benchmark::DoNotOptimize(p);
  }
  if (p.x != -1) state.SkipWithError("found an absent colour");
}

void ColourReference(benchmark::State& state, int similarity) {
  for (auto _ : state) {
    TBDBitmapData buffer;
    buffer.CopyFromScreen(0, 0, bench::kScreenWidth, bench::kScreenHeight);
    std::int32_t x, y;
    benchmark::DoNotOptimize(similarity == 100
                                 ? reference_scan::FindColor(buffer, bench::kAbsentColour, x, y)
                                 : reference_scan::FindColorTolerant(buffer, bench::kAbsentColour,
                                                                     kNinetyPercent, x, y));
  }
}

void PictureOurs(benchmark::State& state, int similarity) {
  const bench::Scene& scene = TheDesktop();
  platform::Point p{};
  for (auto _ : state) {
    p = SearchPicture(scene.picture, 0, 0, bench::kScreenWidth, bench::kScreenHeight, similarity);
    benchmark::DoNotOptimize(p);
  }
  if (p.x != scene.x + bench::kPictureSide / 2 || p.y != scene.y + bench::kPictureSide / 2) {
    state.SkipWithError("wrong position");
  }
}

void PictureReference(benchmark::State& state, int similarity) {
  const bench::Scene& scene = TheDesktop();
  for (auto _ : state) {
    TBDBitmapData buffer;
    buffer.CopyFromScreen(0, 0, bench::kScreenWidth, bench::kScreenHeight);
    std::int32_t x, y;
    benchmark::DoNotOptimize(
        similarity == 100
            ? reference_scan::FindPicture(buffer, scene.picture, x, y)
            : reference_scan::FindPictureTolerant(buffer, scene.picture, kNinetyPercent, x, y));
  }
}

// The grab alone, as a search makes it, into a block kept for the whole run: the share of
// a search that is not the scan.
void GrabOurs(benchmark::State& state) {
  TBDBitmapData buffer;
  for (auto _ : state) {
    if (!buffer.CopyFromScreen(0, 0, bench::kScreenWidth, bench::kScreenHeight)) {
      state.SkipWithError("CopyFromScreen failed");
      break;
    }
    benchmark::ClobberMemory();
  }
}

// The peer: the same area read with MIT-SHM into a segment kept for the whole run. With
// copyOut, each read is followed by one memcpy of the segment into a block kept as well: the
// least that any use of the pixels costs on top of the read, a floor for the grab.
void RawShmGetImage(benchmark::State& state, bool copyOut) {
  Display* display = TheDisplay();
  const int number = DefaultScreen(display);
  XShmSegmentInfo info{};
  const ImagePtr image(XShmCreateImage(display, DefaultVisual(display, number),
                                       unsigned(DefaultDepth(display, number)), ZPixmap, nullptr,
                                       &info, bench::kScreenWidth, bench::kScreenHeight));
  if (image == nullptr) return state.SkipWithError("XShmCreateImage failed");
  info.shmid =
      shmget(IPC_PRIVATE, std::size_t(image->bytes_per_line) * image->height, IPC_CREAT | 0600);
  info.shmaddr = image->data = static_cast<char*>(shmat(info.shmid, nullptr, 0));
  info.readOnly = False;
  XShmAttach(display, &info);
  XSync(display, False);
  shmctl(info.shmid, IPC_RMID, nullptr);
  std::vector<char> copy(copyOut ? std::size_t(image->bytes_per_line) * image->height : 0);
  for (auto _ : state) {
    if (!XShmGetImage(display, DefaultRootWindow(display), image.get(), 0, 0, AllPlanes)) {
      state.SkipWithError("XShmGetImage failed");
      break;
    }
    if (copyOut) {
      std::memcpy(copy.data(), image->data, copy.size());
      benchmark::ClobberMemory();
    }
  }
  XShmDetach(display, &info);
  XSync(display, False);
  shmdt(info.shmaddr);
  image->data = nullptr;
}

void Register() {
  for (const int similarity : {100, 90}) {
    const std::string comparison = similarity == 100 ? "/Exact/" : "/Tolerant90/";
    const std::string colour = "Grab+Colour/Absent" + comparison;
    const std::string picture = "Grab+Picture/Desktop" + comparison;
    benchmark::RegisterBenchmark((colour + "ours").c_str(), ColourOurs, similarity)->UseRealTime();
    benchmark::RegisterBenchmark((colour + "reference").c_str(), ColourReference, similarity)
        ->UseRealTime();
    benchmark::RegisterBenchmark((picture + "ours").c_str(), PictureOurs, similarity)
        ->UseRealTime();
    benchmark::RegisterBenchmark((picture + "reference").c_str(), PictureReference, similarity)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("Grab/Screen/Alone/ours", GrabOurs)->UseRealTime();
  // The raw read is the peer of every row.
  benchmark::RegisterBenchmark("Grab/Screen/Raw/peer", RawShmGetImage, false)->UseRealTime();
  benchmark::RegisterBenchmark("Grab/Screen/RawThenMemcpy/floor", RawShmGetImage, true)
      ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = TheDisplay();
  if (display == nullptr || !XShmQueryExtension(display)) {
    std::fprintf(stderr, "no X server with MIT-SHM (DISPLAY=%s)\n", std::getenv("DISPLAY"));
    return 1;
  }
  if (!PaintRoot(display, TheDesktop().screen)) return 1;
  RecordScreenSize();
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
