#include "toolkit/SysUtils.h"

#include <limits>

#include "toolkit/Exception.h"

namespace toolkit {

namespace {

[[noreturn]] void ThrowNotAnInteger(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of text within [min, max]; the magnitude is gathered unsigned so that the
// most negative value of the range converts too.
std::int64_t ParseInteger(const std::string& text, std::int64_t min, std::int64_t max) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const bool hex = i < text.size() && text[i] == '$';
  if (hex) ++i;
  if (i == text.size()) ThrowNotAnInteger(text);

  const std::uint64_t limit = negative ? std::uint64_t(0) - static_cast<std::uint64_t>(min)
                                       : static_cast<std::uint64_t>(max);
  const unsigned base = hex ? 16 : 10;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], hex);
    if (digit < 0) ThrowNotAnInteger(text);
    if (magnitude > (limit - static_cast<unsigned>(digit)) / base) ThrowNotAnInteger(text);
    magnitude = magnitude * base + static_cast<unsigned>(digit);
  }
  // Two's complement: 0 - magnitude is the negative value, also for the range's minimum.
  return negative ? static_cast<std::int64_t>(std::uint64_t(0) - magnitude)
                  : static_cast<std::int64_t>(magnitude);
}

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::int32_t StrToInt(const std::string& text) {
  return static_cast<std::int32_t>(ParseInteger(text, std::numeric_limits<std::int32_t>::min(),
                                                std::numeric_limits<std::int32_t>::max()));
}

std::int64_t StrToInt64(const std::string& text) {
  return ParseInteger(text, std::numeric_limits<std::int64_t>::min(),
                      std::numeric_limits<std::int64_t>::max());
}

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string IntToStr(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace toolkit
