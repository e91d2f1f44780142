#include <windows.h>

#include <cstdint>

#include "platform/Desktop.h"

namespace platform {
namespace {

constexpr std::uint32_t kButtonFlags = kMouseLeftDown | kMouseLeftUp | kMouseRightDown |
                                       kMouseRightUp | kMouseMiddleDown | kMouseMiddleUp;

}  // namespace

void MouseEvent(std::uint32_t flags, std::int32_t x, std::int32_t y) {
  // Only button flags pass: without MOUSEEVENTF_MOVE and MOUSEEVENTF_ABSOLUTE the
  // transition happens where the cursor is, and x and y are ignored by the system.
  // mouse_event reports nothing, so there is nothing to check.
  ::mouse_event(flags & kButtonFlags, static_cast<DWORD>(x), static_cast<DWORD>(y), 0, 0);
}

}  // namespace platform
