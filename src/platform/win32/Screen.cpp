// The primary screen's size and single pixels. With the per-monitor DPI awareness of the
// program's manifest these are physical pixels on a scaled display too.
#include <windows.h>

#include <cstdint>

#include "platform/Desktop.h"
#include "platform/win32/DebugLog.h"
#include "platform/win32/WindowDC.h"

namespace platform {

std::int32_t ScreenWidth() {
  return ::GetSystemMetrics(SM_CXSCREEN);
}

std::int32_t ScreenHeight() {
  return ::GetSystemMetrics(SM_CYSCREEN);
}

std::uint32_t GetPixel(std::int32_t x, std::int32_t y) {
  const win32::WindowDC screen = win32::WindowDC::OfClient(nullptr);
  if (!screen) {
    win32::LogFailure("GetDC");
    return kInvalidColor;
  }
  // A COLORREF is 0x00BBGGRR, the toolkit's TColor; CLR_INVALID is kInvalidColor.
  static_assert(CLR_INVALID == kInvalidColor);
  return ::GetPixel(screen.Get(), x, y);
}

}  // namespace platform
