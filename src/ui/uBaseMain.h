// The frame of the main window: menu, notification-area icon, minimise-to-tray, the
// radio-button lock and the silent exception sink.
#pragma once

#include <cstdint>

#include "platform/Desktop.h"
#include "toolkit/Exception.h"
#include "toolkit/Messages.h"
#include "toolkit/TForm.h"
#include "toolkit/TMainMenu.h"

// The idle window caption, and the program's name and version wherever they are shown.
inline constexpr char kVersionCaption[] = "Pilgrove 4.1.6";

// The notification icon's callback message.
constexpr std::uint32_t WM_TRAYICON = 2102;

class TBaseForm : public toolkit::TForm {
 public:
  explicit TBaseForm(toolkit::TComponent* owner);

  toolkit::TMainMenu* MainMenu;
  toolkit::TMenuItem* m2;
  toolkit::TMenuItem* m1;

  // Adds the tray icon, sets the caption and installs the exception sink.
  void FormCreate(toolkit::TObject* sender);
  // Removes the tray icon.
  void FormClose(toolkit::TObject* sender, toolkit::TCloseAction& action);
  // "About": the About box, modally.
  void m1Click(toolkit::TObject* sender);
  // "Help": the web page.
  void m2Click(toolkit::TObject* sender);

  // A left-button release over the tray icon shows or hides the window.
  void WMTrayIcon(toolkit::TMessage& message);
  // The minimise box hides the window instead of minimising it, while the tray icon is
  // there to bring it back.
  void WMSysCommand(toolkit::TMessage& message);

  // Disables (lock) or enables every radio button below control.
  void LockRadioButtons(toolkit::TWinControl* control, bool lock);
  // The application's exception event while the program runs: drops the exception.
  static void IgnoreException(toolkit::TObject* sender, const toolkit::Exception& e);

 protected:
  platform::TrayIconData trayIconData;
  // Whether the shell took the icon. Without it a hidden window has no way back but a
  // hot key.
  bool trayIconShown = false;
};
