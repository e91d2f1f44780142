// The Windows backends' debug log: one line per failing system call, sent to the debugger
// with OutputDebugStringA (DebugView, or WINEDEBUG=+debugstr under Wine). The user sees
// nothing: a hot key taken by another program or a refused tray icon is not an error the
// program reports.
#pragma once

namespace platform::win32 {

// Logs "Pilgrove: <call> failed (error <GetLastError()>)". Call it right after the failing
// call, before anything else can change the thread's last error.
void LogFailure(const char* call);

}  // namespace platform::win32
