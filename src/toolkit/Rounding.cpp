#include "toolkit/Rounding.h"

#include <cmath>

#include "toolkit/Exception.h"

namespace toolkit {

namespace {

std::int64_t ToInt64(long double whole) {
  // 2^63 is exact in every floating type; the valid range is [-2^63, 2^63).
  constexpr long double kLimit = 9223372036854775808.0L;
  if (!(whole >= -kLimit && whole < kLimit)) throw EInvalidOp("invalid floating point operation");
  return static_cast<std::int64_t>(whole);
}

}  // namespace

std::int64_t Round(long double value) {
  if (std::isnan(value)) throw EInvalidOp("invalid floating point operation");
  // Independent of the FPU's rounding mode: the fraction of a binary floating value is
  // exact, so the comparison with one half is too.
  long double whole = std::floor(value);
  const long double fraction = value - whole;
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  return ToInt64(whole);
}

std::int64_t Trunc(long double value) {
  if (std::isnan(value)) throw EInvalidOp("invalid floating point operation");
  return ToInt64(std::trunc(value));
}

}  // namespace toolkit
