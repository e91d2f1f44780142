#include "toolkit/TImage.h"

#include "toolkit/Backend.h"
#include "toolkit/TApplication.h"

namespace toolkit {

namespace {

TShiftState ButtonState(TMouseButton button) {
  return button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle;
}

}  // namespace

TImage::TImage(TComponent* owner)
    : TControl(owner), canvas_(picture_, [this](const TRect& area) {
        if (Peer() != nullptr) Peer()->PictureChanged(area);
      }) {
  SetBounds(0, 0, 105, 105);
}

void TImage::SetPicture(TBitmap picture) {
  picture_ = std::move(picture);
  Changed(TChange::kPicture);
  FitPicture();
}

void TImage::SetAutoSize(bool autoSize) {
  Assign(autoSize_, autoSize, TChange::kStyle);
  FitPicture();
}

void TImage::FitPicture() {
  if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

TCanvas& TImage::Canvas() {
  if (picture_.Empty() && Width() > 0 && Height() > 0) {
    picture_.SetSize(Width(), Height());
    Changed(TChange::kPicture);
  }
  return canvas_;
}

bool TImage::UserMouseDown(TMouseButton button, std::int32_t x, std::int32_t y, TShiftState shift) {
  if (!AcceptsInput()) return false;
  held_ |= ButtonState(button);
  const TShiftState state = shift | held_;
  Application.Guarded(this, [&] { Fire(OnMouseDown, this, button, state, x, y); });
  return true;
}

bool TImage::UserMouseMove(std::int32_t x, std::int32_t y, TShiftState shift) {
  if (!AcceptsInput()) return false;
  const TShiftState state = shift | held_;
  Application.Guarded(this, [&] { Fire(OnMouseMove, this, state, x, y); });
  return true;
}

bool TImage::UserMouseUp(TMouseButton button, std::int32_t x, std::int32_t y, TShiftState shift) {
  if (!AcceptsInput()) return false;
  held_ &= static_cast<TShiftState>(~ButtonState(button));
  const TShiftState state = static_cast<TShiftState>(shift | held_);
  Application.Guarded(this, [&] { Fire(OnMouseUp, this, button, state, x, y); });
  return true;
}

}  // namespace toolkit
