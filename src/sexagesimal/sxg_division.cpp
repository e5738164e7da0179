// Long division of Sxg numbers in base 60, exact to the 15th place and
// rounded half up there.
//
// Both operands are shifted so that their first non-zero digits stand in
// place -4; place -4 of the dividend may then hold two places combined
// (up to 3599). Each quotient digit is estimated from the two leading places
// in 80-bit extended floating point (never below the true digit) and then
// corrected downwards against the exact multiple of the divisor.
#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"

#ifdef __FAST_MATH__
#error "the digit estimates of SxgDivision must not be compiled with -ffast-math"
#endif

namespace qirn {
namespace {

int FirstNonZeroPlace(const Sxg& A) {
  int i = -4;
  while (i < 15 && A.Digits[i] == 0) ++i;
  return i;
}

}  // namespace

// For N = 1 the two leading places are combined into place -4; for N >= 2
// the places shifted out above -4 must be 0. N outside 0..19 is rejected
// (no change) rather than reading outside the digits.
void LeftShift(Sxg& S, int16_t N) {
  if (N < 0 || N > 19) return;
  if (N == 1)
    S.Digits[-4] = static_cast<int16_t>(S.Digits[-4] * 60 + S.Digits[-3]);
  else
    S.Digits[-4] = S.Digits[N - 4];
  for (int i = -3; i <= 15 - N; ++i) S.Digits[i] = S.Digits[i + N];
  for (int i = 16 - N; i <= 15; ++i) S.Digits[i] = 0;
}

void SxgDivision(Sxg A, Sxg B, Sxg& New) {
  if (IsZero(B)) {
    New.Digits[-4] = SxgDivZeroMark;
    return;
  }
  if (IsZero(A)) {
    New = Zero;
    return;
  }
  const bool Sign = A.Neg != B.Neg;
  Sxg Aux = Zero;
  Sxg Q = Zero;
  int16_t Shadow = 0;

  const int f = FirstNonZeroPlace(B);
  const int g = FirstNonZeroPlace(A);
  LeftShift(B, static_cast<int16_t>(f + 4));
  LeftShift(A, static_cast<int16_t>(g + 4));
  int P = g - f;

  if (P < -5 || (P == -5 && !Larger(B, A))) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  if (P == -5) {
    LeftShift(A, 1);
    P = -4;
  }
  if (P <= 16) {
    const long double divisor =
        static_cast<long double>(B.Digits[-4]) + static_cast<long double>(B.Digits[-3]) / 60.0L;
    int I = P;
    do {
      const long double lead = static_cast<long double>(A.Digits[-4]) +
                               static_cast<long double>(A.Digits[-3]) / 60.0L + 1.0L / 60.0L;
      int16_t Cand = static_cast<int16_t>(lead / divisor);  // truncated

      int32_t Carry = 0;
      for (int J = 15; J >= -3; --J) {
        Carry = B.Digits[J] * Cand + Carry;
        Aux.Digits[J] = static_cast<int16_t>(Carry % 60);
        Carry /= 60;
      }
      Aux.Digits[-4] = static_cast<int16_t>(Cand * B.Digits[-4] + Carry);

      while (Larger(Aux, A)) {
        --Cand;
        PerformSubtraction(Aux, B, Aux);
      }
      if (I == 16)
        Shadow = Cand;
      else
        Q.Digits[I] = Cand;
      ++I;
      PerformSubtraction(A, Aux, A);
      LeftShift(A, 1);
    } while (!IsZero(A) && I <= 16);
  }

  if (Shadow >= 30) {
    Sxg R;
    SxgRound(Q, 15, R);
    if (R.Digits[-4] != SxgOverflowMark) Q = R;
  }
  Q.Neg = Sign && !IsZero(Q);
  New = Q;
}

}  // namespace qirn
