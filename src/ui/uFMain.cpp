#include "ui/uFMain.h"

#include <vector>

#include "platform/Desktop.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/TDateTime.h"

using namespace toolkit;

namespace {

constexpr char kRunningCaption[] = "Pilgrove 4.1.6  running..";

const TFontDescription kButtonFont = {.color = clBlue, .bold = true};

const TFormDescription& Description() {
  static const TFormDescription description = {
      .clientWidth = 437,
      .clientHeight = 607,
      .borderStyle = bsSingle,
      .borderIcons = biSystemMenu | biMinimize,
      .position = poDesktopCenter,
      .color = clBtnFace,
      .font = {.name = "MS Sans Serif", .height = -11},
      .keyPreview = true,
      .onCreate = "FormCreate",
      .onClose = "FormClose",
      .controls = {
          {.name = "frmDefine", .kind = TComponentKind::kFrame, .bounds = {8, 2, 423, 566}},
          {.name = "btnExit",
           .kind = TComponentKind::kButton,
           .bounds = {345, 574, 75, 28},
           .caption = "&EXIT",
           .onClick = "btnExitClick"},
          {.name = "btnStart",
           .kind = TComponentKind::kBitBtn,
           .bounds = {153, 574, 75, 28},
           .caption = "&START",
           .font = kButtonFont},
          {.name = "btnStop",
           .kind = TComponentKind::kBitBtn,
           .bounds = {249, 574, 75, 28},
           .caption = "S&TOP",
           .font = kButtonFont,
           .onClick = "btnStopClick"},
          // Under the settings, left of Start.
          {.name = "lblNote",
           .kind = TComponentKind::kLabel,
           .bounds = {8, 568, 142, 39},
           .font = {.color = clRed},
           .wordWrap = true,
           .autoSize = false},
      }};
  return description;
}

std::string KeyName(std::int32_t virtualKey) {
  return "Ctrl+F" + std::to_string(virtualKey - static_cast<std::int32_t>(platform::kVkF1) + 1);
}

}  // namespace

TMForm::TMForm(TComponent* owner) : TBaseForm(owner) {
  frmDefine = Create<TfrmDefine>(*this);
  frmDefine->SetName("frmDefine");
  BuildForm(*this, Description(),
            {{"FormCreate", TNotifyEvent(Bind(this, &TMForm::FormCreate))},
             {"FormClose", TCloseEvent(Bind(this, &TMForm::FormClose))},
             {"btnExitClick", TNotifyEvent(Bind(this, &TMForm::btnExitClick))},
             {"btnStopClick", TNotifyEvent(Bind(this, &TMForm::btnStopClick))}});
  btnExit = &Component<TButton>("btnExit");
  btnStart = &Component<TBitBtn>("btnStart");
  btnStop = &Component<TBitBtn>("btnStop");
  lblNote = &Component<TLabel>("lblNote");
  frmDefine->cbHKStart->OnChange = Bind(this, &TMForm::frmDefinecbHKStartChange);
  frmDefine->cbHKStop->OnChange = Bind(this, &TMForm::frmDefinecbHKStartChange);
  SetMessageHandler(kWmHotKey, Bind(this, &TMForm::WMHotKey));
}

void TMForm::FormCreate(TObject* sender) {
  TBaseForm::FormCreate(sender);
  baseCtrl = std::make_unique<TBaseCtrl>();
  frmDefine->dtpTime->SetDateTime(Now());
  btnStart->SetEnabled(true);
  btnStop->SetEnabled(false);
  frmDefine->gbPoint->SetEnabled(frmDefine->rbFixed->Checked());
  frmDefine->btnCapture->SetEnabled(frmDefine->rbFixed->Checked());
  RegisterHotKeys();
  OnKeyPress = Bind(frmDefine, &TfrmDefine::OwnerKeyPress);
  btnStart->OnClick = Bind(this, &TMForm::StartRun);
}

void TMForm::FormClose(TObject* sender, TCloseAction& action) {
  frmDefine->timerSetPoint->SetEnabled(false);
  platform::UnregisterHotKey(Handle(), startHotKeyAtom);
  platform::UnregisterHotKey(Handle(), stopHotKeyAtom);
  // The runner's destructor stops its timer; a tick that is dispatching messages right
  // now notices that its runner is gone.
  baseCtrl.reset();
  TBaseForm::FormClose(sender, action);
}

void TMForm::StartRun(TObject*) {
  frmDefine->StopCapture();
  SetCaption(kRunningCaption);
  // Hidden with neither the tray icon nor the stop key, the window could not be brought
  // back, nor the run stopped: it stays on the screen then.
  if (trayIconShown || stopKeyActs) SetVisible(false);
  btnStart->SetEnabled(false);
  btnStop->SetEnabled(true);
  LockRadioButtons(this, true);
  frmDefine->plMain->SetEnabled(false);
  startNote.clear();
  try {
    frmDefine->ApplyTo(*baseCtrl);
  } catch (const ENotANumber& e) {
    // Hidden with a running caption and nothing clicking would pass a failure off as a
    // run: come back, and send the user to the field.
    btnStopClick(nullptr);
    startNote = "Enter a number in \"" + e.FieldName() + "\"";
    ShowNote();
    if (e.Edit().CanFocus()) e.Edit().SetFocus();
    return;
  }
  ShowNote();
  baseCtrl->Start(this);
}

void TMForm::btnStopClick(TObject*) {
  // A stop that comes after the close (queued behind it) finds no runner.
  if (baseCtrl) baseCtrl->Stop();
  SetWindowState(wsNormal);
  btnStart->SetEnabled(true);
  btnStop->SetEnabled(false);
  frmDefine->plMain->SetEnabled(true);
  LockRadioButtons(this, false);
  SetVisible(true);
  BringToFront();
  SetCaption(kVersionCaption);
}

void TMForm::btnExitClick(TObject*) {
  Close();
}

void TMForm::frmDefinecbHKStartChange(TObject*) {
  RegisterHotKeys();
}

void TMForm::RegisterHotKeys() {
  platform::UnregisterHotKey(Handle(), startHotKeyAtom);
  platform::UnregisterHotKey(Handle(), stopHotKeyAtom);
  startHotKey = frmDefine->cbHKStart->ItemIndex() + static_cast<std::int32_t>(platform::kVkF1);
  stopHotKey = frmDefine->cbHKStop->ItemIndex() + static_cast<std::int32_t>(platform::kVkF1);
  startHotKeyAtom = platform::GlobalAddAtomA("NorvekHotKeyStart");
  const bool startHeld =
      platform::RegisterHotKey(Handle(), startHotKeyAtom, platform::kModControl, startHotKey);
  stopHotKeyAtom = platform::GlobalAddAtomA("NorvekHotKeyStop");
  const bool stopHeld =
      platform::RegisterHotKey(Handle(), stopHotKeyAtom, platform::kModControl, stopHotKey);
  // One key for both is registered once, for the start: the stop's own registration
  // failing then costs nothing.
  stopKeyActs = stopHeld || (stopHotKey == startHotKey && startHeld);
  std::vector<std::string> taken;
  if (!startHeld) taken.push_back(KeyName(startHotKey));
  if (!stopHeld && stopHotKey != startHotKey) taken.push_back(KeyName(stopHotKey));
  if (taken.empty()) {
    hotKeyNote.clear();
  } else if (taken.size() == 1) {
    hotKeyNote = taken[0] + " is in use by another program";
  } else {
    hotKeyNote = taken[0] + " and " + taken[1] + " are in use by other programs";
  }
  ShowNote();
}

void TMForm::ShowNote() {
  lblNote->SetCaption(startNote.empty() ? hotKeyNote : startNote);
}

void TMForm::WMHotKey(TMessage& message) {
  if (!baseCtrl) return;  // closed; the keys are released already
  const auto modifiers = static_cast<std::uint32_t>(message.LParam & 0xFFFF);
  const auto key = static_cast<std::int32_t>((message.LParam >> 16) & 0xFFFF);
  if (modifiers == platform::kModControl && key == startHotKey && !baseCtrl->running) {
    StartRun(nullptr);
  } else if (modifiers == platform::kModControl && key == stopHotKey) {
    btnStopClick(nullptr);
  }
}
