// The simulated desktop's state and its smaller services: memory, shell, messages, sleep.
#include <new>
#include <utility>

#include "platform/Desktop.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimState.h"

namespace platform {

namespace sim {

namespace {
MessagePoster installedPoster = nullptr;
}

SimState& State() {
  static SimState state;
  return state;
}

void Reset() {
  State() = SimState{};
}

void ClearLogs() {
  SimState& state = State();
  state.grabLog = {};
  state.inputLog = {};
  state.openedAddresses = {};
}

void OnDesktopCall(std::function<void(DesktopCall)> hook) {
  State().callHook = std::move(hook);
}

void DesktopCalled(DesktopCall call) {
  SimState& state = State();
  if (!state.callHook || state.inCallHook) return;
  state.inCallHook = true;
  const std::function<void(DesktopCall)> hook = state.callHook;  // it may install another
  hook(call);
  state.inCallHook = false;
}

bool Post(WindowHandle wnd, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  if (installedPoster == nullptr) return false;
  installedPoster(wnd, msg, wParam, lParam);
  return true;
}

MessagePoster InstalledMessagePoster() {
  return installedPoster;
}

void RefuseAllocationsAbove(std::size_t bytes) {
  State().allocationLimit = bytes;
}
void RefuseNextAllocations(int count) {
  State().refuseNextAllocations = count;
}
int AllocationCount() {
  return State().allocationCount;
}

void FailShellOpens(bool fail) {
  State().shellFails = fail;
}
const std::vector<std::string>& OpenedAddresses() {
  return State().openedAddresses;
}

}  // namespace sim

void SetMessagePoster(MessagePoster poster) {
  sim::installedPoster = poster;
}

std::unique_ptr<std::uint8_t[]> AllocateBlock(std::size_t bytes) {
  sim::SimState& state = sim::State();
  if (state.refuseNextAllocations > 0) {
    --state.refuseNextAllocations;
    return nullptr;
  }
  if (bytes > state.allocationLimit) return nullptr;
  std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[bytes]);
  if (block) ++state.allocationCount;
  return block;
}

bool ShellOpen(WindowHandle, const std::string& address) {
  sim::SimState& state = sim::State();
  if (state.shellFails) return false;
  state.openedAddresses.push_back(address);
  return true;
}

void Sleep(std::uint32_t ms) {
  sim::AdvanceClockMs(ms);
}

}  // namespace platform
