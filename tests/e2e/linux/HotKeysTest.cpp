// The start and stop hot keys acting while another window has the keyboard focus, only
// Control plus the key acting, and a hot key that another client holds.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ProgramDriver.h"

namespace e2e {
namespace {

constexpr Rect kTargetWindow{900, 300, 300, 400, 0xFFFFFF};

// The main window's red note under the settings, left of START.
bool NoteShown(const Pilgrove& program) {
  int x = 0;
  int y = 0;
  program.RootOf({8, 568}, x, y);
  return program.X().AnyRedPixel(x, y, 142, 39);
}

class HotKeys : public WithTrayHost {
 protected:
  void SetUp() override {
    WithTrayHost::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(target_.Ready());
    // Runs click where the cursor is; keep it off every window.
    Xdotool({"mousemove", "60", "980"});
  }

  // Gives the keyboard focus to the click target, as a window manager would on a click.
  void FocusTarget() const {
    const std::vector<Window> windows = x_.TopLevels("", "x11_click_target");
    ASSERT_EQ(windows.size(), 1u);
    XSetInputFocus(x_.Get(), windows[0], RevertToPointerRoot, CurrentTime);
    XSync(x_.Get(), False);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(x_.Get(), &focus, &revert);
    ASSERT_EQ(focus, windows[0]);
  }

  XConnection x_;
  ClickTarget target_{kTargetWindow};
};

TEST_F(HotKeys, StartAndStopActWhileAnotherWindowHasTheFocusControlShiftDoesNot) {
  const Pilgrove program;
  ASSERT_TRUE(program.Started()) << program.Stderr();
  EXPECT_FALSE(NoteShown(program));

  FocusTarget();
  Xdotool({"key", "ctrl+F2"});
  EXPECT_TRUE(program.WaitViewable(false));
  // "running.." until the first click, then the count.
  EXPECT_TRUE(program.Title().starts_with("Pilgrove 4.1.6  ")) << program.Title();
  FocusTarget();
  Xdotool({"key", "ctrl+F3"});
  EXPECT_TRUE(program.WaitViewable(true));
  EXPECT_EQ(program.Title(), "Pilgrove 4.1.6");

  // With Shift too the key is not the hot key: it goes to the focused window.
  FocusTarget();
  const std::size_t before = target_.Events().size();
  Xdotool({"key", "ctrl+shift+F2"});
  const auto sawF2 = [&] {
    for (const TargetEvent& event : EventsAfter(target_, before)) {
      if (event.type == "KeyPress" && event.keysym == "F2") return true;
    }
    return false;
  };
  ASSERT_TRUE(WaitFor(sawF2)) << "the target saw no F2";
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_TRUE(program.Viewable());
  EXPECT_EQ(program.Title(), "Pilgrove 4.1.6");
}

TEST_F(HotKeys, AKeyThatAnotherClientHoldsIsReportedAndTheOtherKeyStillWorks) {
  // Another client holds Control+F2 on the root window.
  const KeyCode f2 = XKeysymToKeycode(x_.Get(), XK_F2);
  XGrabKey(x_.Get(), f2, ControlMask, DefaultRootWindow(x_.Get()), True, GrabModeAsync,
           GrabModeAsync);
  XSync(x_.Get(), False);

  const Pilgrove program({"PILGROVE_DEBUG=1"});
  ASSERT_TRUE(program.Started()) << program.Stderr();
  EXPECT_NE(program.Stderr().find("XGrabKey failed: BadAccess"), std::string::npos)
      << program.Stderr();
  EXPECT_TRUE(WaitFor([&] { return NoteShown(program); })) << "no note in the window";

  Xdotool({"key", "ctrl+F2"});
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_TRUE(program.Viewable()) << "the key went to the other client";
  EXPECT_EQ(program.Title(), "Pilgrove 4.1.6");

  program.Click(spots::kBtnStart);
  EXPECT_TRUE(program.WaitViewable(false));
  Xdotool({"key", "ctrl+F3"});
  EXPECT_TRUE(program.WaitViewable(true));
  EXPECT_EQ(program.Title(), "Pilgrove 4.1.6");
  XUngrabKey(x_.Get(), f2, ControlMask, DefaultRootWindow(x_.Get()));
  XSync(x_.Get(), False);
}

}  // namespace
}  // namespace e2e
