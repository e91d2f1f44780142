// On X11 the screen is the root window: its top-left corner is the origin of every coordinate
// and it spans every monitor, so a full-screen search covers the whole desktop.
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Desktop.h"
#include "platform/x11/DebugLog.h"
#include "platform/x11/DibConversion.h"
#include "platform/x11/RootSize.h"
#include "platform/x11/ScreenCapture.h"
#include "platform/x11/X11Display.h"

namespace platform {
namespace {

using Size = x11::RootExtent;

Size ScreenSize() {
  Size size;
  if (x11::X11Display* display = x11::X11Display::Get()) x11::RootSize(*display, size);
  return size;
}

// Created after the connection, so it is destroyed, and its shared segment detached, before
// the connection closes at exit.
x11::ScreenCapture& Capture(x11::X11Display& display) {
  static x11::ScreenCapture capture(display);
  return capture;
}

// GrabScreen on a root window of the given size, with arguments already checked.
GrabStatus GrabFromRoot(x11::X11Display& display, const Size& root, std::int32_t left,
                        std::int32_t top, std::int32_t width, std::int32_t height,
                        std::uint8_t* block, std::int32_t stride) {
  // Only the part on the screen is asked for, which X requires; the rest of the rectangle is
  // black, as nothing is there to be seen.
  const std::int64_t right = static_cast<std::int64_t>(left) + width;
  const std::int64_t bottom = static_cast<std::int64_t>(top) + height;
  const std::int64_t visibleLeft = std::max<std::int64_t>(left, 0);
  const std::int64_t visibleTop = std::max<std::int64_t>(top, 0);
  const std::int64_t visibleRight = std::min<std::int64_t>(right, root.width);
  const std::int64_t visibleBottom = std::min<std::int64_t>(bottom, root.height);
  const bool wholeOnScreen =
      visibleLeft == left && visibleTop == top && visibleRight == right && visibleBottom == bottom;
  if (!wholeOnScreen) std::memset(block, 0, static_cast<std::size_t>(stride) * height);

  if (visibleRight > visibleLeft && visibleBottom > visibleTop) {
    const XImage* image =
        Capture(display).Take(static_cast<int>(visibleLeft), static_cast<int>(visibleTop),
                              static_cast<unsigned>(visibleRight - visibleLeft),
                              static_cast<unsigned>(visibleBottom - visibleTop));
    if (image == nullptr) return GrabStatus::kCopyFailed;
    if (!x11::ConvertImageToDib(*image, block, stride, height,
                                static_cast<std::int32_t>(visibleLeft - left),
                                static_cast<std::int32_t>(visibleTop - top))) {
      x11::DebugLog("GrabScreen: no conversion for %d bits per pixel, masks %lx %lx %lx",
                    image->bits_per_pixel, image->red_mask, image->green_mask, image->blue_mask);
      return GrabStatus::kExtractFailed;
    }
  }
  // The pad bytes at the ends of the rows mean nothing, but they are written out with the
  // block as BMP pixel data; zero them rather than leave old heap contents there.
  const std::int32_t rowBytes = 3 * width;
  if (wholeOnScreen && stride > rowBytes) {
    for (std::int32_t row = 0; row < height; ++row) {
      std::memset(block + static_cast<std::size_t>(row) * stride + rowBytes, 0,
                  static_cast<std::size_t>(stride - rowBytes));
    }
  }
  return GrabStatus::kOk;
}

}  // namespace

std::int32_t ScreenWidth() {
  return ScreenSize().width;
}

std::int32_t ScreenHeight() {
  return ScreenSize().height;
}

GrabStatus GrabScreen(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                      std::uint8_t* block, std::int32_t stride) {
  if (block == nullptr || width < 1 || height < 1 ||
      static_cast<std::int64_t>(stride) < 3 * static_cast<std::int64_t>(width)) {
    x11::DebugLog("GrabScreen: invalid block %dx%d, stride %d", width, height, stride);
    return GrabStatus::kCopyFailed;
  }
  x11::X11Display* display = x11::X11Display::Get();
  Size root;
  if (display == nullptr || !x11::RootSize(*display, root)) return GrabStatus::kCopyFailed;
  return GrabFromRoot(*display, root, left, top, width, height, block, stride);
}

std::uint32_t GetPixel(std::int32_t x, std::int32_t y) {
  x11::X11Display* display = x11::X11Display::Get();
  Size root;
  if (display == nullptr || !x11::RootSize(*display, root)) return kInvalidColor;
  if (x < 0 || y < 0 || x >= root.width || y >= root.height) return kInvalidColor;
  std::uint8_t pixel[4] = {};
  if (GrabFromRoot(*display, root, x, y, 1, 1, pixel, sizeof pixel) != GrabStatus::kOk) {
    return kInvalidColor;
  }
  // Stored blue, green, red; a TColor keeps red in its lowest byte.
  return static_cast<std::uint32_t>(pixel[2]) | static_cast<std::uint32_t>(pixel[1]) << 8 |
         static_cast<std::uint32_t>(pixel[0]) << 16;
}

}  // namespace platform
