// The cursor is the core pointer; its coordinates are those of the root window, which spans
// every monitor.
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdint>

#include "platform/Desktop.h"
#include "platform/x11/DebugLog.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11ErrorTrap.h"

namespace platform {
namespace {

// Coordinates travel as 16-bit numbers in the X protocol: anything wider would wrap around and
// land somewhere on the screen, so it is pinned to the protocol's range first and the server
// then keeps the pointer on the screen, like SetCursorPos does on Windows.
int ToProtocolCoordinate(std::int32_t value) {
  return std::clamp<std::int32_t>(value, -32768, 32767);
}

}  // namespace

bool GetCursorPos(Point& pos) {
  x11::X11Display* x = x11::X11Display::Get();
  if (x == nullptr) return false;
  Window rootReturn = 0;
  Window child = 0;
  int rootX = 0;
  int rootY = 0;
  int windowX = 0;
  int windowY = 0;
  unsigned mask = 0;
  if (!XQueryPointer(x->Handle(), x->Root(), &rootReturn, &child, &rootX, &rootY, &windowX,
                     &windowY, &mask)) {
    x11::DebugLog("XQueryPointer: the pointer is on another screen");
    return false;
  }
  pos.x = rootX;
  pos.y = rootY;
  return true;
}

bool SetCursorPos(std::int32_t x, std::int32_t y) {
  x11::X11Display* display = x11::X11Display::Get();
  if (display == nullptr) return false;
  x11::X11ErrorTrap trap(display->Handle());
  XWarpPointer(display->Handle(), None, display->Root(), 0, 0, 0, 0, ToProtocolCoordinate(x),
               ToProtocolCoordinate(y));
  // The round trip also makes sure the move has happened before a button event that follows.
  return trap.Check("XWarpPointer");
}

}  // namespace platform
