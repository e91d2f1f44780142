// Links open with xdg-open, the desktop-neutral opener. The address goes to it as one argument
// of its own, never through a shell, so nothing in it is ever run as a command.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

#include "platform/Desktop.h"
#include "platform/x11/DebugLog.h"

namespace platform {

bool ShellOpen(WindowHandle /*wnd*/, const std::string& address) {
  if (address.empty()) return false;
  // Started detached, so no exited opener is left for us to reap; false when xdg-open can't
  // be started (not installed, not executable).
  if (!QProcess::startDetached(QStringLiteral("xdg-open"),
                               QStringList{QString::fromStdString(address)})) {
    x11::DebugLog("ShellOpen: xdg-open could not be started");
    return false;
  }
  return true;
}

}  // namespace platform
