#include "platform/x11/HotKeys.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Desktop.h"
#include "platform/x11/DebugLog.h"
#include "platform/x11/MessagePoster.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11ErrorTrap.h"

namespace platform {
namespace {

struct Registration {
  WindowHandle wnd;
  std::int32_t id;
  std::uint32_t modifiers;  // as registered: MOD_ALT, MOD_CONTROL ...
  std::uint32_t vk;
  KeyCode keycode;
  unsigned keyMask;      // the X modifiers that must be down
  unsigned ignoredMask;  // CapsLock and NumLock, whose state must not matter
};

std::vector<Registration>& Registrations() {
  static std::vector<Registration> registrations;
  return registrations;
}

struct ModifierMapping {
  std::uint32_t modifier;
  unsigned mask;
};
constexpr ModifierMapping kModifiers[] = {
    {0x0001, Mod1Mask},     // MOD_ALT
    {0x0002, ControlMask},  // MOD_CONTROL
    {0x0004, ShiftMask},    // MOD_SHIFT
    {0x0008, Mod4Mask},     // MOD_WIN
};
constexpr std::uint32_t kVkF24 = kVkF1 + 23;
// The X modifier bits; the bits above them carry the pointer buttons held down.
constexpr unsigned kAllModifierMasks =
    ShiftMask | LockMask | ControlMask | Mod1Mask | Mod2Mask | Mod3Mask | Mod4Mask | Mod5Mask;

bool ToKeyMask(std::uint32_t modifiers, unsigned& mask) {
  mask = 0;
  for (const ModifierMapping& mapping : kModifiers) {
    if ((modifiers & mapping.modifier) == 0) continue;
    mask |= mapping.mask;
    modifiers &= ~mapping.modifier;
  }
  return modifiers == 0;
}

// NumLock sits on whichever modifier holds the Num_Lock key; Mod2 nearly everywhere.
unsigned NumLockMask(Display* display) {
  const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
  const std::unique_ptr<XModifierKeymap, decltype(&XFreeModifiermap)> map(
      XGetModifierMapping(display), XFreeModifiermap);
  if (map != nullptr && numLock != 0) {
    for (int modifier = 0; modifier < 8; ++modifier) {
      for (int key = 0; key < map->max_keypermod; ++key) {
        if (map->modifiermap[modifier * map->max_keypermod + key] == numLock) return 1u << modifier;
      }
    }
  }
  return Mod2Mask;
}

// The same key must act whatever the state of CapsLock and NumLock, and X matches a grab's
// modifiers exactly: one grab per combination of the two, and none with further modifiers, so
// Ctrl+Shift+F2 is not taken for Ctrl+F2.
void ForEachLockVariant(const Registration& registration,
                        void (*action)(Display*, KeyCode, unsigned, Window),
                        x11::X11Display& display) {
  const unsigned numLock = registration.ignoredMask & ~LockMask;
  for (const unsigned locks : {0u, unsigned{LockMask}, numLock, LockMask | numLock}) {
    action(display.Handle(), registration.keycode, registration.keyMask | locks, display.Root());
  }
}

void Grab(Display* display, KeyCode keycode, unsigned modifiers, Window root) {
  XGrabKey(display, keycode, modifiers, root, False, GrabModeAsync, GrabModeAsync);
}

void Ungrab(Display* display, KeyCode keycode, unsigned modifiers, Window root) {
  XUngrabKey(display, keycode, modifiers, root);
}

}  // namespace

bool RegisterHotKey(WindowHandle wnd, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) {
  x11::X11Display* display = x11::X11Display::Get();
  if (display == nullptr) return false;
  Registration registration{wnd, id, modifiers, vk, 0, 0, 0};
  if (!ToKeyMask(modifiers, registration.keyMask) || vk < kVkF1 || vk > kVkF24) {
    x11::DebugLog("RegisterHotKey: no X key for modifiers 0x%X, key 0x%X", modifiers, vk);
    return false;
  }
  registration.keycode = XKeysymToKeycode(display->Handle(), XK_F1 + (vk - kVkF1));
  if (registration.keycode == 0) {
    x11::DebugLog("XKeysymToKeycode: the keyboard has no F%u", vk - kVkF1 + 1);
    return false;
  }
  registration.ignoredMask = LockMask | NumLockMask(display->Handle());

  // The server lets a client grab a combination twice, so a second registration of ours is
  // refused here, as Windows refuses it.
  for (const Registration& other : Registrations()) {
    if (other.keycode == registration.keycode && other.keyMask == registration.keyMask) {
      x11::DebugLog("RegisterHotKey: key 0x%X with modifiers 0x%X is registered already", vk,
                    modifiers);
      return false;
    }
  }

  x11::X11ErrorTrap trap(display->Handle());
  ForEachLockVariant(registration, Grab, *display);
  if (!trap.Check("XGrabKey")) {
    // BadAccess: another client holds at least one of the combinations. Give back the ones we
    // got; ungrabbing the others touches nobody else's grab.
    ForEachLockVariant(registration, Ungrab, *display);
    trap.Check("XUngrabKey");
    return false;
  }
  Registrations().push_back(registration);
  return true;
}

bool UnregisterHotKey(WindowHandle wnd, std::int32_t id) {
  x11::X11Display* display = x11::X11Display::Get();
  if (display == nullptr) return false;
  std::vector<Registration>& registrations = Registrations();
  const auto matches = [&](const Registration& r) { return r.wnd == wnd && r.id == id; };
  const auto first = std::find_if(registrations.begin(), registrations.end(), matches);
  if (first == registrations.end()) return false;
  x11::X11ErrorTrap trap(display->Handle());
  for (auto it = first; it != registrations.end(); ++it) {
    if (matches(*it)) ForEachLockVariant(*it, Ungrab, *display);
  }
  registrations.erase(std::remove_if(first, registrations.end(), matches), registrations.end());
  return trap.Check("XUngrabKey");
}

namespace x11 {

bool DispatchHotKey(const XKeyEvent& event) {
  bool posted = false;
  for (const Registration& registration : Registrations()) {
    const unsigned pressed = event.state & kAllModifierMasks & ~registration.ignoredMask;
    if (event.keycode != registration.keycode || pressed != registration.keyMask) continue;
    const std::intptr_t lParam =
        static_cast<std::intptr_t>(registration.modifiers | (registration.vk << 16));
    PostDesktopMessage(registration.wnd, kWmHotKey,
                       static_cast<std::uintptr_t>(static_cast<std::uint32_t>(registration.id)),
                       lParam);
    posted = true;
  }
  return posted;
}

}  // namespace x11
}  // namespace platform
