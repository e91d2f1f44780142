#include "platform/x11/ShmSegment.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cerrno>
#include <cstring>

#include "platform/x11/DebugLog.h"
#include "platform/x11/X11ErrorTrap.h"

namespace platform::x11 {

ShmSegment::ShmSegment(Display* display, const XShmSegmentInfo& info, std::size_t size)
    : display_(display), info_(info), size_(size) {}

std::unique_ptr<ShmSegment> ShmSegment::Create(Display* display, std::size_t bytes) {
  const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (id < 0) {
    DebugLog("shmget(%zu bytes) failed: %s", bytes, std::strerror(errno));
    return nullptr;
  }
  void* address = shmat(id, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    DebugLog("shmat failed: %s", std::strerror(errno));
    shmctl(id, IPC_RMID, nullptr);
    return nullptr;
  }
  XShmSegmentInfo info{};
  info.shmid = id;
  info.shmaddr = static_cast<char*>(address);
  info.readOnly = False;
  std::unique_ptr<ShmSegment> segment(new ShmSegment(display, info, bytes));
  {
    X11ErrorTrap trap(display);
    XShmAttach(display, segment->Info());
    segment->attachedByServer_ = trap.Check("XShmAttach");
  }
  // Marked for removal at once: the kernel frees it when both sides have detached, even if
  // this process dies without running any destructor.
  shmctl(id, IPC_RMID, nullptr);
  if (!segment->attachedByServer_) return nullptr;
  return segment;
}

ShmSegment::~ShmSegment() {
  if (attachedByServer_) {
    X11ErrorTrap trap(display_);
    XShmDetach(display_, &info_);
    trap.Check("XShmDetach");
  }
  shmdt(info_.shmaddr);
}

}  // namespace platform::x11
