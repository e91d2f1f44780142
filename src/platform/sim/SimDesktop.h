// The simulated desktop's controls for tests: paint the screen, look at what the program
// did to the cursor and buttons, make desktop calls fail, press hot keys and click the
// tray icon. Everything here acts on one process-wide simulated desktop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace platform::sim {

// A fresh desktop: a black 1920 x 1080 screen, cursor at (0, 0), empty logs and
// registries, no failures armed. The message poster and the clock are left alone: the
// toolkit installs its poster once, and the clock has ResetClock.
void Reset();
// Empties the grab, input and shell logs and leaves everything else as it is, so that a
// long run can look at what happened since the last call without the logs growing.
void ClearLogs();

// ---- Screen: colours here are colour values 0x00RRGGBB, the pixel buffer's own. ------

// Resizes the screen; every pixel becomes black. Sizes below 1 become 1.
void SetScreenSize(std::int32_t width, std::int32_t height);
void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t rgb);  // off-screen: ignored
// Fills the part of the rectangle that lies on the screen.
void FillRect(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
              std::uint32_t rgb);
// Paints a 24-bit bottom-up DIB block (the layout GrabScreen delivers) with its top-left
// corner at (left, top); what falls off the screen is dropped.
void PaintBlock(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                const std::uint8_t* block, std::int32_t stride);
// The screen pixel at (x, y), 0x00RRGGBB; black beyond the edge, as a grab delivers it.
std::uint32_t ScreenPixel(std::int32_t x, std::int32_t y);

struct GrabRequest {
  std::int32_t left, top, width, height;
};
// Every GrabScreen call, in order, failed ones included.
const std::vector<GrabRequest>& GrabLog();
// The next GrabScreen call fails this way (kCopyFailed leaves the block untouched,
// kExtractFailed too); later calls succeed again.
void FailNextGrab(GrabStatus failure);
// While set, GetPixel answers kInvalidColor everywhere, as GetPixel does for a pixel
// outside the screen's clipping region.
void FailPixelReads(bool fail);

// ---- Cursor and buttons ----------------------------------------------------------------

enum class InputKind { kMove, kButton };
struct InputEvent {
  InputKind kind;
  std::int32_t x, y;    // the cursor after the move, or where the button acted
  std::uint32_t flags;  // kMouse* for a button, 0 for a move
  std::int64_t timeMs;  // ClockMs() when it happened
};
// Every SetCursorPos and MouseEvent call, in order.
const std::vector<InputEvent>& InputLog();

// ---- Memory ----------------------------------------------------------------------------

// AllocateBlock refuses every request of more than bytes.
void RefuseAllocationsAbove(std::size_t bytes);
// AllocateBlock refuses the next count requests, whatever their size.
void RefuseNextAllocations(int count);
// Blocks handed out (refused requests not counted).
int AllocationCount();

// ---- Hot keys --------------------------------------------------------------------------

// Another program holds this combination: RegisterHotKey fails for it.
void TakeHotKeyByOtherProgram(std::uint32_t modifiers, std::uint32_t vk);
bool IsHotKeyRegistered(std::uint32_t modifiers, std::uint32_t vk);
// The user presses the combination: when one of ours is registered for it, WM_HOTKEY
// (wParam = its id, lParam = modifiers | vk << 16) is posted to its window through the
// message poster; returns whether it was.
bool PressHotKey(std::uint32_t modifiers, std::uint32_t vk);

// ---- Notification area -----------------------------------------------------------------

// TrayIconAdd fails while set.
void RefuseTrayIcons(bool refuse);
const std::vector<TrayIconData>& TrayIcons();
// A mouse message (kWmLButtonUp ...) over the icon (wnd, id): posts its callback message
// with wParam = id and lParam = mouseMessage when the icon is there and asked for
// messages; returns whether it did.
bool ClickTrayIcon(WindowHandle wnd, std::uint32_t id, std::uint32_t mouseMessage = kWmLButtonUp);

// ---- Timing ----------------------------------------------------------------------------

// The calls through which the program reads the screen and drives the mouse.
enum class DesktopCall { kGetCursorPos, kSetCursorPos, kMouseEvent, kGrabScreen, kGetPixel };
// Runs hook at the start of every such call until another hook, or none, is installed:
// a test can so have something happen (a key pressed, a failure armed) at any point of
// the program's work, as a user or another program could. Not run again while it runs.
void OnDesktopCall(std::function<void(DesktopCall)> hook);

// ---- Shell and messages ----------------------------------------------------------------

// ShellOpen fails while set (no program registered for the address).
void FailShellOpens(bool fail);
// Every address ShellOpen opened, in order.
const std::vector<std::string>& OpenedAddresses();
// The poster SetMessagePoster installed, so a test can put back what it replaced.
MessagePoster InstalledMessagePoster();

}  // namespace platform::sim
