#include "ui/uBaseMain.h"

#include <memory>

#include "matching/uFunction.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/TApplication.h"
#include "toolkit/TRadioButton.h"
#include "ui/UAbout.h"

using namespace toolkit;

namespace {

const TFormDescription& Description() {
  static const TFormDescription description = {
      .onCreate = "FormCreate",
      .onClose = "FormClose",
      .controls = {
          {.name = "MainMenu", .kind = TComponentKind::kMainMenu},
          {.name = "m1",
           .kind = TComponentKind::kMenuItem,
           .parent = "MainMenu",
           .caption = "About",
           .onClick = "m1Click"},
          {.name = "m2",
           .kind = TComponentKind::kMenuItem,
           .parent = "MainMenu",
           .caption = "Help",
           .onClick = "m2Click"},
      }};
  return description;
}

}  // namespace

TBaseForm::TBaseForm(TComponent* owner) : TForm(owner) {
  BuildForm(*this, Description(),
            {{"FormCreate", TNotifyEvent(Bind(this, &TBaseForm::FormCreate))},
             {"FormClose", TCloseEvent(Bind(this, &TBaseForm::FormClose))},
             {"m1Click", TNotifyEvent(Bind(this, &TBaseForm::m1Click))},
             {"m2Click", TNotifyEvent(Bind(this, &TBaseForm::m2Click))}});
  MainMenu = &Component<TMainMenu>("MainMenu");
  m2 = &Component<TMenuItem>("m2");
  m1 = &Component<TMenuItem>("m1");
  SetMessageHandler(WM_TRAYICON, Bind(this, &TBaseForm::WMTrayIcon));
  SetMessageHandler(kWmSysCommand, Bind(this, &TBaseForm::WMSysCommand));
}

void TBaseForm::FormCreate(TObject*) {
  trayIconData.cbSize = 88;
  trayIconData.hWnd = Handle();
  trayIconData.uID = 1;
  trayIconData.uFlags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
  trayIconData.uCallbackMessage = WM_TRAYICON;
  trayIconData.szTip = "Pilgrove";
  trayIconShown = platform::TrayIconAdd(trayIconData);
  SetCaption(kVersionCaption);
  Application.OnException = &TBaseForm::IgnoreException;
}

void TBaseForm::FormClose(TObject*, TCloseAction&) {
  platform::TrayIconDelete(trayIconData);
}

void TBaseForm::m1Click(TObject*) {
  const std::unique_ptr<TFMAbout> about(Create<TFMAbout>(*this));
  about->ShowModal();
}

void TBaseForm::m2Click(TObject*) {
  OpenWebPage();
}

void TBaseForm::WMTrayIcon(TMessage& message) {
  if (message.LParam == static_cast<std::intptr_t>(platform::kWmLButtonUp)) {
    SetVisible(!Visible());
  }
}

void TBaseForm::WMSysCommand(TMessage& message) {
  // Without the icon the window is minimised as any other is, to its taskbar button.
  if (message.WParam == kScMinimize && trayIconShown) {
    SetVisible(false);
    return;
  }
  DefaultHandler(message);
}

void TBaseForm::LockRadioButtons(TWinControl* control, bool lock) {
  for (int i = 0; i < control->ControlCount(); ++i) {
    TControl* child = control->Controls(i);
    if (auto* radio = dynamic_cast<TRadioButton*>(child)) {
      radio->SetEnabled(!lock);
    } else if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
      LockRadioButtons(windowed, lock);
    }
  }
}

void TBaseForm::IgnoreException(TObject*, const Exception&) {}
