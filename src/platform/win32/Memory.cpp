#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "platform/Desktop.h"

namespace platform {

std::unique_ptr<std::uint8_t[]> AllocateBlock(std::size_t bytes) {
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[bytes]);
}

}  // namespace platform
