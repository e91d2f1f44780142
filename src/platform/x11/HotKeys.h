// Global hot keys as passive key grabs on the root window: the server then sends the key to
// us whichever window has the focus.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// Posts WM_HOTKEY to the window that registered the key of event, if one did; returns
// whether one did. Called by the event pump for every KeyPress on our connection.
bool DispatchHotKey(const XKeyEvent& event);

}  // namespace platform::x11
