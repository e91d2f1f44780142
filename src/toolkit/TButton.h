// A push button. A button with a ModalResult sets its form's when clicked, which ends
// the form's modal loop.
#pragma once

#include "toolkit/TForm.h"
#include "toolkit/TWinControl.h"

namespace toolkit {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 75, 25); }
  TControlClass ControlClass() const override { return TControlClass::kButton; }

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  // Drawn as the form's default button.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault) { Assign(default_, isDefault, TChange::kStyle); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap) { Assign(wordWrap_, wordWrap, TChange::kStyle); }

 protected:
  // The form's modal result first, then OnClick.
  void Click() override;

 private:
  TModalResult modalResult_ = mrNone;
  bool default_ = false;
  bool wordWrap_ = false;
};

}  // namespace toolkit
