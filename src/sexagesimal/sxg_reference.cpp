// The straightforward digit-by-digit routines (see sxg_reference.h).
#include "sexagesimal/sxg_reference.h"

#include <cmath>

namespace qirn {
// Only these two of the public routines: the others have names of their own
// here.
void LeftShift(Sxg& S, int16_t N);
void SxgRound(Sxg A, int16_t N, Sxg& New);
}  // namespace qirn

#ifdef __FAST_MATH__
#error "the extended-precision carry of SxgMultiplication must not be compiled with -ffast-math"
#endif

namespace qirn::reference {
namespace {

// Nearest whole number, an exact half to the even neighbour, independent of
// the floating-point rounding mode. x >= 0.
long double RoundHalfEven(long double x) {
  long double f = std::floor(x);
  long double d = x - f;  // exact: f and x are close
  if (d > 0.5L || (d == 0.5L && std::fmod(f, 2.0L) != 0.0L)) f += 1.0L;
  return f;
}

int FirstNonZeroPlace(const Sxg& A) {
  int i = -4;
  while (i < 15 && A.Digits[i] == 0) ++i;
  return i;
}

}  // namespace

bool Larger(const Sxg& A, const Sxg& B) {
  int i = -4;
  while (i < 15 && A.Digits[i] == B.Digits[i]) ++i;
  return A.Digits[i] > B.Digits[i];
}

bool IsZero(const Sxg& A) {
  for (int i = -4; i <= 15; ++i)
    if (A.Digits[i] != 0) return false;
  return true;
}

void PerformAddition(Sxg A, Sxg B, Sxg& New) {
  New = Sxg{};
  int c = 0;
  for (int i = 15; i >= -4; --i) {
    int d = A.Digits[i] + B.Digits[i] + c;
    c = d >= 60 ? 1 : 0;
    New.Digits[i] = static_cast<int16_t>(d - 60 * c);
  }
  if (c == 1) New.Digits[-4] = SxgOverflowMark;
}

void PerformSubtraction(Sxg A, Sxg B, Sxg& New) {
  New = Sxg{};
  int c = 0;
  for (int i = 15; i >= -4; --i) {
    int d = A.Digits[i] - B.Digits[i] - c;
    c = d < 0 ? 1 : 0;
    New.Digits[i] = static_cast<int16_t>(d + 60 * c);
  }
}

void SxgAddition(Sxg A, Sxg B, Sxg& New) {
  if (A.Neg == B.Neg) {
    PerformAddition(A, B, New);
    New.Neg = A.Neg;
  } else if (Larger(A, B)) {
    PerformSubtraction(A, B, New);
    New.Neg = A.Neg;
  } else {
    PerformSubtraction(B, A, New);
    New.Neg = B.Neg;
  }
  if (IsZero(New)) New.Neg = false;
}

void SxgSubtraction(Sxg A, Sxg B, Sxg& New) {
  if (A.Neg != B.Neg) {
    PerformAddition(A, B, New);
    New.Neg = A.Neg;
  } else if (Larger(A, B)) {
    PerformSubtraction(A, B, New);
    New.Neg = A.Neg;
  } else {
    PerformSubtraction(B, A, New);
    New.Neg = !A.Neg;
  }
  if (IsZero(New)) New.Neg = false;
}

void DivideSxgInteger(Sxg A, int16_t K, Sxg& New) {
  int32_t k = K;
  bool neg = A.Neg;
  if (k == 0) {
    New.Digits[-4] = SxgDivZeroMark;
    return;
  }
  if (k < 0) {
    k = -k;
    neg = !neg;
  }
  int32_t lead = A.Digits[-4];
  for (int i = -4; i <= 14; ++i) {
    New.Digits[i] = static_cast<int16_t>(lead / k);
    lead = (lead % k) * 60 + A.Digits[i + 1];
  }
  int32_t q = lead / k, r = lead % k;
  if (2 * r > k || (2 * r == k && q % 2 == 1)) ++q;
  New.Digits[15] = static_cast<int16_t>(q);
  for (int i = 15; i > -4 && New.Digits[i] >= 60; --i) {
    New.Digits[i] -= 60;
    New.Digits[i - 1] += 1;
  }
  New.Neg = IsZero(New) ? false : neg;
}

void MultiplySxgInteger(Sxg A, int16_t K, Sxg& New) {
  if (K == 0 || IsZero(A)) {
    New = Sxg{};
    return;
  }
  int32_t k = K;
  bool neg = A.Neg;
  if (k < 0) {
    k = -k;
    neg = !neg;
  }
  int32_t carry = 0;
  for (int i = 15; i >= -4; --i) {
    carry += A.Digits[i] * k;
    New.Digits[i] = static_cast<int16_t>(carry % 60);
    carry /= 60;
  }
  if (carry > 0) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  New.Neg = neg;
}

int32_t MultiplicationCarry(const Sxg& A, const Sxg& B) {
  const SxgDigits& a = A.Digits;
  const SxgDigits& b = B.Digits;
  long double F = static_cast<long double>(a[1]) * static_cast<long double>(b[15]);
  for (int i = 2; i <= 15; ++i)
    F = F + static_cast<long double>(a[i]) *
                (static_cast<long double>(b[16 - i]) + static_cast<long double>(b[17 - i]) / 60.0L);
  return static_cast<int32_t>(RoundHalfEven(F / 60.0L));
}

void SxgMultiplication(Sxg A, Sxg B, Sxg& New) {
  const SxgDigits& a = A.Digits;
  const SxgDigits& b = B.Digits;
  int32_t C = MultiplicationCarry(A, B);

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

// Each quotient digit is estimated from the two leading places in 80-bit
// extended arithmetic (never below the true digit) and corrected downwards.
void SxgDivision(Sxg A, Sxg B, Sxg& New) {
  if (reference::IsZero(B)) {
    New.Digits[-4] = SxgDivZeroMark;
    return;
  }
  if (reference::IsZero(A)) {
    New = Sxg{};
    return;
  }
  const bool Sign = A.Neg != B.Neg;
  Sxg Aux{};
  Sxg Q{};
  int16_t Shadow = 0;

  const int f = FirstNonZeroPlace(B);
  const int g = FirstNonZeroPlace(A);
  LeftShift(B, static_cast<int16_t>(f + 4));
  LeftShift(A, static_cast<int16_t>(g + 4));
  int P = g - f;

  if (P < -5 || (P == -5 && !reference::Larger(B, A))) {
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

      while (reference::Larger(Aux, A)) {
        --Cand;
        reference::PerformSubtraction(Aux, B, Aux);
      }
      if (I == 16)
        Shadow = Cand;
      else
        Q.Digits[I] = Cand;
      ++I;
      reference::PerformSubtraction(A, Aux, A);
      LeftShift(A, 1);
    } while (!reference::IsZero(A) && I <= 16);
  }

  if (Shadow >= 30) {
    Sxg R;
    SxgRound(Q, 15, R);
    if (R.Digits[-4] != SxgOverflowMark) Q = R;
  }
  Q.Neg = Sign && !reference::IsZero(Q);
  New = Q;
}

// Square root by the long-hand digit method (see sxg_sqrt.cpp).
namespace {

// Digit arrays indexed by place: Aux covers places -26..0, LongAux -26..19.
struct RootAux {
  int16_t v[27];
  int16_t& operator[](int i) { return v[i + 26]; }
  int16_t operator[](int i) const { return v[i + 26]; }
};
struct RootLongAux {
  int16_t v[46];
  int16_t& operator[](int i) { return v[i + 26]; }
  int16_t operator[](int i) const { return v[i + 26]; }
};

// A[0] += N, carried upwards while a place holds 60 or more.
void AddDigit(RootAux& A, int16_t N) {
  A[0] = static_cast<int16_t>(A[0] + N);
  for (int i = 0; i > -26 && A[i] >= 60; --i) {
    A[i - 1] = static_cast<int16_t>(A[i - 1] + A[i] / 60);
    A[i] = static_cast<int16_t>(A[i] % 60);
  }
}

// A > B over places -26..0 only (the remainder part of B).
bool Exceeds(const RootAux& A, const RootLongAux& B) {
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
    New = Sxg{};
    return;
  }
  if (K % 2 != 0) ++K;

  RootLongAux X{};
  for (int i = -4; i <= 15; ++i) X[i - K] = A.Digits[i];
  RootAux Y{}, Z{};
  Sxg R{};
  int Index = K / 2;

  // The largest digit whose square does not exceed the leading pair.
  const int pair = X[-1] * 60 + X[0];
  int16_t NewDigit = 0;
  while ((NewDigit + 1) * (NewDigit + 1) <= pair) ++NewDigit;

  long double Quotient = 0.0L;
  for (;;) {
    AddDigit(Y, NewDigit);
    for (bool Stop = false; !Stop;) {
      int Carry = 0;
      for (int i = 0; i >= -26; --i) {
        int z = Y[i] * NewDigit + Carry;
        Carry = z / 60;
        Z[i] = static_cast<int16_t>(z % 60);
      }
      if (Exceeds(Z, X)) {
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
    AddDigit(Y, NewDigit);
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

}  // namespace qirn::reference
