// System-wide hot keys: WM_HOTKEY is posted to the registering window by the system, so
// nothing goes through the message poster on Windows.
#include <windows.h>

#include <cstdint>

#include "platform/Desktop.h"
#include "platform/win32/DebugLog.h"
#include "platform/win32/WindowHandle.h"

namespace platform {

bool RegisterHotKey(WindowHandle wnd, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) {
  // Fails (ERROR_HOTKEY_ALREADY_REGISTERED) when any window, ours included, already holds
  // the same key combination, whatever its identifier.
  if (!::RegisterHotKey(win32::ToHwnd(wnd), id, modifiers, vk)) {
    win32::LogFailure("RegisterHotKey");
    return false;
  }
  return true;
}

bool UnregisterHotKey(WindowHandle wnd, std::int32_t id) {
  if (!::UnregisterHotKey(win32::ToHwnd(wnd), id)) {
    win32::LogFailure("UnregisterHotKey");
    return false;
  }
  return true;
}

}  // namespace platform
