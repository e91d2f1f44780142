// What the long runs share: how long they are, and the heap in use, read the same way
// natively and under AddressSanitizer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define PILGROVE_LONG_RUN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PILGROVE_LONG_RUN_ASAN 1
#endif
#endif

#ifdef PILGROVE_LONG_RUN_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

namespace long_run {

// The full length with PILGROVE_LONG_RUNS set (scripts/test.d/35-long-runs.sh sets it),
// a short one in every unit test run.
inline std::int64_t Length(std::int64_t full, std::int64_t everyRun) {
  const char* value = std::getenv("PILGROVE_LONG_RUNS");
  return value != nullptr && std::string(value) != "0" ? full : everyRun;
}

// Bytes the program holds on the heap now. ASan's allocator keeps its own count; glibc's
// mallinfo2 does not see allocations ASan serves; the Windows C run-time has no mallinfo2,
// so its heap is walked block by block.
inline std::size_t HeapInUse() {
#if defined(PILGROVE_LONG_RUN_ASAN)
  return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
  _HEAPINFO info{};
  std::size_t used = 0;
  while (_heapwalk(&info) == _HEAPOK) {
    if (info._useflag == _USEDENTRY) used += info._size;
  }
  return used;
#else
  return mallinfo2().uordblks;
#endif
}

}  // namespace long_run
