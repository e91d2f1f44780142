#include "platform/x11/MessagePoster.h"

#include "platform/x11/DebugLog.h"

namespace platform {
namespace {

MessagePoster installedPoster = nullptr;

}  // namespace

void SetMessagePoster(MessagePoster poster) {
  installedPoster = poster;
}

namespace x11 {

bool PostDesktopMessage(WindowHandle wnd, std::uint32_t msg, std::uintptr_t wParam,
                        std::intptr_t lParam) {
  if (installedPoster == nullptr) {
    DebugLog("message 0x%04X dropped: no message poster installed", msg);
    return false;
  }
  installedPoster(wnd, msg, wParam, lParam);
  return true;
}

}  // namespace x11
}  // namespace platform
