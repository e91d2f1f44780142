// The application resources, linked into this test as into Pilgrove.exe: the main icon,
// the version information and the manifest (common controls 6, per-monitor DPI awareness).
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

#include "platform/win32/GdiObject.h"

namespace {

TEST(Resources, MainIconIs16By16) {
  // LoadIcon would stretch it to the large-icon size; size 0 without LR_DEFAULTSIZE loads
  // the image as it is stored.
  HICON icon = static_cast<HICON>(
      ::LoadImageA(::GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 0, 0, LR_SHARED));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  const platform::win32::GdiBitmap colour(info.hbmColor);
  const platform::win32::GdiBitmap mask(info.hbmMask);
  BITMAP bitmap{};
  ASSERT_NE(::GetObjectA(colour.Get(), sizeof bitmap, &bitmap), 0);
  EXPECT_EQ(bitmap.bmWidth, 16);
  EXPECT_EQ(bitmap.bmHeight, 16);
}

TEST(Resources, VersionIs416) {
  char path[MAX_PATH] = {};
  ASSERT_NE(::GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_NE(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 4));  // 4.1
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 6));  // .6.0
  char* text = nullptr;
  ASSERT_TRUE(::VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, "4.1.6");
}

TEST(Resources, ManifestSelectsCommonControls6) {
  // Version 6 lives in the side-by-side store; without the manifest's dependency the
  // system's version 5 is loaded. (Wine's version 6 reports 5.81 from DllGetVersion, so the
  // path is what tells them apart.)
  HMODULE comctl32 = ::LoadLibraryA("comctl32.dll");
  ASSERT_NE(comctl32, nullptr);
  char path[MAX_PATH] = {};
  ASSERT_NE(::GetModuleFileNameA(comctl32, path, MAX_PATH), 0u);
  ::FreeLibrary(comctl32);
  std::string lower(path);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(lower.find("\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6."),
            std::string::npos)
      << path;
}

TEST(Resources, ManifestAsksForPerMonitorDpiAwareness) {
  // Wine makes every process per-monitor aware and scales nothing, so the effect cannot be
  // seen here; the embedded manifest is checked instead. Both settings must be there:
  // dpiAwareness for Windows 10 1607 on, dpiAware for the systems before it.
  HRSRC found = ::FindResourceA(nullptr, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_NE(found, nullptr) << "no manifest resource";
  const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, ::SizeofResource(nullptr, found));
  EXPECT_NE(manifest.find(">PerMonitorV2,PerMonitor</dpiAwareness>"), std::string::npos);
  EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
}

}  // namespace
