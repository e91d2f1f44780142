// A static text drawn on its parent (no window of its own).
#pragma once

#include "toolkit/TControl.h"

namespace toolkit {

class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 65, 13); }
  TControlClass ControlClass() const override { return TControlClass::kLabel; }

  // The parent shows through (no background of the label's own).
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { Assign(transparent_, transparent, TChange::kStyle); }
  // The peer sizes the label to its text (on by default); off: the bounds stay as set.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize) { Assign(autoSize_, autoSize, TChange::kStyle); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap) { Assign(wordWrap_, wordWrap, TChange::kStyle); }

 private:
  bool transparent_ = false;
  bool autoSize_ = true;
  bool wordWrap_ = false;
};

}  // namespace toolkit
