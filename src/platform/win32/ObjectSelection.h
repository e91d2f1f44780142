// An object selected into a device context for a while: SelectObject on construction, and
// the object it replaced selected back on Restore or destruction. A bitmap can be read with
// GetDIBits, or deleted, only once it is no longer selected into any context.
#pragma once

#include <windows.h>

namespace platform::win32 {

class ObjectSelection {
 public:
  ObjectSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ObjectSelection(const ObjectSelection&) = delete;
  ObjectSelection& operator=(const ObjectSelection&) = delete;
  ~ObjectSelection() { Restore(); }

  // False when SelectObject refused the object; then there is nothing to restore.
  explicit operator bool() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

  void Restore() {
    if (*this) ::SelectObject(dc_, previous_);
    previous_ = nullptr;
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace platform::win32
