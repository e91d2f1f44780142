// The windows' test bench: a fresh headless toolkit and simulated desktop, the main
// window made and shown as the program makes it, and helpers that act as the user.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "matching/BitmapData.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/TApplication.h"
#include "toolkit/TScreen.h"
#include "toolkit/headless/Headless.h"
#include "ui/uMain2.h"

namespace ui_test {

inline constexpr char kIdle[] = "Pilgrove 4.1.6";
inline constexpr char kRunning[] = "Pilgrove 4.1.6  running..";

// A screen whose every pixel differs from its neighbours, so a picture shows where it
// was taken from.
inline std::uint32_t PatternPixel(std::int32_t x, std::int32_t y) {
  return static_cast<std::uint32_t>((x * 7 + y * 13) & 0xFF) << 16 |
         static_cast<std::uint32_t>(x & 0xFF) << 8 | static_cast<std::uint32_t>(y & 0xFF);
}

inline void PaintPattern() {
  for (std::int32_t y = 0; y < toolkit::Screen.Height(); ++y) {
    for (std::int32_t x = 0; x < toolkit::Screen.Width(); ++x) {
      platform::sim::SetPixel(x, y, PatternPixel(x, y));
    }
  }
}

// The user replaces an edit's whole text by pasting (no key event sees it).
inline void PasteOver(toolkit::TEdit& edit, std::string_view text) {
  ASSERT_TRUE(edit.UserSelect(0, static_cast<int>(edit.Text().size())));
  ASSERT_TRUE(edit.UserPaste(text));
}

// The user empties an edit with Backspace.
inline void Empty(toolkit::TEdit& edit) {
  ASSERT_TRUE(edit.UserSelect(0, static_cast<int>(edit.Text().size())));
  ASSERT_TRUE(edit.UserTypeChar('\b'));
}

// The user types text into an edit at its caret (each character through the key events).
inline void Type(toolkit::TWinControl& control, std::string_view text) {
  for (char c : text) ASSERT_TRUE(control.UserTypeChar(c));
}

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    toolkit::headless::Reset();
    platform::sim::Reset();
    platform::sim::SetScreenSize(320, 240);
    RecordScreenSize();
  }
  void TearDown() override { toolkit::Application.Clear(); }
};

// The main window made by the application and shown, as the program's main block does.
class MainWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    MakeWindow();
  }
  void MakeWindow() {
    form = toolkit::Application.CreateForm<TMainForm>();
    form->Show();
    panel = form->frmDefine;
  }
  // Delivers what is queued now (posted hot-key and tray messages).
  static void Deliver() { toolkit::headless::Advance(0); }
  bool PressHotKey(std::uint32_t fKey, std::uint32_t modifiers = platform::kModControl) {
    const bool posted = platform::sim::PressHotKey(modifiers, platform::kVkF1 + fKey - 1);
    Deliver();
    return posted;
  }
  void ClickTray(std::uint32_t mouseMessage = platform::kWmLButtonUp) {
    ASSERT_TRUE(platform::sim::ClickTrayIcon(form->Handle(), 1, mouseMessage));
    Deliver();
  }

  TMainForm* form = nullptr;
  TfrmDefine* panel = nullptr;
};

}  // namespace ui_test
