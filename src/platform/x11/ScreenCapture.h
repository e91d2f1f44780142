// Takes rectangles of the root window as XImages: through MIT-SHM into one shared segment that
// is kept and only grows, or with a plain XGetImage when the server has no MIT-SHM or can't
// share memory with us (a remote display).
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

#include "platform/x11/ShmSegment.h"
#include "platform/x11/X11Display.h"

namespace platform::x11 {

struct XImageDestroyer {
  // For an MIT-SHM image this frees the structure only; the pixels stay in the segment.
  void operator()(XImage* image) const { XDestroyImage(image); }
};
using XImagePtr = std::unique_ptr<XImage, XImageDestroyer>;

class ScreenCapture {
 public:
  explicit ScreenCapture(X11Display& display);

  // The rectangle of the root window, which must lie wholly inside it, or null (logged) when
  // the server delivers no image. The image belongs to the capture and is valid until the
  // next Take.
  const XImage* Take(int x, int y, unsigned width, unsigned height);

 private:
  const XImage* TakeShared(int x, int y, unsigned width, unsigned height);

  X11Display& display_;
  bool useShm_;
  std::unique_ptr<ShmSegment> segment_;
  // Kept from one grab to the next while the size stays: a search grabs every tick. The
  // shared image's pixels lie in segment_.
  XImagePtr sharedImage_;
  XImagePtr plainImage_;
};

}  // namespace platform::x11
