#include "platform/x11/X11ErrorTrap.h"

#include "platform/x11/DebugLog.h"

namespace platform::x11 {
namespace {

// The innermost live trap. The backend runs on the GUI thread only.
X11ErrorTrap* currentTrap = nullptr;

Display* fallbackDisplay = nullptr;
int (*handlerBeforeFallback)(Display*, XErrorEvent*) = nullptr;

void LogError(Display* display, const char* call, int errorCode, unsigned requestCode) {
  char text[128] = "";
  XGetErrorText(display, errorCode, text, sizeof text);
  DebugLog("%s failed: %s (request %u)", call, text, requestCode);
}

int FallbackHandler(Display* display, XErrorEvent* error) {
  if (display != fallbackDisplay) {
    return handlerBeforeFallback != nullptr ? handlerBeforeFallback(display, error) : 0;
  }
  LogError(display, "an untrapped X request", error->error_code, error->request_code);
  return 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : display_(display), outer_(currentTrap), previousHandler_(XSetErrorHandler(TrapHandler)) {
  currentTrap = this;
}

X11ErrorTrap::~X11ErrorTrap() {
  Check("an X request");
  currentTrap = outer_;
  XSetErrorHandler(previousHandler_);
}

bool X11ErrorTrap::Check(const char* call) {
  // Once the server has answered the last request sent, every error it caused has been read
  // and handled, so the round trip can be spared.
  if (NextRequest(display_) - 1 != LastKnownRequestProcessed(display_)) XSync(display_, False);
  lastErrorCode_ = pendingErrorCode_;
  if (pendingErrorCode_ == Success) return true;
  LogError(display_, call, pendingErrorCode_, pendingRequestCode_);
  pendingErrorCode_ = Success;
  return false;
}

void X11ErrorTrap::InstallFallback(Display* display) {
  fallbackDisplay = display;
  handlerBeforeFallback = XSetErrorHandler(FallbackHandler);
}

int X11ErrorTrap::TrapHandler(Display* display, XErrorEvent* error) {
  X11ErrorTrap* trap = currentTrap;
  while (trap != nullptr && trap->display_ != display) trap = trap->outer_;
  if (trap == nullptr) {
    // Not our connection: whoever handled errors before the outermost trap decides.
    X11ErrorTrap* outermost = currentTrap;
    while (outermost != nullptr && outermost->outer_ != nullptr) outermost = outermost->outer_;
    return outermost != nullptr && outermost->previousHandler_ != nullptr
               ? outermost->previousHandler_(display, error)
               : 0;
  }
  if (trap->pendingErrorCode_ == Success) {
    trap->pendingErrorCode_ = error->error_code;
    trap->pendingRequestCode_ = error->request_code;
  }
  return 0;
}

}  // namespace platform::x11
