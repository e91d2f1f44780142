#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/Desktop.h"

namespace platform {

void Sleep(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace platform
