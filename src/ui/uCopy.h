// The region picker: a borderless window over the whole primary screen showing a frozen
// picture of it, on which the user drags out a rectangle. An inverting crosshair follows
// the mouse until a button goes down, then an inverting rubber band runs from the press
// point to the mouse; the next release or press ends the modal loop with mrOk. The
// picker reports the press and end points as they were, unordered.
#pragma once

#include <cstdint>

#include "toolkit/TForm.h"
#include "toolkit/TImage.h"

class TfmCopy : public toolkit::TForm {
 public:
  explicit TfmCopy(toolkit::TComponent* owner);

  toolkit::TImage* Image1;

  // Takes the snapshot of the screen and maximises the window.
  void FormCreate(toolkit::TObject* sender);
  void Image1MouseDown(toolkit::TObject* sender, toolkit::TMouseButton button,
                       toolkit::TShiftState shift, std::int32_t x, std::int32_t y);
  void Image1MouseMove(toolkit::TObject* sender, toolkit::TShiftState shift, std::int32_t x,
                       std::int32_t y);
  void Image1MouseUp(toolkit::TObject* sender, toolkit::TMouseButton button,
                     toolkit::TShiftState shift, std::int32_t x, std::int32_t y);

  bool dragging = false;
  bool crosshairOn = false;
  std::int32_t crossX = 0;
  std::int32_t crossY = 0;
  std::int32_t cornerX = 0;
  std::int32_t cornerY = 0;
  std::int32_t startX = 0;
  std::int32_t startY = 0;
  std::int32_t endX = 0;
  std::int32_t endY = 0;

 private:
  // Both figures are drawn with the NOT pen, so drawing one again erases it.
  void DrawCrosshair(std::int32_t x, std::int32_t y);
  void SetUpPen();
  void EndSelection(std::int32_t x, std::int32_t y);
};
