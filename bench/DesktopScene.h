// Screen contents for the benchmarks, painted straight into 24-bit pixel buffers: a
// desktop with windows full of text-like strokes, a flat screen, and a mostly flat screen
// with sparse specks, each with the picture that the benchmarks look for on it.
#pragma once

#include <cstdint>

#include "matching/BitmapData.h"

namespace bench {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kPictureSide = 48;
// A colour the desktop never shows, nor anything within 25 of it per channel.
constexpr std::int32_t kAbsentColour = 0xFF00FF;

struct Scene {
  TBDBitmapData screen;
  TBDBitmapData picture;
  // Where the picture's top-left corner first shows on the screen; -1, -1 when it doesn't.
  std::int32_t x = -1;
  std::int32_t y = -1;
};

// Typical: a blue desktop, three windows with title bars and lines of dark grey strokes,
// a task bar; the picture is a 48 x 48 piece of the window at the bottom right.
void MakeDesktop(Scene& scene);
// Pathological for the plain scan: a flat grey screen and a flat grey picture whose one
// odd pixel is the last pair it compares, so every position costs all 48 x 48 pairs.
void MakeFlat(Scene& scene);
// Mostly flat: the grey screen and picture both carry sparse specks of a few dark
// greys; the picture shows nowhere, and most positions fail only after hundreds of pairs.
void MakeSpeckled(Scene& scene);

}  // namespace bench
