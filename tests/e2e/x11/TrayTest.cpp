// The tray icon on a real tray host (trayer), clicked through XTest like a user would.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QWindow>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "platform/Desktop.h"

namespace {

constexpr std::uint32_t kWmTrayIcon = 0x0836;
constexpr std::intptr_t kWmLButtonUp = platform::kWmLButtonUp;
constexpr std::intptr_t kWmLButtonDblClk = 0x0203;

platform::TrayIconData IconData() {
  platform::TrayIconData data;
  data.hWnd = 0x7A7A;
  data.uID = 1;
  data.uFlags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
  data.uCallbackMessage = kWmTrayIcon;
  data.szTip = "Pilgrove";
  return data;
}

bool ProcessQtEventsUntil(const std::function<bool()>& done) {
  return e2e::WaitFor([&] {
    QCoreApplication::processEvents();
    return done();
  });
}

// The icon's window once the tray host has embedded it and it shows, in root coordinates.
QRect EmbeddedIconGeometry() {
  QRect geometry;
  ProcessQtEventsUntil([&] {
    for (QWindow* window : QGuiApplication::allWindows()) {
      if (!window->isExposed()) continue;
      geometry = QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
      return true;
    }
    return false;
  });
  return geometry;
}

TEST(Tray, WithoutATrayHostTheIconIsRefused) {
  if (e2e::TrayHostPresent()) GTEST_SKIP() << "a tray host runs on this display";
  // Qt learns from its event loop that a tray host has gone (after an earlier test).
  ASSERT_TRUE(ProcessQtEventsUntil([] { return !QSystemTrayIcon::isSystemTrayAvailable(); }));
  EXPECT_FALSE(platform::TrayIconAdd(IconData()));
  EXPECT_FALSE(platform::TrayIconDelete(IconData()));
}

TEST(Tray, IconOnTrayerPostsTheCallbackMessagesOfLeftClicks) {
  if (!e2e::ProgramOnPath("trayer")) GTEST_SKIP() << "trayer is not installed, no tray host";
  const auto trayer = e2e::ChildProcess::Start({"trayer", "--edge", "top", "--align", "right"});
  ASSERT_NE(trayer, nullptr);
  ASSERT_TRUE(e2e::WaitFor(e2e::TrayHostPresent)) << "trayer took no system-tray selection";

  const e2e::MessageRecorder recorder;
  ASSERT_TRUE(platform::TrayIconAdd(IconData()));
  EXPECT_FALSE(platform::TrayIconAdd(IconData())) << "the same icon twice";

  const QRect icon = EmbeddedIconGeometry();
  ASSERT_FALSE(icon.isEmpty()) << "the icon never showed in the tray";
  ASSERT_TRUE(platform::SetCursorPos(icon.center().x(), icon.center().y()));
  const auto click = [] {
    platform::MouseEvent(platform::kMouseLeftDown, 0, 0);
    platform::MouseEvent(platform::kMouseLeftUp, 0, 0);
  };
  const auto lParams = [&] {
    std::vector<std::intptr_t> values;
    for (const e2e::PostedMessage& message : recorder.Messages()) {
      EXPECT_EQ(message.wnd, 0x7A7Au);
      EXPECT_EQ(message.msg, kWmTrayIcon);
      EXPECT_EQ(message.wParam, 1u);
      values.push_back(message.lParam);
    }
    return values;
  };
  // Out of the double-click time of any click before.
  std::this_thread::sleep_for(
      std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval()));

  click();
  ASSERT_TRUE(ProcessQtEventsUntil([&] { return !recorder.Messages().empty(); }));
  EXPECT_EQ(lParams(), std::vector<std::intptr_t>{kWmLButtonUp});
  // A second click at once makes a double click: button up, double click, button up, as the
  // shell reports it, so the window toggles twice as there.
  click();
  ASSERT_TRUE(ProcessQtEventsUntil([&] { return recorder.Messages().size() >= 3; }));
  EXPECT_EQ(lParams(), (std::vector<std::intptr_t>{kWmLButtonUp, kWmLButtonDblClk, kWmLButtonUp}));

  EXPECT_TRUE(platform::TrayIconDelete(IconData()));
  EXPECT_FALSE(platform::TrayIconDelete(IconData()));
}

}  // namespace
