// The screen grab: the desktop window's DC is copied into a compatible bitmap with BitBlt,
// and the bitmap's pixels are extracted as a 24-bit bottom-up DIB with GetDIBits straight
// into the caller's block, so no row or pixel is converted here.
#include <windows.h>

#include <cstdint>

#include "platform/Desktop.h"
#include "platform/win32/DebugLog.h"
#include "platform/win32/GdiObject.h"
#include "platform/win32/MemoryDC.h"
#include "platform/win32/ObjectSelection.h"
#include "platform/win32/WindowDC.h"

namespace platform {
namespace {

// Bytes per row of a 24-bit DIB: 3 * width rounded up to a multiple of 4.
std::int64_t DibStride(std::int32_t width) {
  return ((24 * static_cast<std::int64_t>(width) + 31) & ~std::int64_t{31}) / 8;
}

}  // namespace

GrabStatus GrabScreen(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                      std::uint8_t* block, std::int32_t stride) {
  // GetDIBits lays the rows out at the DIB stride, whatever the caller thinks.
  if (block == nullptr || width < 1 || height < 1 || stride != DibStride(width)) {
    win32::LogFailure("GrabScreen (invalid rectangle or block)");
    return GrabStatus::kCopyFailed;
  }

  const HWND desktop = ::GetDesktopWindow();
  const win32::WindowDC screen = win32::WindowDC::OfWindow(desktop);
  if (!screen) {
    win32::LogFailure("GetWindowDC");
    return GrabStatus::kCopyFailed;
  }
  const win32::MemoryDC memory(screen.Get());
  if (!memory) {
    win32::LogFailure("CreateCompatibleDC");
    return GrabStatus::kCopyFailed;
  }
  // Compatible with the screen, not with the memory DC, whose default bitmap is 1x1
  // monochrome.
  const win32::GdiBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
  if (!bitmap) {
    win32::LogFailure("CreateCompatibleBitmap");
    return GrabStatus::kCopyFailed;
  }

  BOOL copied = FALSE;
  {
    win32::ObjectSelection selection(memory.Get(), bitmap.Get());
    if (!selection) {
      win32::LogFailure("SelectObject");
      return GrabStatus::kCopyFailed;
    }
    copied = ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), left, top, SRCCOPY);
    if (!copied) win32::LogFailure("BitBlt");
    // Selected back before GetDIBits, which must not be given a selected bitmap.
    selection.Restore();
  }
  if (!copied) return GrabStatus::kCopyFailed;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up rows, stored row 0 at the bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const int lines = ::GetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(height), block,
                                &info, DIB_RGB_COLORS);
  // Fewer lines than asked for would leave rows of the block undefined: not a success.
  if (lines != height) {
    win32::LogFailure("GetDIBits");
    return GrabStatus::kExtractFailed;
  }
  return GrabStatus::kOk;
}

}  // namespace platform
