// Desktop services: everything the program asks of the desktop it runs on.
//
// One set of free functions, defined by exactly one backend per binary (platform/win32,
// platform/x11 or platform/sim), chosen at link time. Coordinates are pixels of the
// primary screen, origin top left, x to the right, y downward.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// A window as the desktop knows it: an HWND on Windows, the toolkit's handle elsewhere.
using WindowHandle = std::uintptr_t;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// ---- Cursor and buttons -------------------------------------------------------------

// mouse_event flags, one button transition each.
constexpr std::uint32_t kMouseLeftDown = 0x0002;
constexpr std::uint32_t kMouseLeftUp = 0x0004;
constexpr std::uint32_t kMouseRightDown = 0x0008;
constexpr std::uint32_t kMouseRightUp = 0x0010;
constexpr std::uint32_t kMouseMiddleDown = 0x0020;
constexpr std::uint32_t kMouseMiddleUp = 0x0040;

bool GetCursorPos(Point& pos);
bool SetCursorPos(std::int32_t x, std::int32_t y);
// One button transition where the cursor is now; x and y have no effect (no move flag).
void MouseEvent(std::uint32_t flags, std::int32_t x, std::int32_t y);

// ---- Screen -------------------------------------------------------------------------

std::int32_t ScreenWidth();   // GetSystemMetrics(SM_CXSCREEN)
std::int32_t ScreenHeight();  // GetSystemMetrics(SM_CYSCREEN)

enum class GrabStatus {
  kOk,
  kCopyFailed,     // the copy off the screen failed (BitBlt)
  kExtractFailed,  // the copy succeeded but its pixels could not be extracted (GetDIBits)
};

// Copies the width x height screen rectangle at (left, top) into block as a 24-bit
// bottom-up DIB: height rows of stride bytes, stored row 0 being the rectangle's bottom
// row, three bytes blue, green, red per pixel. Parts of the rectangle beyond the screen
// hold what the desktop delivers there. width, height >= 1; block holds stride * height.
GrabStatus GrabScreen(std::int32_t left, std::int32_t top, std::int32_t width,
                      std::int32_t height, std::uint8_t* block, std::int32_t stride);

constexpr std::uint32_t kInvalidColor = 0xFFFFFFFF;  // CLR_INVALID
// The screen pixel at (x, y) as a TColor (0x00BBGGRR), or kInvalidColor.
std::uint32_t GetPixel(std::int32_t x, std::int32_t y);

// ---- Hot keys -----------------------------------------------------------------------

constexpr std::uint32_t kModControl = 0x0002;  // MOD_CONTROL
constexpr std::uint32_t kVkF1 = 0x70;          // VK_F1
constexpr std::uint32_t kWmHotKey = 0x0312;    // WM_HOTKEY: lParam = modifiers | (vk << 16)

std::uint16_t GlobalAddAtomA(const char* name);
bool RegisterHotKey(WindowHandle wnd, std::int32_t id, std::uint32_t modifiers,
                    std::uint32_t vk);
bool UnregisterHotKey(WindowHandle wnd, std::int32_t id);

// ---- Notification area --------------------------------------------------------------

// The notification-icon record (NOTIFYICONDATAA without its later extensions). The icon
// is always the application's main icon.
struct TrayIconData {
  std::uint32_t cbSize = 88;
  WindowHandle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::string szTip;  // at most 63 characters reach the desktop
};
constexpr std::uint32_t kNifMessage = 1;
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;
constexpr std::uint32_t kWmLButtonUp = 0x0202;

bool TrayIconAdd(const TrayIconData& data);     // Shell_NotifyIconA(NIM_ADD)
bool TrayIconDelete(const TrayIconData& data);  // Shell_NotifyIconA(NIM_DELETE)

// ---- Messages -----------------------------------------------------------------------

// Where the desktop delivers hot-key and tray messages when it does not post real window
// messages itself (X11, the simulation): the toolkit backend installs its PostMessage here
// at start-up. The Windows backend ignores it, its messages arrive natively.
using MessagePoster = void (*)(WindowHandle wnd, std::uint32_t msg, std::uintptr_t wParam,
                               std::intptr_t lParam);
void SetMessagePoster(MessagePoster poster);

// ---- Memory -------------------------------------------------------------------------

// Pixel blocks are allocated here so that the simulated desktop can refuse them.
// Returns null when the memory can't be had; never throws.
std::unique_ptr<std::uint8_t[]> AllocateBlock(std::size_t bytes);

// ---- Shell and time -----------------------------------------------------------------

// ShellExecuteA(wnd, "open", address, nullptr, nullptr, SW_SHOW): a web page or "mailto:".
bool ShellOpen(WindowHandle wnd, const std::string& address);
void Sleep(std::uint32_t ms);

}  // namespace platform
