#include "platform/sim/SimDesktop.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/sim/SimClock.h"

namespace sim = platform::sim;

namespace {

struct Posted {
  platform::WindowHandle wnd;
  std::uint32_t msg;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  bool operator==(const Posted&) const = default;
};
std::vector<Posted> posted;

void Record(platform::WindowHandle wnd, std::uint32_t msg, std::uintptr_t wParam,
            std::intptr_t lParam) {
  posted.push_back({wnd, msg, wParam, lParam});
}

// A fresh desktop whose messages land in `posted`; the poster found is put back after.
class SimDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Reset();
    previous_ = sim::InstalledMessagePoster();
    platform::SetMessagePoster(Record);
    posted.clear();
  }
  void TearDown() override { platform::SetMessagePoster(previous_); }

 private:
  platform::MessagePoster previous_ = nullptr;
};

constexpr std::uint32_t kF2 = platform::kVkF1 + 1;
constexpr std::uint32_t kCtrl = platform::kModControl;

}  // namespace

TEST_F(SimDesktop, CursorMovesAndButtonsAreLoggedInOrderWithTheTime) {
  sim::SetScreenSize(100, 50);
  const std::int64_t t0 = sim::ClockMs();
  ASSERT_TRUE(platform::SetCursorPos(10, 20));
  platform::Sleep(200);
  platform::MouseEvent(platform::kMouseLeftDown, 99, 99);  // acts where the cursor is
  platform::MouseEvent(platform::kMouseLeftUp, 0, 0);
  platform::SetCursorPos(500, -5);  // clipped to the screen
  platform::Point pos;
  ASSERT_TRUE(platform::GetCursorPos(pos));
  EXPECT_EQ(pos.x, 99);
  EXPECT_EQ(pos.y, 0);

  const std::vector<sim::InputEvent>& log = sim::InputLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].kind, sim::InputKind::kMove);
  EXPECT_EQ(log[0].timeMs, t0);
  EXPECT_EQ(log[1].kind, sim::InputKind::kButton);
  EXPECT_EQ(log[1].flags, platform::kMouseLeftDown);
  EXPECT_EQ(log[1].x, 10);
  EXPECT_EQ(log[1].y, 20);
  EXPECT_EQ(log[1].timeMs, t0 + 200);
  EXPECT_EQ(log[2].flags, platform::kMouseLeftUp);
  EXPECT_EQ(log[3].x, 99);
}

TEST_F(SimDesktop, ScreenPixelsReadAsTColorsAndAreBlackBeyondTheEdge) {
  sim::SetScreenSize(4, 3);
  sim::FillRect(-2, -2, 4, 4, 0x112233);  // clipped to (0,0)-(2,2)
  EXPECT_EQ(sim::ScreenPixel(1, 1), 0x112233u);
  EXPECT_EQ(sim::ScreenPixel(2, 1), 0u);
  EXPECT_EQ(platform::GetPixel(1, 1), 0x332211u);
  EXPECT_EQ(platform::GetPixel(4, 0), platform::kInvalidColor);  // off the screen
  EXPECT_EQ(platform::ScreenWidth(), 4);
  EXPECT_EQ(platform::ScreenHeight(), 3);

  // A grab half off the screen: bottom-up rows, black beyond the edge, pad untouched.
  std::uint8_t block[2 * 8];
  std::fill(std::begin(block), std::end(block), 0xEE);
  ASSERT_EQ(platform::GrabScreen(1, 2, 2, 2, block, 8), platform::GrabStatus::kOk);
  const std::vector<std::uint8_t> bytes(std::begin(block), std::end(block));
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0xEE, 0xEE,     // row y=3: off
                                              0, 0, 0, 0, 0, 0, 0xEE, 0xEE}));  // y=2: black
  sim::SetPixel(1, 2, 0xABCDEF);
  ASSERT_EQ(platform::GrabScreen(1, 2, 2, 2, block, 8), platform::GrabStatus::kOk);
  EXPECT_EQ(block[8], 0xEF);
  EXPECT_EQ(block[10], 0xAB);
}

TEST_F(SimDesktop, AnArmedGrabFailureHitsOnlyTheNextGrab) {
  std::uint8_t block[4] = {7, 7, 7, 7};
  sim::FailNextGrab(platform::GrabStatus::kExtractFailed);
  EXPECT_EQ(platform::GrabScreen(0, 0, 1, 1, block, 4), platform::GrabStatus::kExtractFailed);
  EXPECT_EQ(block[0], 7);
  EXPECT_EQ(platform::GrabScreen(0, 0, 1, 1, block, 4), platform::GrabStatus::kOk);
  EXPECT_EQ(sim::GrabLog().size(), 2u);
}

TEST_F(SimDesktop, AllocationsCanBeRefusedBySizeOrCount) {
  EXPECT_NE(platform::AllocateBlock(100), nullptr);
  sim::RefuseNextAllocations(2);
  EXPECT_EQ(platform::AllocateBlock(1), nullptr);
  EXPECT_EQ(platform::AllocateBlock(1), nullptr);
  EXPECT_NE(platform::AllocateBlock(1), nullptr);
  sim::RefuseAllocationsAbove(64);
  EXPECT_NE(platform::AllocateBlock(64), nullptr);
  EXPECT_EQ(platform::AllocateBlock(65), nullptr);
  EXPECT_EQ(sim::AllocationCount(), 3);
}

TEST_F(SimDesktop, AtomsAreOnePerNameWhateverTheCase) {
  const std::uint16_t start = platform::GlobalAddAtomA("NorvekHotKeyStart");
  const std::uint16_t stop = platform::GlobalAddAtomA("NorvekHotKeyStop");
  EXPECT_GE(start, 0xC000);
  EXPECT_NE(start, stop);
  EXPECT_EQ(platform::GlobalAddAtomA("norvekhotkeystart"), start);
  EXPECT_EQ(platform::GlobalAddAtomA(""), 0);
}

TEST_F(SimDesktop, AHotKeyIsRegisteredOnceAndPostsWmHotKeyWhenPressed) {
  EXPECT_FALSE(sim::PressHotKey(kCtrl, kF2));  // nobody registered it
  ASSERT_TRUE(platform::RegisterHotKey(7, 0xC000, kCtrl, kF2));
  EXPECT_TRUE(sim::IsHotKeyRegistered(kCtrl, kF2));
  EXPECT_FALSE(platform::RegisterHotKey(7, 0xC001, kCtrl, kF2));  // already taken
  EXPECT_TRUE(sim::PressHotKey(kCtrl, kF2));
  EXPECT_EQ(
      posted,
      (std::vector<Posted>{{7, platform::kWmHotKey, 0xC000, std::intptr_t(kCtrl | (kF2 << 16))}}));

  EXPECT_TRUE(platform::UnregisterHotKey(7, 0xC000));
  EXPECT_FALSE(platform::UnregisterHotKey(7, 0xC000));
  EXPECT_FALSE(sim::PressHotKey(kCtrl, kF2));
  EXPECT_EQ(posted.size(), 1u);

  sim::TakeHotKeyByOtherProgram(kCtrl, platform::kVkF1);
  EXPECT_FALSE(platform::RegisterHotKey(7, 0xC000, kCtrl, platform::kVkF1));
  EXPECT_TRUE(platform::RegisterHotKey(7, 0xC000, kCtrl, kF2));
}

TEST_F(SimDesktop, TheTrayIconPostsItsCallbackWhenClicked) {
  platform::TrayIconData icon;
  icon.hWnd = 9;
  icon.uID = 1;
  icon.uFlags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
  icon.uCallbackMessage = 0x0836;
  icon.szTip = std::string(70, 'x');
  EXPECT_FALSE(sim::ClickTrayIcon(9, 1));  // not there yet
  ASSERT_TRUE(platform::TrayIconAdd(icon));
  EXPECT_FALSE(platform::TrayIconAdd(icon));  // already there
  EXPECT_EQ(sim::TrayIcons().at(0).szTip.size(), 63u);
  EXPECT_TRUE(sim::ClickTrayIcon(9, 1));
  EXPECT_EQ(posted, (std::vector<Posted>{{9, 0x0836, 1, platform::kWmLButtonUp}}));
  ASSERT_TRUE(platform::TrayIconDelete(icon));
  EXPECT_FALSE(platform::TrayIconDelete(icon));
  EXPECT_FALSE(sim::ClickTrayIcon(9, 1));

  sim::RefuseTrayIcons(true);
  EXPECT_FALSE(platform::TrayIconAdd(icon));
  EXPECT_TRUE(sim::TrayIcons().empty());
}

TEST_F(SimDesktop, ShellOpensAreLoggedUnlessTheShellFails) {
  EXPECT_TRUE(platform::ShellOpen(0, "https://a.example/"));
  sim::FailShellOpens(true);
  EXPECT_FALSE(platform::ShellOpen(0, "mailto:b@a.example"));
  EXPECT_EQ(sim::OpenedAddresses(), std::vector<std::string>{"https://a.example/"});
}

TEST_F(SimDesktop, ResetGivesAFreshDesktop) {
  sim::SetScreenSize(5, 5);
  sim::SetPixel(1, 1, 0xFFFFFF);
  platform::SetCursorPos(2, 2);
  platform::RegisterHotKey(1, 1, kCtrl, kF2);
  sim::FailShellOpens(true);
  sim::RefuseAllocationsAbove(0);
  sim::Reset();
  EXPECT_EQ(platform::ScreenWidth(), 1920);
  EXPECT_EQ(platform::ScreenHeight(), 1080);
  EXPECT_EQ(sim::ScreenPixel(1, 1), 0u);
  EXPECT_TRUE(sim::InputLog().empty());
  EXPECT_FALSE(sim::IsHotKeyRegistered(kCtrl, kF2));
  EXPECT_TRUE(platform::ShellOpen(0, "x"));
  EXPECT_NE(platform::AllocateBlock(1), nullptr);
  EXPECT_EQ(sim::InstalledMessagePoster(), &Record);  // the poster stays
}
