#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <string>

#include "platform/Desktop.h"
#include "platform/win32/DebugLog.h"
#include "platform/win32/WindowHandle.h"

namespace platform {

bool ShellOpen(WindowHandle wnd, const std::string& address) {
  const HINSTANCE result =
      ::ShellExecuteA(win32::ToHwnd(wnd), "open", address.c_str(), nullptr, nullptr, SW_SHOW);
  // Not a real instance handle: a value above 32 means success, anything else is an
  // error code (SE_ERR_*).
  if (reinterpret_cast<INT_PTR>(result) <= 32) {
    win32::LogFailure("ShellExecuteA");
    return false;
  }
  return true;
}

}  // namespace platform
