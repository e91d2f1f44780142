// A device context that belongs to a window: obtained with GetDC or GetWindowDC and given
// back with ReleaseDC on the same window. Never DeleteDC it; that is MemoryDC's job.
#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

class WindowDC {
 public:
  // GetWindowDC: the whole window, non-client area included. For the desktop window it
  // is the screen.
  static WindowDC OfWindow(HWND wnd) { return WindowDC(wnd, ::GetWindowDC(wnd)); }
  // GetDC: the client area; GetDC(nullptr) is the whole screen.
  static WindowDC OfClient(HWND wnd) { return WindowDC(wnd, ::GetDC(wnd)); }

  WindowDC(WindowDC&& other) noexcept : wnd_(other.wnd_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDC& operator=(WindowDC&& other) noexcept {
    if (this != &other) {
      Release();
      wnd_ = other.wnd_;
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() { Release(); }

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  WindowDC(HWND wnd, HDC dc) : wnd_(wnd), dc_(dc) {}
  void Release() {
    if (dc_ != nullptr) ::ReleaseDC(wnd_, std::exchange(dc_, nullptr));
  }

  HWND wnd_;
  HDC dc_;
};

}  // namespace platform::win32
