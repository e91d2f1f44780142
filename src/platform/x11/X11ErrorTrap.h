// X protocol errors arrive asynchronously at a process-wide Xlib handler whose default prints
// the error and exits. The backend never lets that happen: a fallback handler logs and
// ignores stray errors on our connection, and every request that can fail is made inside an
// X11ErrorTrap and checked with a round trip before the trap ends.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

class X11ErrorTrap {
 public:
  // Installs the trapping handler; the previous handler (Qt's, the fallback, anybody's) comes
  // back when the trap ends. Traps nest.
  explicit X11ErrorTrap(Display* display);
  // Waits for the server to handle what was sent, so no error of ours reaches the previous
  // handler; an error caught here is logged.
  ~X11ErrorTrap();

  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Sends every request made so far and waits until the server has handled them. Returns true
  // when none failed since the trap was set or last checked; otherwise logs the first error
  // under the name of the failing call and returns false.
  bool Check(const char* call);
  // The error code (BadAccess, BadMatch ...) of the first failure seen by the last Check, or
  // Success.
  int LastErrorCode() const { return lastErrorCode_; }

  // Installed once when the connection opens: logs and drops errors on display that no trap
  // caught, and hands errors of other connections on to the handler that was there before.
  static void InstallFallback(Display* display);

 private:
  static int TrapHandler(Display* display, XErrorEvent* error);

  Display* display_;
  X11ErrorTrap* outer_;
  int (*previousHandler_)(Display*, XErrorEvent*);
  int pendingErrorCode_ = Success;
  unsigned char pendingRequestCode_ = 0;
  int lastErrorCode_ = Success;
};

}  // namespace platform::x11
