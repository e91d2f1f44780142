// A memory device context of our own: created with CreateCompatibleDC, ended with DeleteDC.
// Whatever was selected into it must be selected out first (see ObjectSelection).
#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

class MemoryDC {
 public:
  // CreateCompatibleDC(like); nullptr makes one compatible with the screen.
  explicit MemoryDC(HDC like) : dc_(::CreateCompatibleDC(like)) {}
  MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDC& operator=(MemoryDC&& other) noexcept {
    if (this != &other) {
      Delete();
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() { Delete(); }

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  void Delete() {
    if (dc_ != nullptr) ::DeleteDC(std::exchange(dc_, nullptr));
  }

  HDC dc_;
};

}  // namespace platform::win32
