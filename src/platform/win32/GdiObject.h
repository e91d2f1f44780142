// A GDI object we created (bitmap, pen, brush, font, region), ended with DeleteObject.
// Stock objects and objects still selected into a device context must not be owned here:
// deleting a selected object fails and leaks it.
#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Delete();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Delete(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void Delete() {
    if (handle_ != nullptr) ::DeleteObject(std::exchange(handle_, nullptr));
  }

  Handle handle_ = nullptr;
};

using GdiBitmap = GdiObject<HBITMAP>;

}  // namespace platform::win32
