// The simulated notification area: the icons added, keyed by window and id.
#include <algorithm>

#include "platform/Desktop.h"
#include "platform/sim/SimState.h"

namespace platform {

namespace sim {

namespace {

constexpr std::size_t kMaxTipLength = 63;  // szTip holds 64 chars with its terminator

auto FindIcon(WindowHandle wnd, std::uint32_t id) {
  auto& icons = State().trayIcons;
  return std::find_if(icons.begin(), icons.end(),
                      [&](const TrayIconData& icon) { return icon.hWnd == wnd && icon.uID == id; });
}

}  // namespace

void RefuseTrayIcons(bool refuse) {
  State().trayRefused = refuse;
}
const std::vector<TrayIconData>& TrayIcons() {
  return State().trayIcons;
}

bool ClickTrayIcon(WindowHandle wnd, std::uint32_t id, std::uint32_t mouseMessage) {
  const auto icon = FindIcon(wnd, id);
  if (icon == State().trayIcons.end() || (icon->uFlags & kNifMessage) == 0) return false;
  return Post(wnd, icon->uCallbackMessage, id, static_cast<std::intptr_t>(mouseMessage));
}

}  // namespace sim

bool TrayIconAdd(const TrayIconData& data) {
  sim::SimState& state = sim::State();
  // NIM_ADD fails for an icon that is already there.
  if (state.trayRefused || sim::FindIcon(data.hWnd, data.uID) != state.trayIcons.end()) {
    return false;
  }
  TrayIconData icon = data;
  icon.szTip.resize(std::min(icon.szTip.size(), sim::kMaxTipLength));
  state.trayIcons.push_back(icon);
  return true;
}

bool TrayIconDelete(const TrayIconData& data) {
  const auto icon = sim::FindIcon(data.hWnd, data.uID);
  if (icon == sim::State().trayIcons.end()) return false;
  sim::State().trayIcons.erase(icon);
  return true;
}

}  // namespace platform
