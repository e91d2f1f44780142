// Date and time values and the time-of-day functions of the run-time library.
//
// A TDateTime counts days since 30 December 1899: the integer part is the date, the
// fraction the time of day (0.5 is noon). The current time comes from the backend: the
// system's local time, or in the headless build the simulated clock plus a settable base.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace toolkit {

using TDateTime = double;

constexpr std::int64_t kMSecsPerDay = 86400000;

struct TTimeOfDay {
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;
  int msec = 0;
};

// The current local date and time, the date alone (time 0) and the time of day alone.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// Raise EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
// The time of day of value, to the nearest millisecond.
TTimeOfDay DecodeTime(TDateTime value);

// The user's time separator (":" unless the locale says otherwise).
char TimeSeparator();

// Formats value. Specifiers, in either case: h hh (hour, 24-hour clock), n nn (minute),
// m mm (minute right after an hour specifier, else month), s ss (second), z zzz
// (millisecond), d dd (day), yy yyyy (year); ":" writes the user's time separator; text
// in '...' or "..." is copied as it is; any other character stands for itself.
// FormatDateTime("hh:mm:ss", t) is the time of day in the user's notation.
std::string FormatDateTime(std::string_view format, TDateTime value);

// Reads a time of day written with the user's time separator: hours and minutes, with
// optional seconds and optional ".milliseconds", and an optional "AM" or "PM"; blanks
// around the text are ignored. Returns the fraction of a day; anything else raises
// EConvertError.
TDateTime StrToTime(std::string_view text);

}  // namespace toolkit
