// A radio button: checking one unchecks the other radio buttons of the same parent.
#pragma once

#include "toolkit/TWinControl.h"

namespace toolkit {

class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 113, 17); }
  TControlClass ControlClass() const override { return TControlClass::kRadioButton; }

  bool Checked() const { return checked_; }
  // Checking unchecks the other radio buttons of the same parent and, as the component
  // library does also for code, runs OnClick when the button becomes checked.
  void SetChecked(bool checked);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap) { Assign(wordWrap_, wordWrap, TChange::kStyle); }

 protected:
  // A user click checks the button; a click on the checked button changes and runs
  // nothing.
  void Click() override;

 private:
  bool checked_ = false;
  bool wordWrap_ = false;
};

}  // namespace toolkit
