#include "platform/x11/X11Events.h"

#include <X11/Xlib.h>

#include "platform/x11/HotKeys.h"
#include "platform/x11/RootSize.h"
#include "platform/x11/X11Display.h"

namespace platform::x11 {

int EventFd() {
  X11Display* display = X11Display::Get();
  return display != nullptr ? ConnectionNumber(display->Handle()) : -1;
}

void ProcessEvents() {
  X11Display* display = X11Display::Get();
  if (display == nullptr) return;
  // XPending reads what the socket holds without waiting for more.
  while (XPending(display->Handle()) > 0) {
    XEvent event;
    XNextEvent(display->Handle(), &event);
    switch (event.type) {
      case KeyPress:
        DispatchHotKey(event.xkey);
        break;
      case MappingNotify:
        // Sent to every client when the keyboard map changes; keeps the keysym lookups of
        // later registrations right.
        XRefreshKeyboardMapping(&event.xmapping);
        break;
      case ConfigureNotify:
        // The screen was resized; the grabs and the screen size follow.
        NoteRootConfigured(event.xconfigure);
        break;
      default:
        break;
    }
  }
}

}  // namespace platform::x11
