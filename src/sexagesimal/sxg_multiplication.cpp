// The product of two Sxg numbers, correct to the 15th place.
//
// The digit-pair products of weight 15 and above (weight = sum of the two
// places) are summed exactly in integers. Below place 15 only the products of
// weight 16 and one sixtieth of those of weight 17 are looked at, summed in
// 80-bit extended floating point in a fixed order; that sum decides the carry
// into place 15 and so the last digit. The order and the precision of these
// operations are part of the result: keep the expression as written.
#include <cmath>
#include <cstdint>

#include "sexagesimal/sxg_arith.h"

#ifdef __FAST_MATH__
#error "the extended-precision carry of SxgMultiplication must not be compiled with -ffast-math"
#endif

namespace qirn {
namespace {

// Nearest whole number, an exact half to the even neighbour, independent of
// the floating-point rounding mode. x >= 0.
long double RoundHalfEven(long double x) {
  long double f = std::floor(x);
  long double d = x - f;  // exact: f and x are close
  if (d > 0.5L || (d == 0.5L && std::fmod(f, 2.0L) != 0.0L)) f += 1.0L;
  return f;
}

}  // namespace

void SxgMultiplication(Sxg A, Sxg B, Sxg& New) {
  const SxgDigits& a = A.Digits;
  const SxgDigits& b = B.Digits;

  long double F = static_cast<long double>(a[1]) * static_cast<long double>(b[15]);
  for (int i = 2; i <= 15; ++i)
    F = F + static_cast<long double>(a[i]) *
                (static_cast<long double>(b[16 - i]) + static_cast<long double>(b[17 - i]) / 60.0L);
  int32_t C = static_cast<int32_t>(RoundHalfEven(F / 60.0L));

  // Products of weight -8..-5 would need places above -4.
  bool overflow = false;
  for (int p = -8; p <= -5 && !overflow; ++p)
    for (int i = -4; i <= p + 4; ++i)
      if (a[i] != 0 && b[p - i] != 0) {
        overflow = true;
        break;
      }

  Sxg R{};
  for (int p = 15; p >= -4; --p) {
    int32_t S = C;
    int lo = p - 15 > -4 ? p - 15 : -4;
    int hi = p + 4 < 15 ? p + 4 : 15;
    for (int i = lo; i <= hi; ++i) S += static_cast<int32_t>(a[i]) * b[p - i];
    R.Digits[p] = static_cast<int16_t>(S % 60);
    C = S / 60;
  }
  if (overflow || C != 0) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  R.Neg = A.Neg != B.Neg && !IsZero(R);
  New = R;
}

}  // namespace qirn
