#include "toolkit/TButton.h"

namespace toolkit {

void TButton::Click() {
  if (TForm* form = Form(); form != nullptr && modalResult_ != mrNone) {
    form->SetModalResult(modalResult_);
  }
  TWinControl::Click();
}

}  // namespace toolkit
