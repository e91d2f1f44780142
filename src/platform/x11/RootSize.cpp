#include "platform/x11/RootSize.h"

#include "platform/x11/DebugLog.h"

namespace platform::x11 {
namespace {

// The backend uses one connection and runs on the GUI thread only.
struct KnownRoot {
  bool asked = false;
  Window window = 0;
  RootExtent size;
};

KnownRoot& Known() {
  static KnownRoot root;
  return root;
}

bool AskRootSize(X11Display& display, RootExtent& size) {
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned width = 0;
  unsigned height = 0;
  unsigned border = 0;
  unsigned depth = 0;
  if (!XGetGeometry(display.Handle(), display.Root(), &root, &x, &y, &width, &height, &border,
                    &depth)) {
    DebugLog("XGetGeometry of the root window failed");
    return false;
  }
  size.width = static_cast<std::int32_t>(width);
  size.height = static_cast<std::int32_t>(height);
  return true;
}

}  // namespace

bool RootSize(X11Display& display, RootExtent& size) {
  KnownRoot& known = Known();
  Display* handle = display.Handle();
  if (!known.asked) {
    // Selected before asking, so that no resize between the answer and the first event is
    // missed. Other clients' selections on the root are their own.
    XSelectInput(handle, display.Root(), StructureNotifyMask);
    if (!AskRootSize(display, known.size)) return false;
    known.window = display.Root();
    known.asked = true;
  }
  // Reads what the connection already holds, without waiting for the server; other events
  // stay queued for the event pump.
  XEvent event;
  while (XCheckTypedWindowEvent(handle, known.window, ConfigureNotify, &event)) {
    NoteRootConfigured(event.xconfigure);
  }
  size = known.size;
  return true;
}

void NoteRootConfigured(const XConfigureEvent& event) {
  KnownRoot& known = Known();
  if (!known.asked || event.window != known.window) return;
  known.size.width = event.width;
  known.size.height = event.height;
}

}  // namespace platform::x11
