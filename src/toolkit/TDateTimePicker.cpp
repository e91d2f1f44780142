#include "toolkit/TDateTimePicker.h"

#include <cmath>

#include "toolkit/TApplication.h"

namespace toolkit {

TDateTime TDateTimePicker::Date() const {
  return std::floor(dateTime_);
}

TDateTime TDateTimePicker::Time() const {
  return dateTime_ - Date();
}

bool TDateTimePicker::UserSetDateTime(TDateTime value) {
  if (!AcceptsInput()) return false;
  Application.Guarded(this, [this, value] {
    const TDateTime day = std::floor(value);
    const TDateTime next = kind_ == dtkTime ? Date() + (value - day) : day + Time();
    if (next == dateTime_) return;
    SetDateTime(next);
    Fire(OnChange, this);
  });
  return true;
}

}  // namespace toolkit
