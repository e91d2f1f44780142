// The screen size, the grab into the 24-bit bottom-up block and single pixels, read back from
// windows of known colours. Only pure colours are painted, so the checks hold on 16-bit
// screens as well, where the stage runs them too (and once more without MIT-SHM).
#include <gtest/gtest.h>

// After gtest, whose None the Xlib macro of that name would break.
#include <X11/Xlib.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/Desktop.h"
#include "platform/x11/X11Events.h"

namespace {

using platform::GrabScreen;
using platform::GrabStatus;

constexpr std::uint8_t kGuard = 0xA5;

std::int32_t StrideOf(std::int32_t width) {
  return ((24 * width + 31) & 0x7FFFFFE0) / 8;
}

struct Grab {
  std::int32_t left, top, width, height;
};

// Grabs g into a block with guard bytes behind it and checks every pixel against what the
// targets show there (black beyond the screen), the pad bytes and the guard.
void ExpectGrab(const Grab& g, const std::vector<const e2e::ClickTarget*>& targets) {
  const std::int32_t stride = StrideOf(g.width);
  const std::size_t size = static_cast<std::size_t>(stride) * g.height;
  std::vector<std::uint8_t> block(size + 16, kGuard);
  ASSERT_EQ(GrabScreen(g.left, g.top, g.width, g.height, block.data(), stride), GrabStatus::kOk);

  const std::int32_t screenWidth = platform::ScreenWidth();
  const std::int32_t screenHeight = platform::ScreenHeight();
  int wrong = 0;
  for (std::int32_t y = 0; y < g.height && wrong < 5; ++y) {
    for (std::int32_t x = 0; x < g.width && wrong < 5; ++x) {
      const int sx = g.left + x;
      const int sy = g.top + y;
      std::int64_t expected = -1;
      if (sx < 0 || sy < 0 || sx >= screenWidth || sy >= screenHeight) expected = 0;
      for (const e2e::ClickTarget* target : targets) {
        if (expected < 0) expected = target->ColourAt(sx, sy);
      }
      ASSERT_GE(expected, 0) << "the test reads a screen pixel no target covers: " << sx << ","
                             << sy;
      // Bottom-up rows of blue, green, red.
      const std::uint8_t* pixel =
          &block[static_cast<std::size_t>(g.height - 1 - y) * stride + 3 * x];
      const std::uint32_t actual = pixel[0] | pixel[1] << 8 | pixel[2] << 16;
      if (actual != static_cast<std::uint32_t>(expected)) {
        ++wrong;
        ADD_FAILURE() << "pixel (" << sx << ", " << sy << ") is " << std::hex << actual
                      << ", expected " << expected;
      }
    }
  }
  for (std::int32_t row = 0; row < g.height; ++row) {
    for (std::int32_t pad = 3 * g.width; pad < stride; ++pad) {
      ASSERT_EQ(block[static_cast<std::size_t>(row) * stride + pad], 0) << "pad of row " << row;
    }
  }
  for (std::size_t i = size; i < block.size(); ++i) ASSERT_EQ(block[i], kGuard) << "overrun";
}

TEST(Screen, SizeIsTheRootWindowsSize) {
  e2e::TempDir dir;
  const std::string out = dir.Path() + "/geometry";
  ASSERT_EQ(e2e::RunCommand({"sh", "-c", "xdotool getdisplaygeometry > " + out}), 0);
  int width = 0;
  int height = 0;
  ASSERT_EQ(std::sscanf(e2e::ReadFile(out).c_str(), "%d %d", &width, &height), 2);
  EXPECT_EQ(platform::ScreenWidth(), width);
  EXPECT_EQ(platform::ScreenHeight(), height);
}

// The size is asked of the server once and then follows the ConfigureNotify events that a
// resize of the root window sends, whether the event pump or the size reads them first.
// Xvfb can't be resized, so another client announces the resizes.
TEST(Screen, SizeFollowsAResizeOfTheRoot) {
  const std::int32_t width = platform::ScreenWidth();
  const std::int32_t height = platform::ScreenHeight();
  struct Closer {
    void operator()(Display* display) const { XCloseDisplay(display); }
  };
  const std::unique_ptr<Display, Closer> other(XOpenDisplay(nullptr));
  ASSERT_NE(other, nullptr);
  const auto announce = [&](int w, int h) {
    XEvent event{};
    event.xconfigure.type = ConfigureNotify;
    event.xconfigure.event = event.xconfigure.window = DefaultRootWindow(other.get());
    event.xconfigure.width = w;
    event.xconfigure.height = h;
    XSendEvent(other.get(), DefaultRootWindow(other.get()), False, StructureNotifyMask, &event);
    XSync(other.get(), False);
  };
  const auto sizeBecomes = [](std::int32_t w, std::int32_t h) {
    return e2e::WaitFor([&] {
      platform::x11::ProcessEvents();
      return platform::ScreenWidth() == w && platform::ScreenHeight() == h;
    });
  };
  // The real size is announced again however the test ends; later tests need it.
  struct Restore {
    std::function<void()> restore;
    ~Restore() { restore(); }
  } restore{[&] {
    announce(width, height);
    sizeBecomes(width, height);
  }};
  announce(width - 100, height - 50);
  EXPECT_TRUE(sizeBecomes(width - 100, height - 50));
  // Beyond the smaller screen a grab is black, though the server still shows pixels there.
  const e2e::ClickTarget target({width - 80, height - 40, 40, 20, 0xFFFFFF});
  ASSERT_TRUE(target.Ready());
  std::uint8_t pixel[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  ASSERT_EQ(GrabScreen(width - 70, height - 35, 1, 1, pixel, 4), GrabStatus::kOk);
  EXPECT_EQ(pixel[0] | pixel[1] << 8 | pixel[2] << 16, 0);
  announce(width, height);
  EXPECT_TRUE(sizeBecomes(width, height));
  ASSERT_EQ(GrabScreen(width - 70, height - 35, 1, 1, pixel, 4), GrabStatus::kOk);
  EXPECT_EQ(pixel[0] | pixel[1] << 8 | pixel[2] << 16, 0xFFFFFF);
}

TEST(Screen, GrabGivesBottomUpBgrRowsOfWhatIsShown) {
  // Pure blue with red at the top left, green at the bottom right and a white dot: any row
  // or channel mix-up shows.
  const e2e::ClickTarget target(
      {100, 120, 64, 48, 0x0000FF},
      {{0, 0, 10, 8, 0xFF0000}, {54, 40, 10, 8, 0x00FF00}, {20, 21, 3, 2, 0xFFFFFF}});
  ASSERT_TRUE(target.Ready());
  const Grab cases[] = {
      {100, 120, 64, 48},  // the whole window, rows without padding
      {100, 120, 63, 47},  // odd width: three pad bytes a row
      {117, 125, 9, 30},   // inside, away from the corners
      {163, 167, 1, 1},    // one pixel
  };
  for (const Grab& g : cases) {
    SCOPED_TRACE(std::to_string(g.left) + "," + std::to_string(g.top) + " " +
                 std::to_string(g.width) + "x" + std::to_string(g.height));
    ExpectGrab(g, {&target});
  }
}

TEST(Screen, GrabIsBlackBeyondTheScreen) {
  const std::int32_t width = platform::ScreenWidth();
  const std::int32_t height = platform::ScreenHeight();
  const e2e::ClickTarget corner({width - 40, height - 30, 40, 30, 0x00FFFF},
                                {{36, 26, 4, 4, 0xFF0000}});
  const e2e::ClickTarget left({0, 300, 30, 20, 0xFFFF00});
  const e2e::ClickTarget top({500, 0, 20, 10, 0xFF00FF});
  ASSERT_TRUE(corner.Ready() && left.Ready() && top.Ready());
  const Grab cases[] = {
      {width - 40, height - 30, 61, 50},  // past the right and bottom edges
      {-10, 300, 40, 20},                 // left of the screen
      {500, -5, 20, 15},                  // above it
      {width + 100, height + 100, 7, 5},  // wholly off the screen
  };
  for (const Grab& g : cases) {
    SCOPED_TRACE(std::to_string(g.left) + "," + std::to_string(g.top));
    ExpectGrab(g, {&corner, &left, &top});
  }
}

TEST(Screen, FullScreenGrabHoldsTheWindowsAtTheirPlaces) {
  const e2e::ClickTarget target({700, 500, 20, 10, 0xFF0000}, {{0, 9, 1, 1, 0x00FF00}});
  ASSERT_TRUE(target.Ready());
  const std::int32_t width = platform::ScreenWidth();
  const std::int32_t height = platform::ScreenHeight();
  const std::int32_t stride = StrideOf(width);
  std::vector<std::uint8_t> block(static_cast<std::size_t>(stride) * height);
  ASSERT_EQ(GrabScreen(0, 0, width, height, block.data(), stride), GrabStatus::kOk);
  const auto at = [&](int x, int y) {
    const std::uint8_t* p = &block[static_cast<std::size_t>(height - 1 - y) * stride + 3 * x];
    return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
  };
  EXPECT_EQ(at(710, 505), 0xFF0000u);
  EXPECT_EQ(at(700, 509), 0x00FF00u);
  EXPECT_EQ(at(719, 500), 0xFF0000u);
}

TEST(Screen, GrabRefusesABlockThatCannotHoldTheRectangle) {
  std::vector<std::uint8_t> block(64, kGuard);
  EXPECT_EQ(GrabScreen(0, 0, 0, 1, block.data(), 4), GrabStatus::kCopyFailed);
  EXPECT_EQ(GrabScreen(0, 0, 1, -1, block.data(), 4), GrabStatus::kCopyFailed);
  EXPECT_EQ(GrabScreen(0, 0, 5, 1, block.data(), 12), GrabStatus::kCopyFailed);
  EXPECT_EQ(GrabScreen(0, 0, 1, 1, nullptr, 4), GrabStatus::kCopyFailed);
  for (const std::uint8_t byte : block) ASSERT_EQ(byte, kGuard);
}

TEST(Screen, GetPixelReadsATColor) {
  const e2e::ClickTarget target({300, 600, 30, 30, 0x0000FF},
                                {{0, 0, 10, 10, 0xFF0000}, {20, 20, 10, 10, 0x00FF00}});
  ASSERT_TRUE(target.Ready());
  const std::int32_t width = platform::ScreenWidth();
  const std::int32_t height = platform::ScreenHeight();
  struct Case {
    std::int32_t x, y;
    std::uint32_t expected;  // 0x00BBGGRR
  };
  const Case cases[] = {
      {305, 605, 0x000000FF},  // red
      {325, 625, 0x0000FF00},  // green
      {315, 615, 0x00FF0000},  // blue
      {-1, 0, platform::kInvalidColor},
      {0, -1, platform::kInvalidColor},
      {width, 0, platform::kInvalidColor},
      {0, height, platform::kInvalidColor},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::GetPixel(c.x, c.y), c.expected) << c.x << ", " << c.y;
  }
}

}  // namespace
