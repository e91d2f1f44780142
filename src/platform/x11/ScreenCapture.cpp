#include "platform/x11/ScreenCapture.h"

#include <X11/extensions/XShm.h>

#include <cstddef>

#include "platform/x11/DebugLog.h"
#include "platform/x11/X11ErrorTrap.h"

namespace platform::x11 {

ScreenCapture::ScreenCapture(X11Display& display)
    : display_(display), useShm_(XShmQueryExtension(display.Handle()) == True) {
  if (!useShm_) DebugLog("XShmQueryExtension: no MIT-SHM, the screen is read with XGetImage");
}

const XImage* ScreenCapture::Take(int x, int y, unsigned width, unsigned height) {
  if (useShm_) {
    if (const XImage* image = TakeShared(x, y, width, height)) return image;
  }
  X11ErrorTrap trap(display_.Handle());
  plainImage_.reset(
      XGetImage(display_.Handle(), display_.Root(), x, y, width, height, AllPlanes, ZPixmap));
  if (!trap.Check("XGetImage") || plainImage_ == nullptr) return nullptr;
  return plainImage_.get();
}

const XImage* ScreenCapture::TakeShared(int x, int y, unsigned width, unsigned height) {
  Display* display = display_.Handle();
  if (sharedImage_ == nullptr || sharedImage_->width != static_cast<int>(width) ||
      sharedImage_->height != static_cast<int>(height)) {
    const int screen = display_.ScreenNumber();
    sharedImage_.reset(XShmCreateImage(display, DefaultVisual(display, screen),
                                       DefaultDepth(display, screen), ZPixmap, nullptr, nullptr,
                                       width, height));
    if (sharedImage_ == nullptr) {
      DebugLog("XShmCreateImage(%ux%u) failed", width, height);
      return nullptr;
    }
  }
  XImage* image = sharedImage_.get();
  const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * height;
  if (segment_ == nullptr || segment_->Size() < bytes) {
    segment_.reset();
    segment_ = ShmSegment::Create(display, bytes);
    if (segment_ == nullptr) {
      // The server can't share memory with us; that won't change during this run.
      DebugLog("MIT-SHM unusable, the screen is read with XGetImage from now on");
      useShm_ = false;
      sharedImage_.reset();
      return nullptr;
    }
  }
  image->data = segment_->Info()->shmaddr;
  image->obdata = reinterpret_cast<char*>(segment_->Info());
  X11ErrorTrap trap(display);
  const Status status = XShmGetImage(display, display_.Root(), image, x, y, AllPlanes);
  if (!trap.Check("XShmGetImage") || status == 0) return nullptr;
  return image;
}

}  // namespace platform::x11
