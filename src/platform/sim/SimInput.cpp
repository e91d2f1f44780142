// The simulated cursor and mouse buttons, logged with the simulated time.
#include <algorithm>

#include "platform/Desktop.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimState.h"

namespace platform {

namespace sim {
const std::vector<InputEvent>& InputLog() {
  return State().inputLog;
}
}  // namespace sim

bool GetCursorPos(Point& pos) {
  sim::DesktopCalled(sim::DesktopCall::kGetCursorPos);
  pos = sim::State().cursor;
  return true;
}

bool SetCursorPos(std::int32_t x, std::int32_t y) {
  sim::DesktopCalled(sim::DesktopCall::kSetCursorPos);
  sim::SimState& state = sim::State();
  // Like Windows, the cursor can't leave the screen: the position is clipped to it.
  state.cursor.x = std::clamp(x, 0, state.screenWidth - 1);
  state.cursor.y = std::clamp(y, 0, state.screenHeight - 1);
  state.inputLog.push_back(
      {sim::InputKind::kMove, state.cursor.x, state.cursor.y, 0, sim::ClockMs()});
  return true;
}

void MouseEvent(std::uint32_t flags, std::int32_t, std::int32_t) {
  sim::DesktopCalled(sim::DesktopCall::kMouseEvent);
  sim::SimState& state = sim::State();
  state.inputLog.push_back(
      {sim::InputKind::kButton, state.cursor.x, state.cursor.y, flags, sim::ClockMs()});
}

}  // namespace platform
