// Drives the real pilgrove program on an X server as a user would: xdotool moves the
// pointer, clicks and types; the window's title and map state are read with Xlib, the text
// of an edit through the clipboard (xclip).
#pragma once

// GoogleTest before Xlib, whose macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../x11/TestSupport.h"

namespace e2e {

// A control's centre in the main window's client area (the settings panel sits at 8, 2).
struct Spot {
  int x = 0;
  int y = 0;
};

namespace spots {
constexpr Spot kRbCurrent{114, 29};
constexpr Spot kRbFixed{114, 47};
constexpr Spot kEdPX{168, 85};
constexpr Spot kEdPY{168, 109};
constexpr Spot kRbColor{114, 151};
constexpr Spot kBtnCaptureColor{83, 199};
constexpr Spot kEdColor{161, 211};
constexpr Spot kRbBMP{114, 278};
constexpr Spot kBtnBMP{69, 326};
constexpr Spot kRbFulll{113, 402};
constexpr Spot kRbPart{113, 421};
constexpr Spot kButton1{49, 463};  // "Capture Scope"
constexpr Spot kEdColorL{110, 448};
constexpr Spot kEdColorR{167, 448};
constexpr Spot kEdColorT{110, 473};
constexpr Spot kEdColorB{167, 473};
constexpr Spot kCbButton{361, 34};
constexpr Spot kCbClick{361, 59};
constexpr Spot kEdIntSecond{294, 141};
constexpr Spot kEdIntTen{326, 141};
constexpr Spot kRbStopOrder{314, 362};
constexpr Spot kRbStopClick{275, 388};
constexpr Spot kEdStopTimes{349, 388};
constexpr Spot kBtnStart{190, 588};
constexpr Spot kBtnStop{286, 588};
}  // namespace spots

// Runs xdotool with args; false when it failed.
bool Xdotool(const std::vector<std::string>& args);

// An X connection of the test's own, for reading what the program shows.
class XConnection {
 public:
  XConnection();
  ~XConnection();
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;
  Display* Get() const { return display_; }

  // The top-level windows (children of the root) whose name starts with prefix, of the
  // given WM_CLASS class (empty: of any class or none).
  std::vector<Window> TopLevels(const std::string& windowClass, const std::string& prefix) const;
  // The children of window.
  std::vector<Window> Children(Window window) const;
  std::string Name(Window window) const;
  // The class of WM_CLASS, or empty.
  std::string Class(Window window) const;
  bool Viewable(Window window) const;
  // Root position and size.
  bool Geometry(Window window, int& x, int& y, int& width, int& height) const;
  // Whether any pixel of the root rectangle is red, as red text shows (a 24-bit screen).
  bool AnyRedPixel(int x, int y, int width, int height) const;

 private:
  Display* display_;
};

// pilgrove, started with env (NAME=value entries) added to the test's environment and
// its stderr kept; terminated when the object goes.
class Pilgrove {
 public:
  explicit Pilgrove(const std::vector<std::string>& env = {});

  // The main window is on the screen.
  bool Started() const { return window_ != 0; }
  Window MainWindow() const { return window_; }
  std::string Title() const { return x_.Name(window_); }
  bool Viewable() const { return x_.Viewable(window_); }
  // Long enough for a busy machine; it returns as soon as the state is there.
  bool WaitViewable(bool viewable,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  std::string Stderr() const { return ReadFile(stderrPath_); }
  const XConnection& X() const { return x_; }

  // Root coordinates of a spot of the client area.
  void RootOf(Spot spot, int& x, int& y) const;
  // A left click on the spot.
  void Click(Spot spot) const;
  // Clicks into an edit, selects its whole text and types text over it.
  void SetText(Spot edit, const std::string& text) const;
  // The whole text of an edit, copied to the clipboard from the edit.
  std::string Text(Spot edit) const;
  // Opens a drop-down list and chooses item index with the keyboard.
  void Choose(Spot comboBox, int index) const;

 private:
  XConnection x_;
  TempDir dir_;
  std::string stderrPath_;
  std::unique_ptr<ChildProcess> process_;
  Window window_ = 0;
};

// trayer as the tray host, running while the object lives.
class TrayHost {
 public:
  TrayHost();
  ~TrayHost();
  bool Running() const { return process_ != nullptr; }

 private:
  std::unique_ptr<ChildProcess> process_;
};

// A suite whose tests run with trayer as the tray host. Derived fixtures that set up more
// call WithTrayHost::SetUp first.
class WithTrayHost : public testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

 private:
  static std::unique_ptr<TrayHost> tray_;
};

// The events of the click target since the first `skip` ones.
std::vector<TargetEvent> EventsAfter(const ClickTarget& target, std::size_t skip);

}  // namespace e2e
