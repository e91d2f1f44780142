#include <windows.h>

#include <cstdint>

#include "platform/Desktop.h"

namespace platform {

void Sleep(std::uint32_t ms) {
  ::Sleep(ms);
}

}  // namespace platform
