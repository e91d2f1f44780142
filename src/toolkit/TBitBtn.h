// A push button that can show a picture (its glyph) beside the caption.
#pragma once

#include <utility>

#include "toolkit/TBitmap.h"
#include "toolkit/TButton.h"

namespace toolkit {

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  TControlClass ControlClass() const override { return TControlClass::kBitBtn; }

  // Empty: no picture.
  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(TBitmap glyph) { Assign(glyph_, std::move(glyph), TChange::kPicture); }

 private:
  TBitmap glyph_;
};

}  // namespace toolkit
