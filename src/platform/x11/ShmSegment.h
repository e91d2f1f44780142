// A System V shared memory segment that the X server has attached as well, so XShmGetImage
// writes the screen's pixels straight into our memory instead of through the socket.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstddef>
#include <memory>

namespace platform::x11 {

class ShmSegment {
 public:
  // Null (and a log line) when the segment can't be had or the server can't attach it: a
  // remote server, a server in another IPC namespace, no shared memory left.
  static std::unique_ptr<ShmSegment> Create(Display* display, std::size_t bytes);
  // Detaches on both sides; the segment itself is already marked for removal.
  ~ShmSegment();

  ShmSegment(const ShmSegment&) = delete;
  ShmSegment& operator=(const ShmSegment&) = delete;

  XShmSegmentInfo* Info() { return &info_; }
  std::size_t Size() const { return size_; }

 private:
  ShmSegment(Display* display, const XShmSegmentInfo& info, std::size_t size);

  Display* display_;
  XShmSegmentInfo info_;
  std::size_t size_;
  bool attachedByServer_ = false;
};

}  // namespace platform::x11
