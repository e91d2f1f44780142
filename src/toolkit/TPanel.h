// A container with a bevelled frame and an optional caption.
#pragma once

#include <cstdint>

#include "toolkit/TWinControl.h"

namespace toolkit {

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }
  TControlClass ControlClass() const override { return TControlClass::kPanel; }

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut bevel) { Assign(bevelInner_, bevel, TChange::kStyle); }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut bevel) { Assign(bevelOuter_, bevel, TChange::kStyle); }

 private:
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
};

}  // namespace toolkit
