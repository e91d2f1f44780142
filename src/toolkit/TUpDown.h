// An up-down spinner attached to an edit: an arrow click (or Up/Down typed in the edit)
// reads the edit's number, steps it by Increment, keeps it inside Min..Max (no wrap) and
// writes it back, with thousands separators while Thousands is set.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/TWinControl.h"

namespace toolkit {

class TEdit;

class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* owner);
  ~TUpDown() override;
  TControlClass ControlClass() const override { return TControlClass::kUpDown; }

  // Attaches the spinner to the right edge of edit (the edit gives up the spinner's
  // width, the spinner takes the edit's parent, top and height) and writes Position
  // into the edit. Null detaches it.
  TEdit* Associate() const { return associate_; }
  void SetAssociate(TEdit* edit);

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetMin(int min);
  void SetMax(int max);
  int Increment() const { return increment_; }
  void SetIncrement(int increment) { Assign(increment_, increment, TChange::kRange); }
  // Kept inside the range; setting it writes it into the edit.
  int Position() const { return position_; }
  void SetPosition(int position);
  // Thousands separators in the written number (on by default): 1000 -> "1,000".
  bool Thousands() const { return thousands_; }
  void SetThousands(bool thousands) { Assign(thousands_, thousands, TChange::kStyle); }

  // ---- User entry points ------------------------------------------------------------
  bool UserClickUp();
  bool UserClickDown();

 private:
  friend class TEdit;

  // One step up (+1) or down (-1) from the edit's number; text that is not a number
  // (after removing thousands separators; leading blanks and a sign are fine, empty
  // text is 0) steps from Position.
  void Step(int direction);
  void WritePosition();
  std::string FormatPosition() const;
  bool UserStep(int direction);

  TEdit* associate_ = nullptr;
  int min_ = 0;
  int max_ = 100;
  int increment_ = 1;
  int position_ = 0;
  bool thousands_ = true;
};

}  // namespace toolkit
