// Global hot keys against the real server: pressed with xdotool (XTest, as a keyboard would),
// taken by a second client, and the atoms that identify them.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/Desktop.h"

namespace {

using platform::kModControl;
using platform::kVkF1;
using platform::RegisterHotKey;
using platform::UnregisterHotKey;

constexpr platform::WindowHandle kWindow = 0x5150;
constexpr std::uint32_t kVkF2 = kVkF1 + 1;
constexpr std::uint32_t kVkF3 = kVkF1 + 2;
constexpr std::uint32_t kVkF5 = kVkF1 + 4;

TEST(Atoms, SameNameSameAtomWhateverTheCase) {
  const std::uint16_t start = platform::GlobalAddAtomA("NorvekHotKeyStart");
  const std::uint16_t stop = platform::GlobalAddAtomA("NorvekHotKeyStop");
  EXPECT_GE(start, 0xC000);
  EXPECT_GE(stop, 0xC000);
  EXPECT_NE(start, stop);
  EXPECT_EQ(platform::GlobalAddAtomA("NorvekHotKeyStart"), start);
  EXPECT_EQ(platform::GlobalAddAtomA("norvekhotkeystart"), start);
  EXPECT_EQ(platform::GlobalAddAtomA(""), 0);
  EXPECT_EQ(platform::GlobalAddAtomA(nullptr), 0);
  EXPECT_EQ(platform::GlobalAddAtomA(std::string(256, 'a').c_str()), 0);
}

// A hot key window with the pointer over a click target: keys that no grab takes go to the
// target (the focus follows the pointer without a window manager), which proves that they
// were pressed at all.
class HotKeys : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(target_.Ready());
    ASSERT_TRUE(platform::SetCursorPos(150, 150));
  }
  void TearDown() override {
    for (const std::int32_t id : {1, 2, 3}) UnregisterHotKey(kWindow, id);
  }

  static void Press(const std::string& keys) {
    ASSERT_EQ(e2e::RunCommand({"xdotool", "key", keys}), 0) << keys;
  }
  std::size_t F2SeenByTarget() const {
    std::size_t seen = 0;
    for (const e2e::TargetEvent& event : target_.Events()) {
      seen += event.type == "KeyPress" && event.keysym == "F2";
    }
    return seen;
  }
  bool TargetSawF2(std::size_t count) const {
    return e2e::WaitFor([&] { return F2SeenByTarget() >= count; });
  }
  bool PumpForMessages(std::size_t count) {
    return e2e::PumpX11Until([&] { return recorder_.Messages().size() >= count; });
  }
  // Pumps a while and reports whether anything was posted meanwhile.
  bool AnythingPosted() {
    return e2e::PumpX11Until([&] { return !recorder_.Messages().empty(); },
                             std::chrono::milliseconds(300));
  }

  e2e::ClickTarget target_{{100, 100, 200, 200, 0xFFFFFF}};
  e2e::MessageRecorder recorder_;
};

TEST_F(HotKeys, CtrlFnPostsWmHotKeyWhateverTheLockKeys) {
  ASSERT_TRUE(RegisterHotKey(kWindow, 1, kModControl, kVkF2));
  // Lock keys toggled on before the press and off again after it.
  const std::vector<std::string> lockCases[] = {
      {}, {"Num_Lock"}, {"Caps_Lock"}, {"Num_Lock", "Caps_Lock"}};
  for (const std::vector<std::string>& locks : lockCases) {
    SCOPED_TRACE("locks on: " + std::to_string(locks.size()));
    recorder_.Clear();
    for (const std::string& lock : locks) Press(lock);
    Press("ctrl+F2");
    ASSERT_TRUE(PumpForMessages(1));
    const e2e::PostedMessage& message = recorder_.Messages().front();
    EXPECT_EQ(message.wnd, kWindow);
    EXPECT_EQ(message.msg, platform::kWmHotKey);
    EXPECT_EQ(message.wParam, 1u);
    EXPECT_EQ(message.lParam, static_cast<std::intptr_t>(kModControl | kVkF2 << 16));
    for (const std::string& lock : locks) Press(lock);
  }
  EXPECT_EQ(recorder_.Messages().size(), 1u);
  // The grabbed key never reached the window with the focus.
  EXPECT_EQ(F2SeenByTarget(), 0u);
}

TEST_F(HotKeys, FurtherModifiersOrNoneDoNothing) {
  ASSERT_TRUE(RegisterHotKey(kWindow, 1, kModControl, kVkF2));
  // Not Ctrl+Alt+F2: the server's keymap turns that into a console switch and delivers it to
  // nobody.
  const char* const presses[] = {"ctrl+shift+F2", "super+ctrl+F2", "F2"};
  for (std::size_t i = 0; i < std::size(presses); ++i) {
    SCOPED_TRACE(presses[i]);
    Press(presses[i]);
    ASSERT_TRUE(TargetSawF2(i + 1));
    EXPECT_FALSE(AnythingPosted());
  }
}

TEST_F(HotKeys, UnregisteredKeyActsNoMore) {
  ASSERT_TRUE(RegisterHotKey(kWindow, 1, kModControl, kVkF2));
  EXPECT_TRUE(UnregisterHotKey(kWindow, 1));
  EXPECT_FALSE(UnregisterHotKey(kWindow, 1));
  Press("ctrl+F2");
  ASSERT_TRUE(TargetSawF2(1));
  EXPECT_FALSE(AnythingPosted());
}

TEST_F(HotKeys, OneKeyServesOneRegistration) {
  ASSERT_TRUE(RegisterHotKey(kWindow, 1, kModControl, kVkF3));
  EXPECT_FALSE(RegisterHotKey(kWindow, 2, kModControl, kVkF3));
  ASSERT_TRUE(UnregisterHotKey(kWindow, 1));
  ASSERT_TRUE(RegisterHotKey(kWindow, 2, kModControl, kVkF3));
  Press("ctrl+F3");
  ASSERT_TRUE(PumpForMessages(1));
  EXPECT_EQ(recorder_.Messages().front().wParam, 2u);
}

TEST_F(HotKeys, KeysAndModifiersWithoutAnXKeyAreRefused) {
  EXPECT_FALSE(RegisterHotKey(kWindow, 1, kModControl, 0x41));            // 'A'
  EXPECT_FALSE(RegisterHotKey(kWindow, 1, kModControl | 0x4000, kVkF2));  // MOD_NOREPEAT
}

// A second X client, as another program holding keys would be.
class OtherClient {
 public:
  OtherClient() : display_(XOpenDisplay(nullptr), XCloseDisplay) {}
  bool Connected() const { return display_ != nullptr; }
  // Grabs Ctrl+F5 with the given lock modifiers; the X error code (Success when it got it).
  int GrabCtrlF5(unsigned locks) {
    errorCode = Success;
    const auto previous = XSetErrorHandler(RecordError);
    XGrabKey(display_.get(), F5(), ControlMask | locks, DefaultRootWindow(display_.get()), False,
             GrabModeAsync, GrabModeAsync);
    XSync(display_.get(), False);
    XSetErrorHandler(previous);
    return errorCode;
  }
  void UngrabCtrlF5(unsigned locks) {
    XUngrabKey(display_.get(), F5(), ControlMask | locks, DefaultRootWindow(display_.get()));
    XSync(display_.get(), False);
  }

 private:
  static int RecordError(Display*, XErrorEvent* error) {
    errorCode = error->error_code;
    return 0;
  }
  KeyCode F5() const { return XKeysymToKeycode(display_.get(), XK_F5); }

  static inline int errorCode = Success;
  std::unique_ptr<Display, decltype(&XCloseDisplay)> display_;
};

TEST(HotKeysTaken, KeyHeldByAnotherClientIsRefusedWithoutKeepingAnyGrab) {
  OtherClient other;
  ASSERT_TRUE(other.Connected());
  // The other client holds only the NumLock variant of Ctrl+F5.
  ASSERT_EQ(other.GrabCtrlF5(Mod2Mask), Success);
  EXPECT_FALSE(RegisterHotKey(kWindow, 1, kModControl, kVkF5));
  // Whatever we grabbed before the refusal was given back: the plain variant is free.
  EXPECT_EQ(other.GrabCtrlF5(0), Success);
  other.UngrabCtrlF5(0);
  other.UngrabCtrlF5(Mod2Mask);

  ASSERT_TRUE(RegisterHotKey(kWindow, 1, kModControl, kVkF5));
  // Now ours at the server, in every lock variant.
  EXPECT_EQ(other.GrabCtrlF5(0), BadAccess);
  EXPECT_EQ(other.GrabCtrlF5(LockMask | Mod2Mask), BadAccess);
  EXPECT_TRUE(UnregisterHotKey(kWindow, 1));
  EXPECT_EQ(other.GrabCtrlF5(0), Success);
  other.UngrabCtrlF5(0);
}

}  // namespace
