// A message-only window of the test's own thread, for hot keys and the tray icon, which
// need a window to post to but nothing on the screen.
#pragma once

#include <windows.h>

#include "platform/Desktop.h"
#include "platform/win32/WindowHandle.h"

namespace e2e {

class MessageWindow {
 public:
  MessageWindow()
      : wnd_(::CreateWindowExA(0, "STATIC", "Pilgrove test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               nullptr, nullptr)) {}
  ~MessageWindow() {
    if (wnd_ != nullptr) ::DestroyWindow(wnd_);
  }
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  HWND Get() const { return wnd_; }
  platform::WindowHandle Handle() const { return platform::win32::FromHwnd(wnd_); }

 private:
  HWND wnd_;
};

}  // namespace e2e
