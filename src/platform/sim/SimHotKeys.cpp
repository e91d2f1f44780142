// Simulated global atoms and hot keys, with Windows' rules: one atom per name (case
// ignored), one registration per key combination across the whole desktop.
#include <algorithm>
#include <cctype>

#include "platform/Desktop.h"
#include "platform/sim/SimState.h"

namespace platform {

namespace sim {

namespace {

constexpr std::uint16_t kFirstStringAtom = 0xC000;

bool SameKey(const HotKey& key, std::uint32_t modifiers, std::uint32_t vk) {
  return key.modifiers == modifiers && key.vk == vk;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void TakeHotKeyByOtherProgram(std::uint32_t modifiers, std::uint32_t vk) {
  State().foreignHotKeys.push_back({0, 0, modifiers, vk});
}

bool IsHotKeyRegistered(std::uint32_t modifiers, std::uint32_t vk) {
  const auto& keys = State().hotKeys;
  return std::any_of(keys.begin(), keys.end(),
                     [&](const HotKey& key) { return SameKey(key, modifiers, vk); });
}

bool PressHotKey(std::uint32_t modifiers, std::uint32_t vk) {
  for (const HotKey& key : State().hotKeys) {
    if (SameKey(key, modifiers, vk)) {
      return Post(key.wnd, kWmHotKey, static_cast<std::uintptr_t>(key.id),
                  static_cast<std::intptr_t>(modifiers | (vk << 16)));
    }
  }
  return false;
}

}  // namespace sim

std::uint16_t GlobalAddAtomA(const char* name) {
  if (name == nullptr || *name == '\0') return 0;
  auto& atoms = sim::State().atoms;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    if (sim::SameNameIgnoringCase(atoms[i], name)) {
      return static_cast<std::uint16_t>(sim::kFirstStringAtom + i);
    }
  }
  if (atoms.size() >= 0x10000 - sim::kFirstStringAtom) return 0;  // the atom table is full
  atoms.emplace_back(name);
  return static_cast<std::uint16_t>(sim::kFirstStringAtom + atoms.size() - 1);
}

bool RegisterHotKey(WindowHandle wnd, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) {
  sim::SimState& state = sim::State();
  const auto taken = [&](const sim::HotKey& key) { return sim::SameKey(key, modifiers, vk); };
  if (std::any_of(state.hotKeys.begin(), state.hotKeys.end(), taken) ||
      std::any_of(state.foreignHotKeys.begin(), state.foreignHotKeys.end(), taken)) {
    return false;  // ERROR_HOTKEY_ALREADY_REGISTERED
  }
  state.hotKeys.push_back({wnd, id, modifiers, vk});
  return true;
}

bool UnregisterHotKey(WindowHandle wnd, std::int32_t id) {
  auto& keys = sim::State().hotKeys;
  // Windows keeps a second registration under the same window and id beside the first;
  // one call here drops them all, which is what a caller that unregisters before each
  // registration expects.
  const auto removed =
      std::erase_if(keys, [&](const sim::HotKey& key) { return key.wnd == wnd && key.id == id; });
  return removed > 0;
}

}  // namespace platform
