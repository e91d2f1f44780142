// The notification-area icon under Wine's shell: added once, removed once.
#include <gtest/gtest.h>
#include <windows.h>

#include "MessageWindow.h"
#include "platform/Desktop.h"

namespace {

TEST(Tray, AnIconIsAddedAndDeletedOnce) {
  e2e::MessageWindow window;
  ASSERT_NE(window.Get(), nullptr);
  ASSERT_NE(::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON"), nullptr)
      << "the test executable lacks the MAINICON resource";
  platform::TrayIconData data;
  data.hWnd = window.Handle();
  data.uID = 1;
  data.uFlags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
  data.uCallbackMessage = 0x0836;
  data.szTip = "Pilgrove";

  EXPECT_TRUE(platform::TrayIconAdd(data));
  EXPECT_TRUE(platform::TrayIconDelete(data));
  EXPECT_FALSE(platform::TrayIconDelete(data)) << "an icon that is gone was deleted again";
}

}  // namespace
