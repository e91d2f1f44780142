// Global atoms as hot-key identifiers, and hot keys registered on a window of the test:
// the system keeps one registration per key combination, and a pressed combination
// arrives as WM_HOTKEY with the modifiers and the key in lParam.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <iterator>

#include "ClickTarget.h"
#include "MessageWindow.h"
#include "platform/Desktop.h"

namespace {

using e2e::MessageWindow;

// Takes the first WM_HOTKEY for wnd off the queue within timeoutMs.
bool NextHotKey(HWND wnd, MSG& message, DWORD timeoutMs) {
  return e2e::WaitFor(
      [&] { return ::PeekMessageA(&message, wnd, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) != FALSE; },
      timeoutMs);
}

void Press(std::initializer_list<BYTE> keys) {
  for (const BYTE key : keys) ::keybd_event(key, 0, 0, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    ::keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
  }
}

TEST(Atoms, TheSameNameGivesTheSameAtom) {
  const std::uint16_t start = platform::GlobalAddAtomA("NorvekHotKeyStart");
  const std::uint16_t stop = platform::GlobalAddAtomA("NorvekHotKeyStop");
  EXPECT_GE(start, 0xC000) << "string atoms live in 0xC000..0xFFFF";
  EXPECT_GE(stop, 0xC000);
  EXPECT_NE(start, stop);
  EXPECT_EQ(platform::GlobalAddAtomA("NorvekHotKeyStart"), start);
  EXPECT_EQ(platform::GlobalAddAtomA("NorvekHotKeyStop"), stop);
}

TEST(HotKeys, TheSameCombinationIsRegisteredOnlyOnce) {
  MessageWindow window;
  ASSERT_NE(window.Get(), nullptr);
  const std::int32_t start = platform::GlobalAddAtomA("NorvekHotKeyStart");
  const std::int32_t stop = platform::GlobalAddAtomA("NorvekHotKeyStop");
  const std::uint32_t f9 = platform::kVkF1 + 8;

  ASSERT_TRUE(platform::RegisterHotKey(window.Handle(), start, platform::kModControl, f9));
  EXPECT_FALSE(platform::RegisterHotKey(window.Handle(), stop, platform::kModControl, f9))
      << "a second registration of Ctrl+F9 was accepted";
  // Another key, or the same key with other modifiers, is a different combination.
  EXPECT_TRUE(platform::RegisterHotKey(window.Handle(), stop, platform::kModControl, f9 + 1));
  EXPECT_TRUE(platform::UnregisterHotKey(window.Handle(), stop));

  EXPECT_TRUE(platform::UnregisterHotKey(window.Handle(), start));
  EXPECT_TRUE(platform::RegisterHotKey(window.Handle(), stop, platform::kModControl, f9))
      << "Ctrl+F9 stayed taken after it was unregistered";
  EXPECT_TRUE(platform::UnregisterHotKey(window.Handle(), stop));
  EXPECT_FALSE(platform::UnregisterHotKey(window.Handle(), stop)) << "unregistered twice";
}

TEST(HotKeys, APressedCombinationArrivesAsWmHotKey) {
  // A Wine window in front receives the keyboard input the hot key is taken from.
  e2e::ClickTarget target({});
  ASSERT_TRUE(target.Ready()) << target.Error();
  MessageWindow window;
  ASSERT_NE(window.Get(), nullptr);
  const std::int32_t id = platform::GlobalAddAtomA("NorvekHotKeyStart");
  const std::uint32_t f7 = platform::kVkF1 + 6;
  ASSERT_TRUE(platform::RegisterHotKey(window.Handle(), id, platform::kModControl, f7));

  Press({VK_CONTROL, static_cast<BYTE>(f7)});
  MSG message{};
  ASSERT_TRUE(NextHotKey(window.Get(), message, 10000)) << "no WM_HOTKEY for Ctrl+F7";
  EXPECT_EQ(message.message, platform::kWmHotKey);
  EXPECT_EQ(message.wParam, static_cast<WPARAM>(id));
  EXPECT_EQ(static_cast<std::uint32_t>(message.lParam), platform::kModControl | (f7 << 16));

  // With Shift as well it is another combination, which nobody registered.
  Press({VK_CONTROL, VK_SHIFT, static_cast<BYTE>(f7)});
  EXPECT_FALSE(NextHotKey(window.Get(), message, 500)) << "Ctrl+Shift+F7 acted as Ctrl+F7";

  EXPECT_TRUE(platform::UnregisterHotKey(window.Handle(), id));
  Press({VK_CONTROL, static_cast<BYTE>(f7)});
  EXPECT_FALSE(NextHotKey(window.Get(), message, 500)) << "WM_HOTKEY after unregistering";
}

}  // namespace
