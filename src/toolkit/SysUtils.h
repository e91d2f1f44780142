// The run-time library's text and number conversions that the program uses.
#pragma once

#include <cstdint>
#include <string>

namespace toolkit {

// The whole text as an integer: optional leading blanks, an optional sign, then decimal
// digits or "$" and hexadecimal digits. Anything else (the empty text, trailing blanks,
// a value outside the type's range) raises EConvertError.
std::int32_t StrToInt(const std::string& text);
std::int64_t StrToInt64(const std::string& text);

// The text without leading and trailing blanks and control characters.
std::string Trim(const std::string& text);

std::string IntToStr(std::int64_t value);

}  // namespace toolkit
