// Button events go through XTest, which the server treats as real input: they reach whatever
// window is under the pointer, start implicit grabs and count towards double clicks, unlike
// XSendEvent, whose events clients may recognise as synthetic and ignore.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdint>

#include "platform/Desktop.h"
#include "platform/x11/DebugLog.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11ErrorTrap.h"

namespace platform {
namespace {

struct Transition {
  std::uint32_t flag;
  unsigned button;  // X numbers buttons left 1, middle 2, right 3
  bool press;
};

// Several flags in one call are sent in this order, the order of their bits.
constexpr Transition kTransitions[] = {
    {kMouseLeftDown, 1, true}, {kMouseLeftUp, 1, false},    {kMouseRightDown, 3, true},
    {kMouseRightUp, 3, false}, {kMouseMiddleDown, 2, true}, {kMouseMiddleUp, 2, false},
};

}  // namespace

void MouseEvent(std::uint32_t flags, std::int32_t /*x*/, std::int32_t /*y*/) {
  x11::X11Display* display = x11::X11Display::Get();
  if (display == nullptr) return;
  if (!display->HasXTest()) {
    x11::DebugLog("XTestFakeButtonEvent: no XTEST, button event 0x%X dropped", flags);
    return;
  }
  x11::X11ErrorTrap trap(display->Handle());
  for (const Transition& transition : kTransitions) {
    if ((flags & transition.flag) == 0) continue;
    XTestFakeButtonEvent(display->Handle(), transition.button, transition.press ? True : False,
                         CurrentTime);
  }
  // Synchronous, so the events are out before the caller's next step (a move back, a sleep).
  trap.Check("XTestFakeButtonEvent");
}

}  // namespace platform
