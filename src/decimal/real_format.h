// The display text of a decimal (80-bit extended) value, and the decimal
// rounding of the rounding command.
#pragma once
#include <cstdint>

#include "sexagesimal/string55.h"

namespace qirn {

// 17 decimals rounded half up on the exact binary value, the point as the
// 31st character, trailing zeros removed, never "-0.".
String55 RealToStr(long double X);
// X rounded half away from zero to N decimals, in extended arithmetic.
long double RoundReal(long double X, int16_t N);

}  // namespace qirn
