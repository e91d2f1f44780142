// The main window's controls and logic: the settings panel, Start, Stop and Exit, the
// two hot keys and the click runner it owns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/TRunnerOwner.h"
#include "engine/uObject.h"
#include "toolkit/TBitBtn.h"
#include "toolkit/TButton.h"
#include "toolkit/TLabel.h"
#include "ui/uBaseMain.h"
#include "ui/uFRMDefine.h"

class TMForm : public TBaseForm, public TRunnerOwner {
 public:
  explicit TMForm(toolkit::TComponent* owner);

  TfrmDefine* frmDefine;
  toolkit::TButton* btnExit;
  toolkit::TBitBtn* btnStart;
  toolkit::TBitBtn* btnStop;
  // Tells the user what did not work out: a hot key another program holds, a setting
  // that is not a number. Empty while all is well.
  toolkit::TLabel* lblNote;

  // Creates the runner, sets the start time, registers the hot keys; the base first.
  void FormCreate(toolkit::TObject* sender);
  // Stops the capture, releases the hot keys, frees the runner; the base last.
  void FormClose(toolkit::TObject* sender, toolkit::TCloseAction& action);
  // Back to idle: runner stopped, controls unlocked, window shown and raised.
  void btnStopClick(toolkit::TObject* sender) override;
  void btnExitClick(toolkit::TObject* sender);
  void frmDefinecbHKStartChange(toolkit::TObject* sender);
  void WMHotKey(toolkit::TMessage& message);

  // Hides the window, locks the controls, copies the settings into the runner and starts
  // it. A setting that is not a number brings the window back to idle instead, with the
  // focus in that field and a note saying which one it is.
  void StartRun(toolkit::TObject* sender);
  void RegisterHotKeys();

  // The runner writes the click count here.
  void SetRunnerCaption(const std::string& caption) override { SetCaption(caption); }

  // The runner; null once the window has closed.
  TBaseCtrl* Runner() const { return baseCtrl.get(); }

 private:
  void ShowNote();

  std::unique_ptr<TBaseCtrl> baseCtrl;
  std::int32_t startHotKey = 0;
  std::int32_t stopHotKey = 0;
  std::int32_t startHotKeyAtom = 0;
  std::int32_t stopHotKeyAtom = 0;
  // Whether a key press can reach btnStopClick: the stop key is ours, or it is the start
  // key and that one is.
  bool stopKeyActs = false;
  std::string hotKeyNote;
  std::string startNote;
};
