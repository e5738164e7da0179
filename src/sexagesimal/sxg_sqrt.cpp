// Square root of an Sxg number by the long-hand digit method in base 60.
//
// The radicand is brought down two places at a time; Y holds twice the root
// found so far with the digit on trial in its last place, and each digit is
// estimated from the leading places of remainder and Y in 80-bit extended
// floating point (never below the true digit), then corrected downwards. The
// digits are exact; whether place 15 is rounded up is decided on the
// uncorrected estimate of the digit of place 16.
#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"

#ifdef __FAST_MATH__
#error "the digit estimates of ComputeSqrt must not be compiled with -ffast-math"
#endif

namespace qirn {
namespace {

// Digit arrays indexed by place: Aux covers places -26..0, LongAux -26..19.
struct Aux {
  int16_t v[27];
  int16_t& operator[](int i) { return v[i + 26]; }
  int16_t operator[](int i) const { return v[i + 26]; }
};
struct LongAux {
  int16_t v[46];
  int16_t& operator[](int i) { return v[i + 26]; }
  int16_t operator[](int i) const { return v[i + 26]; }
};

// A[0] += N, carried upwards while a place holds 60 or more.
void Add(Aux& A, int16_t N) {
  A[0] = static_cast<int16_t>(A[0] + N);
  for (int i = 0; i > -26 && A[i] >= 60; --i) {
    A[i - 1] = static_cast<int16_t>(A[i - 1] + A[i] / 60);
    A[i] = static_cast<int16_t>(A[i] % 60);
  }
}

// A > B over places -26..0 only (the remainder part of B).
bool Larger(const Aux& A, const LongAux& B) {
  for (int i = -26; i <= 0; ++i)
    if (A[i] != B[i]) return A[i] > B[i];
  return false;
}

}  // namespace

// The root of |A|; always positive and never overflowing. Callers pass a
// non-zero A; a zero A gives Zero rather than an undefined result.
void ComputeSqrt(Sxg A, Sxg& New) {
  int K = -4;
  while (K < 15 && A.Digits[K] == 0) ++K;
  if (A.Digits[K] == 0) {
    New = Zero;
    return;
  }
  if (K % 2 != 0) ++K;

  LongAux X{};
  for (int i = -4; i <= 15; ++i) X[i - K] = A.Digits[i];
  Aux Y{}, Z{};
  Sxg R = Zero;
  int Index = K / 2;

  // The largest digit whose square does not exceed the leading pair.
  const int pair = X[-1] * 60 + X[0];
  int16_t NewDigit = 0;
  while ((NewDigit + 1) * (NewDigit + 1) <= pair) ++NewDigit;

  long double Quotient = 0.0L;
  for (;;) {
    Add(Y, NewDigit);
    for (bool Stop = false; !Stop;) {
      int Carry = 0;
      for (int i = 0; i >= -26; --i) {
        int z = Y[i] * NewDigit + Carry;
        Carry = z / 60;
        Z[i] = static_cast<int16_t>(z % 60);
      }
      if (Larger(Z, X)) {
        --NewDigit;
        Y[0] = static_cast<int16_t>(Y[0] - 1);
      } else {
        Stop = true;
      }
    }
    int borrow = 0;
    for (int i = 0; i >= -26; --i) {
      int d = X[i] - Z[i] - borrow;
      borrow = d < 0 ? 1 : 0;
      X[i] = static_cast<int16_t>(d + 60 * borrow);
    }
    R.Digits[Index] = NewDigit;
    Add(Y, NewDigit);
    for (int i = -26; i <= -1; ++i) Y[i] = Y[i + 1];
    Y[0] = 0;
    for (int i = -26; i <= 17; ++i) X[i] = X[i + 2];
    X[18] = 0;
    X[19] = 0;
    ++Index;

    int I = -26;
    while (I < 0 && X[I] == 0) ++I;
    int J = -26;
    while (J < 0 && Y[J] == 0) ++J;
    Quotient = (static_cast<long double>(X[I]) * 60.0L + static_cast<long double>(X[I + 1]) + 1.0L) /
               (static_cast<long double>(Y[J]) * 60.0L + static_cast<long double>(Y[J + 1]));
    if (J > I)
      for (int n = 0; n < J - I; ++n) Quotient = Quotient * 60.0L;
    else
      for (int n = 0; n < I - J; ++n) Quotient = Quotient / 60.0L;
    NewDigit = Quotient >= 59.0L ? int16_t{59} : static_cast<int16_t>(Quotient);
    if (Index > 15) break;
  }
  if (Quotient >= 30.0L) SxgRound(R, 15, R);
  New = R;
}

}  // namespace qirn
