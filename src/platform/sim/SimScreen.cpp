// The simulated screen: a grid of colour values that tests paint and the program grabs.
#include <algorithm>

#include "platform/Desktop.h"
#include "platform/sim/SimState.h"

namespace platform {

namespace sim {

namespace {

bool OnScreen(const SimState& state, std::int64_t x, std::int64_t y) {
  return x >= 0 && y >= 0 && x < state.screenWidth && y < state.screenHeight;
}

std::uint32_t& PixelRef(SimState& state, std::int64_t x, std::int64_t y) {
  return state.screen[static_cast<std::size_t>(y * state.screenWidth + x)];
}

}  // namespace

void SetScreenSize(std::int32_t width, std::int32_t height) {
  SimState& state = State();
  state.screenWidth = std::max(width, 1);
  state.screenHeight = std::max(height, 1);
  state.screen.assign(std::size_t(state.screenWidth) * std::size_t(state.screenHeight), 0);
}

void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t rgb) {
  SimState& state = State();
  if (OnScreen(state, x, y)) PixelRef(state, x, y) = rgb & 0xFFFFFF;
}

void FillRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
              std::uint32_t rgb) {
  SimState& state = State();
  const std::int64_t x0 = std::max<std::int64_t>(left, 0);
  const std::int64_t y0 = std::max<std::int64_t>(top, 0);
  const std::int64_t x1 = std::min<std::int64_t>(std::int64_t(left) + width, state.screenWidth);
  const std::int64_t y1 = std::min<std::int64_t>(std::int64_t(top) + height, state.screenHeight);
  for (std::int64_t y = y0; y < y1; ++y) {
    for (std::int64_t x = x0; x < x1; ++x) PixelRef(state, x, y) = rgb & 0xFFFFFF;
  }
}

void PaintBlock(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                const std::uint8_t* block, std::int32_t stride) {
  SimState& state = State();
  for (std::int64_t row = 0; row < height; ++row) {
    // Stored row 0 is the bottom row of the picture.
    const std::uint8_t* in = block + (height - 1 - row) * std::int64_t(stride);
    for (std::int64_t col = 0; col < width; ++col, in += 3) {
      const std::int64_t x = left + col;
      const std::int64_t y = top + row;
      if (OnScreen(state, x, y)) {
        PixelRef(state, x, y) = in[0] | (std::uint32_t(in[1]) << 8) | (std::uint32_t(in[2]) << 16);
      }
    }
  }
}

std::uint32_t ScreenPixel(std::int32_t x, std::int32_t y) {
  SimState& state = State();
  return OnScreen(state, x, y) ? PixelRef(state, x, y) : 0;
}

const std::vector<GrabRequest>& GrabLog() {
  return State().grabLog;
}
void FailNextGrab(GrabStatus failure) {
  State().nextGrab = failure;
}
void FailPixelReads(bool fail) {
  State().pixelReadsFail = fail;
}

}  // namespace sim

std::int32_t ScreenWidth() {
  return sim::State().screenWidth;
}
std::int32_t ScreenHeight() {
  return sim::State().screenHeight;
}

GrabStatus GrabScreen(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                      std::uint8_t* block, std::int32_t stride) {
  sim::DesktopCalled(sim::DesktopCall::kGrabScreen);
  sim::SimState& state = sim::State();
  state.grabLog.push_back({left, top, width, height});
  const GrabStatus status = state.nextGrab;
  state.nextGrab = GrabStatus::kOk;
  if (status != GrabStatus::kOk) return status;
  for (std::int64_t row = 0; row < height; ++row) {
    std::uint8_t* out = block + (height - 1 - row) * std::int64_t(stride);
    for (std::int64_t col = 0; col < width; ++col, out += 3) {
      const std::int64_t x = left + col;
      const std::int64_t y = top + row;
      // Beyond the screen's edge the desktop delivers black.
      const std::uint32_t rgb = sim::OnScreen(state, x, y) ? sim::PixelRef(state, x, y) : 0;
      out[0] = static_cast<std::uint8_t>(rgb);
      out[1] = static_cast<std::uint8_t>(rgb >> 8);
      out[2] = static_cast<std::uint8_t>(rgb >> 16);
    }
  }
  return GrabStatus::kOk;
}

std::uint32_t GetPixel(std::int32_t x, std::int32_t y) {
  sim::DesktopCalled(sim::DesktopCall::kGetPixel);
  sim::SimState& state = sim::State();
  if (state.pixelReadsFail || !sim::OnScreen(state, x, y)) return kInvalidColor;
  const std::uint32_t rgb = sim::PixelRef(state, x, y);
  // A TColor has red in its lowest byte.
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace platform
