#include "platform/Desktop.h"

namespace platform {

// WM_HOTKEY and the tray icon's callback message are real window messages on Windows,
// posted by the system to the window that registered them; there is nothing to relay.
void SetMessagePoster(MessagePoster /*poster*/) {}

}  // namespace platform
