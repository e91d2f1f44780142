#include "toolkit/TRadioButton.h"

namespace toolkit {

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Changed(TChange::kChecked);
  if (!checked) return;
  if (TWinControl* parent = Parent(); parent != nullptr) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
    }
  }
  Fire(OnClick, this);
}

void TRadioButton::Click() {
  SetChecked(true);
}

}  // namespace toolkit
