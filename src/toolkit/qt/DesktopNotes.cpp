#include "toolkit/qt/DesktopNotes.h"

#include <QMessageBox>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>

#include "toolkit/qt/QtRuntime.h"

namespace toolkit::qt {

namespace {

constexpr const char* kNoTrayNote =
    "No system tray was found on this desktop, so Pilgrove shows no tray icon.\n\n"
    "While a run hides the window, the stop hot key (Ctrl+F3 unless you chose another) "
    "stops the run and shows the window again.";

constexpr const char* kWaylandNote =
    "This is a Wayland session: Pilgrove runs through XWayland and reaches only X11 "
    "programs.\n\n"
    "Its clicks, its hot keys and its screen reading act on X11 windows alone; Wayland "
    "windows neither receive the clicks nor show in a colour or picture search.";

// Shown beside the main window, never in its way: not modal, gone when closed.
void ShowNote(const char* text) {
  std::fprintf(stderr, "pilgrove: %s\n", text);
  auto* note = new QMessageBox(QMessageBox::Information, QStringLiteral("Pilgrove: note"),
                               QString::fromUtf8(text), QMessageBox::Ok);
  note->setAttribute(Qt::WA_DeleteOnClose);
  note->setWindowModality(Qt::NonModal);
  note->show();
}

}  // namespace

void ScheduleDesktopNotes() {
  QApplication& application = EnsureApplication();
  // After the main window is shown, when the tray host (if any) has been asked.
  QTimer::singleShot(0, &application, [] {
    if (qgetenv("XDG_SESSION_TYPE") == "wayland") ShowNote(kWaylandNote);
    if (!QSystemTrayIcon::isSystemTrayAvailable()) ShowNote(kNoTrayNote);
  });
}

}  // namespace toolkit::qt
