#include "platform/x11/DebugLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace platform::x11 {

void DebugLog(const char* format, ...) {
  static const bool kEnabled = [] {
    const char* value = std::getenv("PILGROVE_DEBUG");
    return value != nullptr && *value != '\0';
  }();
  if (!kEnabled) return;
  std::va_list args;
  va_start(args, format);
  std::fputs("pilgrove x11: ", stderr);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  va_end(args);
}

}  // namespace platform::x11
