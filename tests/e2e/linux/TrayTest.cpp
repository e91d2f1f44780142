// The tray icon on trayer toggling the window, also during a run; without a tray host a
// note, and the stop hot key bringing the hidden window back; the Wayland note.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QStyleHints>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ProgramDriver.h"

namespace e2e {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The top-level windows named "Pilgrove: note" that show.
std::size_t NotesShown(const Pilgrove& program) {
  std::size_t shown = 0;
  for (const Window window : program.X().TopLevels("pilgrove", "Pilgrove: note")) {
    if (program.X().Viewable(window)) ++shown;
  }
  return shown;
}

// The program's icon window, which the tray host embeds somewhere below its panel, or 0.
Window FindIcon(const XConnection& x) {
  const std::function<Window(Window)> below = [&](Window parent) -> Window {
    for (const Window child : x.Children(parent)) {
      if (x.Class(child) == "pilgrove" && x.Viewable(child)) return child;
      if (const Window found = below(child); found != 0) return found;
    }
    return Window{0};
  };
  const std::vector<Window> panels = x.TopLevels("trayer", "panel");
  return panels.size() == 1 ? below(panels[0]) : Window{0};
}

class Tray : public WithTrayHost {
 protected:
  // Clicks the icon in trayer's panel, once and out of the double-click time of the last.
  static void ClickIcon(const Pilgrove& program) {
    std::this_thread::sleep_for(
        std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100));
    Window icon = 0;
    ASSERT_TRUE(WaitFor([&] { return (icon = FindIcon(program.X())) != 0; }))
        << "no icon in the tray";
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(program.X().Geometry(icon, x, y, width, height));
    Xdotool(
        {"mousemove", std::to_string(x + width / 2), std::to_string(y + height / 2), "click", "1"});
  }
};

TEST_F(Tray, IconClickTogglesTheWindowAlsoDuringARunWhichStopEnds) {
  const Pilgrove program;
  ASSERT_TRUE(program.Started()) << program.Stderr();
  EXPECT_EQ(NotesShown(program), 0u);

  ClickIcon(program);
  EXPECT_TRUE(program.WaitViewable(false));
  ClickIcon(program);
  EXPECT_TRUE(program.WaitViewable(true));

  // A run (clicking where the cursor is, every second) with the window shown through the
  // icon: still running, Stop ends it.
  Xdotool({"mousemove", "60", "980"});
  Xdotool({"key", "ctrl+F2"});
  ASSERT_TRUE(program.WaitViewable(false));
  ClickIcon(program);
  ASSERT_TRUE(program.WaitViewable(true));
  EXPECT_TRUE(program.Title().starts_with("Pilgrove 4.1.6  ")) << program.Title();
  program.Click(spots::kBtnStop);
  EXPECT_TRUE(WaitFor([&] { return program.Title() == "Pilgrove 4.1.6"; }));
  EXPECT_TRUE(program.Viewable());
}

TEST_F(Tray, ExitTakesTheIconAwayAndReleasesTheHotKeys) {
  const ClickTarget target({900, 300, 300, 400, 0xFFFFFF});
  ASSERT_TRUE(target.Ready());
  const Pilgrove program;
  ASSERT_TRUE(program.Started()) << program.Stderr();
  ASSERT_TRUE(WaitFor([&] { return FindIcon(program.X()) != 0; }));

  program.Click({382, 588});  // EXIT
  EXPECT_TRUE(WaitFor([&] {
    return program.X().TopLevels("pilgrove", "Pilgrove").empty() && FindIcon(program.X()) == 0;
  })) << "a window or the icon stayed";

  // Control+F2 is nobody's now: it reaches the window with the focus.
  const std::vector<Window> targets = program.X().TopLevels("", "x11_click_target");
  ASSERT_EQ(targets.size(), 1u);
  XSetInputFocus(program.X().Get(), targets[0], RevertToPointerRoot, CurrentTime);
  XSync(program.X().Get(), False);
  const std::size_t before = target.Events().size();
  Xdotool({"key", "ctrl+F2"});
  EXPECT_TRUE(WaitFor([&] {
    for (const TargetEvent& event : EventsAfter(target, before)) {
      if (event.keysym == "F2") return true;
    }
    return false;
  })) << "the hot key is still grabbed";
}

TEST_F(Tray, UnderAWaylandSessionANoteSaysThatOnlyX11ProgramsAreReached) {
  const Pilgrove program({"XDG_SESSION_TYPE=wayland"});
  ASSERT_TRUE(program.Started()) << program.Stderr();
  EXPECT_TRUE(WaitFor([&] { return NotesShown(program) == 1; }));
  EXPECT_EQ(Count(program.Stderr(), "reaches only X11 programs"), 1u) << program.Stderr();
  EXPECT_EQ(Count(program.Stderr(), "No system tray"), 0u);
}

TEST(NoTray, ANoteSaysSoOnceAndTheStopKeyBringsTheHiddenWindowBack) {
  ASSERT_TRUE(WaitFor([] { return !TrayHostPresent(); })) << "a tray host runs";
  const Pilgrove program;
  ASSERT_TRUE(program.Started()) << program.Stderr();
  EXPECT_TRUE(WaitFor([&] { return NotesShown(program) == 1; }));
  EXPECT_EQ(Count(program.Stderr(), "No system tray"), 1u) << program.Stderr();

  Xdotool({"mousemove", "60", "980"});
  program.Click(spots::kBtnStart);
  ASSERT_TRUE(program.WaitViewable(false));
  Xdotool({"key", "ctrl+F3"});
  EXPECT_TRUE(program.WaitViewable(true));
  EXPECT_EQ(program.Title(), "Pilgrove 4.1.6");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Count(program.Stderr(), "No system tray"), 1u) << "said once";
}

}  // namespace
}  // namespace e2e
