#include "platform/win32/DebugLog.h"

#include <windows.h>

#include <cstdio>

namespace platform::win32 {

void LogFailure(const char* call) {
  const DWORD error = ::GetLastError();
  char line[256];
  std::snprintf(line, sizeof line, "Pilgrove: %s failed (error %lu)\n", call,
                static_cast<unsigned long>(error));
  ::OutputDebugStringA(line);
}

}  // namespace platform::win32
