// What the Qt backend's units share: the one QApplication and the window handles.
#pragma once

#include <QApplication>

#include "platform/Desktop.h"

namespace toolkit::qt {

// The application object, created on first use: the platform forced to X11 (the desktop
// services speak Xlib, so the windows must be X11 clients too, also under XWayland) and
// Qt's own high-DPI scaling off, since the model's bounds are device pixels.
QApplication& EnsureApplication();

// A window handle for a peer or a message window: unique for the whole run, never 0.
platform::WindowHandle NewHandle();

}  // namespace toolkit::qt
