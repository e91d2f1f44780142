// With the per-monitor DPI awareness of the program's manifest, the cursor position is in
// physical pixels, the same coordinates the screen grab uses.
#include <windows.h>

#include <cstdint>

#include "platform/Desktop.h"
#include "platform/win32/DebugLog.h"

namespace platform {

bool GetCursorPos(Point& pos) {
  POINT point{};
  if (!::GetCursorPos(&point)) {
    win32::LogFailure("GetCursorPos");
    return false;
  }
  pos.x = point.x;
  pos.y = point.y;
  return true;
}

bool SetCursorPos(std::int32_t x, std::int32_t y) {
  if (!::SetCursorPos(x, y)) {
    win32::LogFailure("SetCursorPos");
    return false;
  }
  return true;
}

}  // namespace platform
