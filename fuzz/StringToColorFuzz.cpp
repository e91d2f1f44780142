// Colour text and integers from outside: either a value that writes back to the same
// value, or the conversion error, nothing else.
#include <cstdint>
#include <string>

#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TColor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const toolkit::TColor color = toolkit::StringToColor(text);
    if (toolkit::StringToColor(toolkit::ColorToString(color)) != color) __builtin_trap();
  } catch (const toolkit::EConvertError&) {
  }
  try {
    const std::int32_t value = toolkit::StrToInt(text);
    if (toolkit::StrToInt64(text) != value) __builtin_trap();
    if (toolkit::StrToInt(toolkit::IntToStr(value)) != value) __builtin_trap();
  } catch (const toolkit::EConvertError&) {
  }
  return 0;
}
