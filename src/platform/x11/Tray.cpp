// The notification-area icon is Qt's QSystemTrayIcon, which speaks the XEmbed system-tray
// protocol on X11 (or StatusNotifierItem over D-Bus where the desktop offers that), and needs
// the QApplication that the toolkit backend creates.
#include <QApplication>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStyle>
#include <QSystemTrayIcon>

#include <cstdint>
#include <map>
#include <utility>

#include "platform/Desktop.h"
#include "platform/x11/DebugLog.h"
#include "platform/x11/MessagePoster.h"

namespace platform {
namespace {

constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
constexpr std::uint32_t kWmRButtonUp = 0x0205;
constexpr std::uint32_t kWmMButtonUp = 0x0208;
constexpr std::size_t kMaxTipLength = 63;

using IconKey = std::pair<WindowHandle, std::uint32_t>;  // hWnd, uID

// The icons belong to the application object (see TrayIconAdd); QPointer notices when the
// application has deleted one.
std::map<IconKey, QPointer<QSystemTrayIcon>>& Icons() {
  static std::map<IconKey, QPointer<QSystemTrayIcon>> icons;
  return icons;
}

QIcon ApplicationIcon() {
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
  return icon;
}

// The mouse message the shell would send for the same action. Qt reports a double click as
// Trigger followed by DoubleClick; Windows sends button up, double click, button up, so the
// window shown by the first click is hidden again by the second, there as here.
void PostActivation(WindowHandle wnd, std::uint32_t callbackMessage, std::uint32_t id,
                    QSystemTrayIcon::ActivationReason reason) {
  const auto post = [&](std::uint32_t mouseMessage) {
    x11::PostDesktopMessage(wnd, callbackMessage, id, static_cast<std::intptr_t>(mouseMessage));
  };
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      post(kWmLButtonUp);
      break;
    case QSystemTrayIcon::DoubleClick:
      post(kWmLButtonDblClk);
      post(kWmLButtonUp);
      break;
    case QSystemTrayIcon::Context:
      post(kWmRButtonUp);
      break;
    case QSystemTrayIcon::MiddleClick:
      post(kWmMButtonUp);
      break;
    case QSystemTrayIcon::Unknown:
      break;
  }
}

}  // namespace

bool TrayIconAdd(const TrayIconData& data) {
  QCoreApplication* application = QCoreApplication::instance();
  if (qobject_cast<QApplication*>(application) == nullptr) {
    x11::DebugLog("TrayIconAdd: no QApplication, no tray icon");
    return false;
  }
  if (!QSystemTrayIcon::isSystemTrayAvailable()) {
    x11::DebugLog("TrayIconAdd: no system tray on this desktop");
    return false;
  }
  const IconKey key{data.hWnd, data.uID};
  const auto existing = Icons().find(key);
  if (existing != Icons().end() && !existing->second.isNull()) {
    x11::DebugLog("TrayIconAdd: icon %u of this window exists already", data.uID);
    return false;
  }

  // Owned by the application, so that an icon nobody deletes goes with it instead of
  // outliving Qt in a static table.
  auto* icon = new QSystemTrayIcon(ApplicationIcon(), application);
  if ((data.uFlags & kNifTip) != 0) {
    icon->setToolTip(QString::fromLocal8Bit(data.szTip.substr(0, kMaxTipLength)));
  }
  if ((data.uFlags & kNifMessage) != 0) {
    QObject::connect(icon, &QSystemTrayIcon::activated,
                     [wnd = data.hWnd, message = data.uCallbackMessage,
                      id = data.uID](QSystemTrayIcon::ActivationReason reason) {
                       PostActivation(wnd, message, id, reason);
                     });
  }
  icon->show();
  Icons()[key] = icon;
  return true;
}

bool TrayIconDelete(const TrayIconData& data) {
  const auto it = Icons().find(IconKey{data.hWnd, data.uID});
  if (it == Icons().end()) return false;
  const QPointer<QSystemTrayIcon> icon = it->second;
  Icons().erase(it);
  if (icon.isNull()) return false;
  delete icon.data();
  return true;
}

}  // namespace platform
