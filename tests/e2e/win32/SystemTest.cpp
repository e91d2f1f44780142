// Opening a document with the shell, and the pixel-block allocation.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <limits>

#include "ClickTarget.h"
#include "platform/Desktop.h"

namespace {

TEST(Shell, OpensAProgramAndReportsAMissingFile) {
  // The click target started without arguments exits at once; what matters is that the
  // shell ran it.
  EXPECT_TRUE(platform::ShellOpen(0, e2e::BesideExecutable("win32_click_target.exe")));
  EXPECT_FALSE(platform::ShellOpen(0, e2e::BesideExecutable("no-such-document.txt")));
}

TEST(Memory, AnImpossibleBlockIsNullNotAnException) {
  EXPECT_EQ(platform::AllocateBlock(std::numeric_limits<std::size_t>::max() / 2), nullptr);
  auto block = platform::AllocateBlock(1 << 20);
  ASSERT_NE(block, nullptr);
  block[(1 << 20) - 1] = 1;
}

}  // namespace
