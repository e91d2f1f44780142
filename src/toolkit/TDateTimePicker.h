// A date or time-of-day picker.
#pragma once

#include <cstdint>

#include "toolkit/TDateTime.h"
#include "toolkit/TWinControl.h"

namespace toolkit {

enum TDateTimeKind : std::uint8_t { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 186, 21);
    SetColor(clWindow);
  }
  TControlClass ControlClass() const override { return TControlClass::kDateTimePicker; }

  // What the picker shows and edits: the date (default) or the time of day.
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind kind) { Assign(kind_, kind, TChange::kStyle); }

  // The whole value; Time() is its time of day alone, Date() its date alone.
  TDateTime DateTime() const { return dateTime_; }
  void SetDateTime(TDateTime value) { Assign(dateTime_, value, TChange::kDateTime); }
  TDateTime Date() const;
  TDateTime Time() const;

  // Runs when the user changes the value; never for a change made by code.
  TNotifyEvent OnChange;

  // The user edits the value: a time-of-day picker takes value's time of day and keeps
  // its date, a date picker takes value's date and keeps its time.
  bool UserSetDateTime(TDateTime value);

 private:
  TDateTimeKind kind_ = dtkDate;
  TDateTime dateTime_ = 0;
};

}  // namespace toolkit
