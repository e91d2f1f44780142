// Helpers of the X11 end-to-end tests: child processes, the click target, the messages the
// backend posts. Includes no X header, so Qt-based tests can use it too.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace e2e {

// A process started with argv (searched on PATH), terminated and reaped when the object goes.
class ChildProcess {
 public:
  static std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

 private:
  explicit ChildProcess(pid_t pid) : pid_(pid) {}
  pid_t pid_;
};

// Runs argv to its end; its exit status, or -1 when it could not run.
int RunCommand(const std::vector<std::string>& argv);
bool ProgramOnPath(const std::string& name);

// A fresh directory under TMPDIR, removed with its contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);

// Calls done every few milliseconds until it returns true (then true) or timeout passes.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(5));

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t rgb = 0;  // 0xRRGGBB
};

// One line of the click target's log.
struct TargetEvent {
  std::string type;  // ButtonPress, ButtonRelease, KeyPress
  unsigned button = 0;
  int xRoot = 0;
  int yRoot = 0;
  std::string keysym;
  unsigned long time = 0;
};

// x11_click_target, running with window at the given root rectangle, filled with window.rgb
// and the painted rectangles (window coordinates) over it.
class ClickTarget {
 public:
  explicit ClickTarget(const Rect& window, const std::vector<Rect>& painted = {});
  // True once the window is on the screen and painted.
  bool Ready() const { return ready_; }
  std::vector<TargetEvent> Events() const;
  // Waits until at least count events have arrived.
  bool WaitForEvents(std::size_t count) const;
  // What the window shows at root position (x, y), or -1 outside it.
  std::int64_t ColourAt(int x, int y) const;

 private:
  Rect window_;
  std::vector<Rect> painted_;
  TempDir dir_;
  std::string logPath_;
  std::unique_ptr<ChildProcess> process_;
  bool ready_ = false;
};

// The messages posted through SetMessagePoster while a MessageRecorder lives.
struct PostedMessage {
  platform::WindowHandle wnd;
  std::uint32_t msg;
  std::uintptr_t wParam;
  std::intptr_t lParam;
};
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  const std::vector<PostedMessage>& Messages() const;
  void Clear();
};

// Runs the X11 backend's event pump until done() or timeout.
bool PumpX11Until(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Whether a tray host owns the system-tray selection of screen 0.
bool TrayHostPresent();

}  // namespace e2e
