// The desktop backend's debug log: one line on stderr per failing X or system call, written
// only when PILGROVE_DEBUG is set in the environment, so a missing tray or a key taken by
// another program stays quiet for the user and can still be diagnosed.
#pragma once

namespace platform::x11 {

void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform::x11
