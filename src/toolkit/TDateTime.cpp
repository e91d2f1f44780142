#include "toolkit/TDateTime.h"

#include <cctype>
#include <cmath>

#include "toolkit/Backend.h"
#include "toolkit/Exception.h"

namespace toolkit {

namespace {

// Days from 1899-12-30, the zero of TDateTime, to 1970-01-01.
constexpr std::int64_t kUnixEpochDay = 25569;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct TCivilDate {
  std::int64_t year;
  int month;
  int day;
};

TCivilDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2), month, day};
}

// The date (days since the TDateTime zero) and the milliseconds into that day, rounded to
// the nearest millisecond; a time that rounds up to midnight belongs to the next day.
struct TStamp {
  std::int64_t day;
  std::int64_t msec;
};

TStamp ToStamp(TDateTime value) {
  if (!std::isfinite(value)) throw EConvertError("invalid date and time value");
  const double day = std::trunc(value);
  std::int64_t msec = std::llround(std::fabs(value - day) * kMSecsPerDay);
  auto whole = static_cast<std::int64_t>(day);
  if (msec >= kMSecsPerDay) {
    msec -= kMSecsPerDay;
    whole += value < 0 ? -1 : 1;
  }
  return {whole, msec};
}

std::string Padded(std::int64_t number, int digits) {
  std::string text = std::to_string(number);
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

TDateTime Now() {
  return backend::Now();
}

TDateTime Date() {
  return std::floor(Now());
}

TDateTime Time() {
  const TDateTime now = Now();
  return now - std::floor(now);
}

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    throw EConvertError("invalid date");
  }
  return static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochDay);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
      msec > 999) {
    throw EConvertError("invalid time");
  }
  const std::int64_t total = ((hour * 60LL + minute) * 60 + second) * 1000 + msec;
  return static_cast<TDateTime>(total) / kMSecsPerDay;
}

TTimeOfDay DecodeTime(TDateTime value) {
  const std::int64_t msec = ToStamp(value).msec;
  return {static_cast<int>(msec / 3600000), static_cast<int>(msec / 60000 % 60),
          static_cast<int>(msec / 1000 % 60), static_cast<int>(msec % 1000)};
}

char TimeSeparator() {
  return backend::TimeSeparator();
}

std::string FormatDateTime(std::string_view format, TDateTime value) {
  const TStamp stamp = ToStamp(value);
  const TTimeOfDay time = DecodeTime(value);
  const TCivilDate date = CivilFromDays(stamp.day - kUnixEpochDay);
  std::string out;
  bool afterHour = false;  // "mm" right after "hh" is the minute
  for (std::size_t i = 0; i < format.size();) {
    const char c = Lower(format[i]);
    if (c == '\'' || c == '"') {
      const std::size_t close = format.find(format[i], i + 1);
      const std::size_t end = close == std::string_view::npos ? format.size() : close;
      out.append(format.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < format.size() && Lower(format[i + run]) == c) ++run;
    const int width = run >= 2 ? 2 : 1;
    switch (c) {
      case 'h':
        out += Padded(time.hour, width);
        afterHour = true;
        break;
      case 'n':
        out += Padded(time.minute, width);
        afterHour = false;
        break;
      case 'm':
        out += Padded(afterHour ? time.minute : date.month, width);
        afterHour = false;
        break;
      case 's':
        out += Padded(time.second, width);
        afterHour = false;
        break;
      case 'z':
        out += Padded(time.msec, run >= 3 ? 3 : 1);
        afterHour = false;
        break;
      case 'd':
        out += Padded(date.day, width);
        afterHour = false;
        break;
      case 'y':
        out += run >= 3 ? Padded(date.year, 4) : Padded(date.year % 100, 2);
        afterHour = false;
        break;
      case ':':
        out.append(run, TimeSeparator());
        break;
      default:
        out.append(format.substr(i, run));
        break;
    }
    i += run;
  }
  return out;
}

TDateTime StrToTime(std::string_view text) {
  const auto fail = [&]() -> EConvertError {
    std::string message = "'";
    message.append(text).append("' is not a valid time");
    return EConvertError(message);
  };
  std::string_view rest = text;
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);

  // An "AM" or "PM" at the end, possibly after blanks, makes a 12-hour clock time.
  int halfDay = -1;  // -1: 24-hour clock; 0: AM; 1: PM
  if (rest.size() >= 2) {
    const char a = Lower(rest[rest.size() - 2]);
    if ((a == 'a' || a == 'p') && Lower(rest.back()) == 'm') {
      halfDay = a == 'p' ? 1 : 0;
      rest.remove_suffix(2);
      while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
    }
  }

  const auto number = [&](int maxDigits) {
    std::size_t digits = 0;
    int value = 0;
    while (digits < rest.size() && IsDigit(rest[digits])) {
      if (static_cast<int>(digits) == maxDigits) throw fail();
      value = value * 10 + (rest[digits] - '0');
      ++digits;
    }
    if (digits == 0) throw fail();
    rest.remove_prefix(digits);
    return std::pair{value, static_cast<int>(digits)};
  };
  const auto separator = [&] {
    if (!rest.empty() && rest.front() == TimeSeparator()) {
      rest.remove_prefix(1);
      return true;
    }
    return false;
  };

  int hour = number(2).first;
  if (!separator()) throw fail();
  const int minute = number(2).first;
  int second = 0;
  int msec = 0;
  if (separator()) {
    second = number(2).first;
    if (!rest.empty() && rest.front() == '.') {
      rest.remove_prefix(1);
      const auto [fraction, digits] = number(3);
      msec = fraction * (digits == 1 ? 100 : digits == 2 ? 10 : 1);
    }
  }
  if (!rest.empty()) throw fail();
  if (halfDay >= 0) {
    if (hour < 1 || hour > 12) throw fail();
    hour = hour % 12 + 12 * halfDay;
  }
  if (hour > 23 || minute > 59 || second > 59) throw fail();
  return EncodeTime(hour, minute, second, msec);
}

}  // namespace toolkit
