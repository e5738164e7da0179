// The step of the sine and cosine series in one pass, for the series in
// sxg_trig.cpp: the term times the square, then divided by the series
// divisor, without writing the product's places in between.
#pragma once
#include <cstdint>

#include "sexagesimal/sxg.h"

namespace qirn {

// New = A * B as SxgMultiplication gives it, then divided by K as
// DivideSxgInteger gives it (digits and sign), and Magnitude = |New| in
// units of place 15. New may be A or B. Only for K > 0, operands in normal
// form and not zero, and a product below 1; it is always taken for two
// operands below 1, as in the series, whose arguments are below 1. When not
// taken it gives false, with New and Magnitude untouched, and the caller
// takes the two routines.
bool MultiplyDivide(const Sxg& A, const Sxg& B, int16_t K, Sxg& New, unsigned __int128& Magnitude);

}  // namespace qirn
