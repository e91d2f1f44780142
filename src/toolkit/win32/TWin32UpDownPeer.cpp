// An up-down control. The model steps the edit's number; the window only reports which
// arrow was pressed and never moves a position of its own.
#include <windows.h>

#include <commctrl.h>

#include "toolkit/TUpDown.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

class TWin32UpDownPeer final : public TWin32Peer {
 public:
  explicit TWin32UpDownPeer(TUpDown& upDown) : TWin32Peer(upDown), upDown_(upDown) {
    CreateWindowOf(UPDOWN_CLASSW, 0);
    // A range with room on both sides of the position: the control then reports both
    // arrows, the upper one as a positive step.
    ::SendMessageW(Window(), UDM_SETRANGE32, 0, 2);
    ::SendMessageW(Window(), UDM_SETPOS32, 0, 1);
    Refresh();
  }

  bool Notify(const NMHDR& header, LRESULT& result) override {
    if (header.code != UDN_DELTAPOS) return false;
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    if (change.iDelta > 0) {
      upDown_.UserClickUp();
    } else if (change.iDelta < 0) {
      upDown_.UserClickDown();
    }
    result = TRUE;  // the window's own position stays where it is
    return true;
  }

 private:
  TUpDown& upDown_;
};

}  // namespace

std::unique_ptr<TPeer> MakeUpDownPeer(TUpDown& upDown) {
  return std::make_unique<TWin32UpDownPeer>(upDown);
}

}  // namespace toolkit::win32
