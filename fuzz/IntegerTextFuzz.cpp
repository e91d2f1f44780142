// The integer conversions the settings panel applies to every numeric field: StrToInt,
// StrToInt64 and Trim. Each is held against the standard library's own digit reader: the
// same value, or the conversion error exactly where that reader finds no number in range.
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

namespace {

// The conversion's rule, read with std::from_chars: leading blanks, an optional sign, an
// optional "$" for hexadecimal, then nothing but digits up to the end of the text.
std::optional<std::int64_t> Expected(const std::string& text, std::int64_t min, std::int64_t max) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  // from_chars takes no sign of its own here: the sign was read above.
  if (text[i] == '+' || text[i] == '-') return std::nullopt;
  std::uint64_t magnitude = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data() + i, end, magnitude, base);
  if (error != std::errc() || stop != end) return std::nullopt;
  const std::uint64_t limit = negative ? std::uint64_t(0) - static_cast<std::uint64_t>(min)
                                       : static_cast<std::uint64_t>(max);
  if (magnitude > limit) return std::nullopt;
  return negative ? static_cast<std::int64_t>(std::uint64_t(0) - magnitude)
                  : static_cast<std::int64_t>(magnitude);
}

template <typename Convert>
std::optional<std::int64_t> Converted(Convert convert, const std::string& text) {
  try {
    return convert(text);
  } catch (const toolkit::EConvertError&) {
    return std::nullopt;
  }
}

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  using Limits32 = std::numeric_limits<std::int32_t>;
  using Limits64 = std::numeric_limits<std::int64_t>;

  if (Converted(toolkit::StrToInt, text) != Expected(text, Limits32::min(), Limits32::max())) {
    __builtin_trap();
  }
  const auto wide = Converted(toolkit::StrToInt64, text);
  if (wide != Expected(text, Limits64::min(), Limits64::max())) __builtin_trap();
  if (wide && toolkit::StrToInt64(toolkit::IntToStr(*wide)) != *wide) __builtin_trap();

  // Trim takes blanks and control characters off both ends and nothing else.
  const std::string trimmed = toolkit::Trim(text);
  if (!trimmed.empty() && (IsBlankOrControl(trimmed.front()) || IsBlankOrControl(trimmed.back()))) {
    __builtin_trap();
  }
  const std::size_t first = text.find(trimmed);
  if (first == std::string::npos) __builtin_trap();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool inside = i >= first && i < first + trimmed.size();
    if (!inside && !IsBlankOrControl(text[i])) __builtin_trap();
  }
  if (toolkit::Trim(trimmed) != trimmed) __builtin_trap();
  return 0;
}
