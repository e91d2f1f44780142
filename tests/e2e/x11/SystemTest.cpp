// Opening links, sleeping and pixel blocks.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "TestSupport.h"
#include "platform/Desktop.h"

namespace {

// Puts a fake xdg-open that writes its arguments to a file first on PATH for its lifetime.
class FakeOpener {
 public:
  FakeOpener() : savedPath_(std::getenv("PATH")) {
    const std::string script = dir_.Path() + "/xdg-open";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" << LogPath()
                          << ".tmp\"\nmv \"" << LogPath() << ".tmp\" \"" << LogPath() << "\"\n";
    chmod(script.c_str(), 0755);
    setenv("PATH", (dir_.Path() + ":" + savedPath_).c_str(), 1);
  }
  ~FakeOpener() { setenv("PATH", savedPath_.c_str(), 1); }
  std::string Dir() const { return dir_.Path(); }
  std::string LogPath() const { return dir_.Path() + "/arguments"; }

 private:
  e2e::TempDir dir_;
  std::string savedPath_;
};

TEST(Shell, AddressReachesXdgOpenAsOneArgumentAndIsNeverRun) {
  const FakeOpener opener;
  const std::string trap = opener.Dir() + "/ran";
  const std::string address =
      "https://example.com/a b?x=1&y=$(touch " + trap + ");`touch " + trap + "` 'q\"";
  ASSERT_TRUE(platform::ShellOpen(0, address));
  ASSERT_TRUE(e2e::WaitFor([&] { return std::filesystem::exists(opener.LogPath()); }));
  EXPECT_EQ(e2e::ReadFile(opener.LogPath()), "1\n" + address + "\n");
  EXPECT_FALSE(std::filesystem::exists(trap));

  ASSERT_TRUE(platform::ShellOpen(0, "mailto:support@example.com"));
  EXPECT_TRUE(e2e::WaitFor(
      [&] { return e2e::ReadFile(opener.LogPath()) == "1\nmailto:support@example.com\n"; }));
}

TEST(Shell, FailsWithoutAnOpenerOrAnAddress) {
  const FakeOpener opener;
  EXPECT_FALSE(platform::ShellOpen(0, ""));
  const e2e::TempDir empty;
  const std::string path = std::getenv("PATH");
  setenv("PATH", empty.Path().c_str(), 1);
  EXPECT_FALSE(platform::ShellOpen(0, "https://example.com/"));
  setenv("PATH", path.c_str(), 1);
}

TEST(System, SleepWaitsAtLeastTheTimeAsked) {
  const auto start = std::chrono::steady_clock::now();
  platform::Sleep(60);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
}

TEST(System, AllocateBlockReturnsNullInsteadOfThrowing) {
  const auto block = platform::AllocateBlock(1 << 20);
  ASSERT_NE(block, nullptr);
  block[(1 << 20) - 1] = 1;
  EXPECT_EQ(platform::AllocateBlock(SIZE_MAX / 2), nullptr);
}

}  // namespace
