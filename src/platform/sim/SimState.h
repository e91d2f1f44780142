// The simulated desktop's state, shared by the units of the simulation. Not for tests:
// they use SimDesktop.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"

namespace platform::sim {

struct HotKey {
  WindowHandle wnd;
  std::int32_t id;
  std::uint32_t modifiers;
  std::uint32_t vk;
};

struct SimState {
  std::int32_t screenWidth = 1920;
  std::int32_t screenHeight = 1080;
  std::vector<std::uint32_t> screen = std::vector<std::uint32_t>(1920 * 1080, 0);
  std::vector<GrabRequest> grabLog;
  GrabStatus nextGrab = GrabStatus::kOk;
  bool pixelReadsFail = false;

  Point cursor;
  std::vector<InputEvent> inputLog;

  std::size_t allocationLimit = std::numeric_limits<std::size_t>::max();
  int refuseNextAllocations = 0;
  int allocationCount = 0;

  std::vector<std::string> atoms;  // atom 0xC000 + i is atoms[i]
  std::vector<HotKey> hotKeys;
  std::vector<HotKey> foreignHotKeys;

  bool trayRefused = false;
  std::vector<TrayIconData> trayIcons;

  bool shellFails = false;
  std::vector<std::string> openedAddresses;

  std::function<void(DesktopCall)> callHook;
  bool inCallHook = false;
};

SimState& State();
// Delivers a message through the installed poster; false when there is none.
// Runs the hook of OnDesktopCall, if any; every call of the program's cursor, button,
// grab and pixel services starts here.
void DesktopCalled(DesktopCall call);
bool Post(WindowHandle wnd, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace platform::sim
