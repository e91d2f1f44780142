// A frame: a reusable container class with controls of its own (it owns them), embedded
// in a form like any other control. Frame classes build their controls in their
// constructor, usually from a description (FormBuilder.h).
#pragma once

#include "toolkit/TWinControl.h"

namespace toolkit {

class TFrame : public TWinControl {
 public:
  explicit TFrame(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 320, 240); }
  TControlClass ControlClass() const override { return TControlClass::kFrame; }
};

}  // namespace toolkit
