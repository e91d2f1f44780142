#include "platform/x11/X11Display.h"

#include <X11/extensions/XTest.h>

#include "platform/x11/DebugLog.h"
#include "platform/x11/X11ErrorTrap.h"

namespace platform::x11 {

X11Display::X11Display(Display* display) : display_(display) {
  X11ErrorTrap::InstallFallback(display);
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  hasXTest_ = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) == True;
  if (!hasXTest_) DebugLog("XTestQueryExtension: the X server has no XTEST, no clicks possible");
}

X11Display* X11Display::Get() {
  static const std::unique_ptr<X11Display> kInstance = []() -> std::unique_ptr<X11Display> {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
      DebugLog("XOpenDisplay failed: no X server at DISPLAY");
      return nullptr;
    }
    return std::unique_ptr<X11Display>(new X11Display(display));
  }();
  return kInstance.get();
}

}  // namespace platform::x11
