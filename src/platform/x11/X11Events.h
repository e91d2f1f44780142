// The event pump of the X11 desktop backend, for the toolkit backend's event loop.
//
// The backend talks to the X server over a connection of its own, apart from Qt's. Global
// hot keys arrive there as KeyPress events, and nobody reads them unless the event loop asks:
//
//   if (const int fd = platform::x11::EventFd(); fd >= 0) {
//     auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, app);
//     QObject::connect(notifier, &QSocketNotifier::activated, [] { platform::x11::ProcessEvents();
//     }); QObject::connect(QAbstractEventDispatcher::instance(),
//     &QAbstractEventDispatcher::aboutToBlock,
//                      [] { platform::x11::ProcessEvents(); });
//   }
//
// Both hooks are needed: Xlib reads whatever the server has sent while it waits for the reply
// to one of the backend's requests (a cursor query, a grab) and keeps those events in its own
// queue, and then the descriptor stays quiet although events are waiting.
//
// Messages come out through the poster installed with platform::SetMessagePoster, so install
// it before the first hot key can be pressed. This header includes no X header.
#pragma once

namespace platform::x11 {

// The file descriptor of the backend's X connection, opening the connection if it isn't open
// yet; -1 when no X server can be reached.
int EventFd();

// Handles every event that has arrived on the connection, without blocking: a press of a
// registered hot key posts WM_HOTKEY (wParam the hot key's identifier, lParam its modifiers
// in the low and its virtual key in the high word) to the window that registered it.
void ProcessEvents();

}  // namespace platform::x11
