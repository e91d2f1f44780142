// Hands hot-key and tray messages to the toolkit backend, which installed its PostMessage
// with SetMessagePoster.
#pragma once

#include "platform/Desktop.h"

namespace platform::x11 {

// False (and a log line) while no poster is installed; the message is then dropped.
bool PostDesktopMessage(WindowHandle wnd, std::uint32_t msg, std::uintptr_t wParam,
                        std::intptr_t lParam);

}  // namespace platform::x11
