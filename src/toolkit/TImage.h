// An image control: shows a picture (a TBitmap) from its top-left corner and offers a
// canvas drawing into that picture. Mouse presses, moves and releases over it reach
// OnMouseDown, OnMouseMove and OnMouseUp in the image's client coordinates.
#pragma once

#include <cstdint>
#include <functional>

#include "toolkit/TBitmap.h"
#include "toolkit/TCanvas.h"
#include "toolkit/TControl.h"

namespace toolkit {

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse event.
using TShiftState = std::uint8_t;
enum : TShiftState {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift,
                                       std::int32_t x, std::int32_t y)>;
using TMouseMoveEvent =
    std::function<void(TObject* sender, TShiftState shift, std::int32_t x, std::int32_t y)>;

class TImage : public TControl {
 public:
  explicit TImage(TComponent* owner);
  TControlClass ControlClass() const override { return TControlClass::kImage; }

  // The picture; empty when none was given.
  const TBitmap& Picture() const { return picture_; }
  // Keeps a copy of picture; with AutoSize the image takes its size.
  void SetPicture(TBitmap picture);
  // The image follows its picture's size (on by default).
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);

  // Draws into the picture; the peer hears which area changed. An image without a
  // picture first gets one of its own size.
  TCanvas& Canvas();

  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

  // ---- User entry points ------------------------------------------------------------
  // The shift state given is completed with the buttons held (the one pressed included,
  // the one released excluded), so a handler sees what the component library shows it.
  bool UserMouseDown(TMouseButton button, std::int32_t x, std::int32_t y, TShiftState shift = 0);
  bool UserMouseMove(std::int32_t x, std::int32_t y, TShiftState shift = 0);
  bool UserMouseUp(TMouseButton button, std::int32_t x, std::int32_t y, TShiftState shift = 0);

 private:
  void FitPicture();

  TBitmap picture_;
  TCanvas canvas_;
  bool autoSize_ = true;
  TShiftState held_ = 0;  // buttons pressed over the image and not yet released
};

}  // namespace toolkit
