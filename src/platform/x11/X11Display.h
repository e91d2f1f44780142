// The desktop backend's own connection to the X server, opened on first use and closed at
// exit. Qt keeps a connection of its own; this one carries the XTest input, the screen grabs
// and the hot-key grabs, so the events that arrive on it are ours alone (see X11Events.h).
#pragma once

#include <X11/Xlib.h>

#include <memory>

namespace platform::x11 {

class X11Display {
 public:
  // The connection, or null when no X server can be reached (DISPLAY unset, refused). The
  // connection is tried once per process.
  static X11Display* Get();

  Display* Handle() const { return display_.get(); }
  Window Root() const { return DefaultRootWindow(display_.get()); }
  int ScreenNumber() const { return DefaultScreen(display_.get()); }
  bool HasXTest() const { return hasXTest_; }

 private:
  struct Closer {
    void operator()(Display* display) const { XCloseDisplay(display); }
  };

  explicit X11Display(Display* display);

  std::unique_ptr<Display, Closer> display_;
  bool hasXTest_ = false;
};

}  // namespace platform::x11
