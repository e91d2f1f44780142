// A container with a frame and a caption; disabling it blocks every control inside.
#pragma once

#include "toolkit/TWinControl.h"

namespace toolkit {

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 105); }
  TControlClass ControlClass() const override { return TControlClass::kGroupBox; }
};

}  // namespace toolkit
