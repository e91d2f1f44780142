// Rounding and truncation of floating-point values to integers.
#pragma once

#include <cstdint>

namespace toolkit {

// The nearest integer; an exact half goes to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Works on long double (a 64-bit significand on x86), so values computed in
// extended precision are rounded without a detour through double. Raises EInvalidOp for
// NaN, infinities and results outside the 64-bit range.
std::int64_t Round(long double value);
// The integer part (toward zero); raises EInvalidOp as Round does.
std::int64_t Trunc(long double value);

}  // namespace toolkit
