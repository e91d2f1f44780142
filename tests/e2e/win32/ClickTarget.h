// The test side of win32_click_target: starts the program next to the test executable,
// waits until its window is shown and painted, reads its log, and closes it again.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// A kernel handle (process, thread, event), ended with CloseHandle.
class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE handle) : handle_(handle) {}
  KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  ~KernelHandle() { Close(); }

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void Close() {
    if (handle_ != nullptr) ::CloseHandle(std::exchange(handle_, nullptr));
  }

  HANDLE handle_ = nullptr;
};

struct ButtonMessage {
  std::string name;  // "WM_LBUTTONDOWN", ...
  long x = 0;        // screen position
  long y = 0;
  long time = 0;  // GetMessageTime
  unsigned long tick = 0;
};

struct ClickTargetOptions {
  int x = 100;  // client area on the screen
  int y = 100;
  int width = 400;
  int height = 300;
  std::string background = "FFFFFF";  // RRGGBB
  // "LEFT,TOP,WIDTH,HEIGHT,RRGGBB" in client coordinates, painted in order.
  std::vector<std::string> rects{};
};

class ClickTarget {
 public:
  // Starts the target and waits (up to 20 s) for its "ready" line; see Error().
  explicit ClickTarget(const ClickTargetOptions& options);
  // Posts WM_CLOSE, waits for the process (terminating it if it hangs), deletes the log.
  ~ClickTarget();
  ClickTarget(const ClickTarget&) = delete;
  ClickTarget& operator=(const ClickTarget&) = delete;

  bool Ready() const { return window_ != nullptr; }
  const std::string& Error() const { return error_; }
  HWND Window() const { return window_; }
  const RECT& WindowRect() const { return rect_; }

  std::vector<ButtonMessage> ButtonMessages() const;
  // The button messages once at least count of them are logged, or what there is after
  // timeoutMs.
  std::vector<ButtonMessage> WaitForButtonMessages(std::size_t count,
                                                   DWORD timeoutMs = 10000) const;

 private:
  std::vector<std::string> LogLines() const;

  std::string logPath_;
  KernelHandle process_;
  HWND window_ = nullptr;
  RECT rect_{};
  std::string error_;
};

// Polls condition every 20 ms until it holds or timeoutMs have passed; its last result.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// A file next to the running test executable.
std::string BesideExecutable(const std::string& name);

}  // namespace e2e
