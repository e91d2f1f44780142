// The size of the root window, which is the screen on X11. Asked of the server once, then
// kept up to date from the ConfigureNotify events that a resize of the root sends (RandR: a
// monitor plugged in, a new resolution): asking on every grab and every click tick would add
// a round trip to the server to each search.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "platform/x11/X11Display.h"

namespace platform::x11 {

struct RootExtent {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The root window's size as last reported; false (logged) when the server could not be asked.
bool RootSize(X11Display& display, RootExtent& size);

// For the event pump, which may read a resize before RootSize does.
void NoteRootConfigured(const XConfigureEvent& event);

}  // namespace platform::x11
