// The notification-area icon. The record is NOTIFYICONDATAA as this architecture lays it
// out, with cbSize = its sizeof: the 88 bytes of the first form are the 32-bit size, and a
// 64-bit shell reads hWnd and hIcon as 64-bit fields at other offsets. The caller's cbSize
// is therefore not passed on.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/Desktop.h"
#include "platform/win32/DebugLog.h"
#include "platform/win32/WindowHandle.h"

namespace platform {
namespace {

// The first form of the record had a 64-byte tip; at most 63 characters and the
// terminator reach the shell, as the interface promises for every backend.
constexpr std::size_t kTipCharacters = 63;

bool NotifyIcon(DWORD message, const char* call, const TrayIconData& data) {
  NOTIFYICONDATAA record{};
  record.cbSize = sizeof record;
  record.hWnd = win32::ToHwnd(data.hWnd);
  record.uID = data.uID;
  record.uFlags = data.uFlags;
  record.uCallbackMessage = data.uCallbackMessage;
  // An icon loaded from the module's resources with LoadIcon is shared by the system and
  // must not be destroyed.
  record.hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON");
  const std::size_t tipLength = std::min(data.szTip.size(), kTipCharacters);
  std::memcpy(record.szTip, data.szTip.data(), tipLength);  // the rest stays zero
  if (!::Shell_NotifyIconA(message, &record)) {
    win32::LogFailure(call);
    return false;
  }
  return true;
}

}  // namespace

bool TrayIconAdd(const TrayIconData& data) {
  return NotifyIcon(NIM_ADD, "Shell_NotifyIconA(NIM_ADD)", data);
}

bool TrayIconDelete(const TrayIconData& data) {
  return NotifyIcon(NIM_DELETE, "Shell_NotifyIconA(NIM_DELETE)", data);
}

}  // namespace platform
