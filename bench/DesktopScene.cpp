#include "DesktopScene.h"

#include <cstdlib>

namespace bench {
namespace {

struct Lcg {
  std::uint32_t state = 12345;
  std::uint32_t Next(std::uint32_t bound) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % bound;
  }
};

void PutPixel(TBDBitmapData& b, int x, int y, std::uint32_t rgb) {
  if (x < 0 || y < 0 || x >= b.width() || y >= b.height()) return;
  std::uint8_t* p = b.pixels() + std::int64_t(b.height() - 1 - y) * b.stride() + 3 * x;
  p[0] = static_cast<std::uint8_t>(rgb);
  p[1] = static_cast<std::uint8_t>(rgb >> 8);
  p[2] = static_cast<std::uint8_t>(rgb >> 16);
}

void FillRect(TBDBitmapData& b, int left, int top, int width, int height, std::uint32_t rgb) {
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) PutPixel(b, x, y, rgb);
  }
}

void NewScreen(TBDBitmapData& screen, std::uint32_t rgb) {
  if (!screen.SetSize(kScreenWidth, kScreenHeight)) std::abort();
  FillRect(screen, 0, 0, kScreenWidth, kScreenHeight, rgb);
}

void Cut(const TBDBitmapData& screen, int left, int top, TBDBitmapData& picture) {
  if (!picture.SetSize(kPictureSide, kPictureSide)) std::abort();
  for (int r = 0; r < kPictureSide; ++r) {
    const std::uint8_t* from = screen.pixels() +
                               std::int64_t(screen.height() - 1 - (top + r)) * screen.stride() +
                               3 * left;
    std::uint8_t* to = picture.pixels() + std::int64_t(kPictureSide - 1 - r) * picture.stride();
    for (int i = 0; i < 3 * kPictureSide; ++i) to[i] = from[i];
  }
}

// A window: light client, blue title bar, and rows of dark glyph-like strokes.
void PaintWindow(TBDBitmapData& b, Lcg& rng, int left, int top, int width, int height) {
  FillRect(b, left, top, width, height, 0xF0F0F0);
  FillRect(b, left, top, width, 22, 0x0A246A);
  for (int line = top + 30; line + 12 < top + height; line += 16) {
    for (int x = left + 6; x + 8 < left + width; x += 7) {
      if (rng.Next(6) == 0) continue;  // a gap between words
      for (int stroke = 0; stroke < 5; ++stroke) {
        const std::uint32_t ink = 0x101010 * rng.Next(6);  // dark greys
        FillRect(b, x + int(rng.Next(5)), line + int(rng.Next(10)), 1 + int(rng.Next(2)),
                 1 + int(rng.Next(3)), ink);
      }
    }
  }
}

}  // namespace

void MakeDesktop(Scene& scene) {
  TBDBitmapData& s = scene.screen;
  NewScreen(s, 0x3A6EA5);
  Lcg rng;
  PaintWindow(s, rng, 60, 40, 900, 620);
  PaintWindow(s, rng, 700, 300, 1000, 700);
  PaintWindow(s, rng, 1500, 760, 420, 320);  // reaches the bottom-right corner
  FillRect(s, 0, kScreenHeight - 40, kScreenWidth, 40, 0xD4D0C8);  // task bar
  scene.x = kScreenWidth - 90;
  scene.y = kScreenHeight - 110;
  Cut(s, scene.x, scene.y, scene.picture);
}

void MakeFlat(Scene& scene) {
  NewScreen(scene.screen, 0x808080);
  Cut(scene.screen, 0, 0, scene.picture);
  // Picture rows are compared bottom row first, so its top-right pixel comes last.
  PutPixel(scene.picture, kPictureSide - 1, 0, 0x000000);
  scene.x = scene.y = -1;
}

void MakeSpeckled(Scene& scene) {
  TBDBitmapData& s = scene.screen;
  NewScreen(s, 0x808080);
  Lcg rng;
  // One pixel in 4096 is a speck of one of three dark greys.
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      if (rng.Next(4096) == 0) PutPixel(s, x, y, 0x202020 * (1 + rng.Next(3)));
    }
  }
  // A picture of the same kind with four specks of its own, high up: the plain scan
  // compares its rows bottom first, so most positions fail only after hundreds of pairs.
  if (!scene.picture.SetSize(kPictureSide, kPictureSide)) std::abort();
  FillRect(scene.picture, 0, 0, kPictureSide, kPictureSide, 0x808080);
  for (int k = 0; k < 4; ++k) {
    PutPixel(scene.picture, int(rng.Next(kPictureSide)), int(rng.Next(kPictureSide / 4)),
             0x202020 * (1 + rng.Next(3)));
  }
  scene.x = scene.y = -1;
}

}  // namespace bench
