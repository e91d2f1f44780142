// The portable window handle is the HWND itself, carried as an integer.
#pragma once

#include <windows.h>

#include "platform/Desktop.h"

namespace platform::win32 {

inline HWND ToHwnd(WindowHandle wnd) {
  return reinterpret_cast<HWND>(wnd);
}

inline WindowHandle FromHwnd(HWND wnd) {
  return reinterpret_cast<WindowHandle>(wnd);
}

}  // namespace platform::win32
