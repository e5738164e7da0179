// Addition and subtraction of Sxg numbers, and the operations with a small
// whole number K that the series and the base-circle radius need.
#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"

namespace qirn {

void PerformAddition(Sxg A, Sxg B, Sxg& New) {
  New = Zero;
  int c = 0;
  for (int i = 15; i >= -4; --i) {
    int d = A.Digits[i] + B.Digits[i] + c;
    c = d >= 60 ? 1 : 0;
    New.Digits[i] = static_cast<int16_t>(d - 60 * c);
  }
  if (c == 1) New.Digits[-4] = SxgOverflowMark;
}

// Place -4 of A may hold any non-negative value (division's aligned
// remainders); it is subtracted like the other places. A final borrow is
// dropped: callers guarantee |A| >= |B|.
void PerformSubtraction(Sxg A, Sxg B, Sxg& New) {
  New = Zero;
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

// K >= 0 is added to the integer places of the magnitude; the fraction and
// the sign stay.
void AddSxgInteger(Sxg A, int16_t K, Sxg& New) {
  int32_t k = K;
  for (int i = 0; i >= -4; --i) {
    k += A.Digits[i];
    A.Digits[i] = static_cast<int16_t>(k % 60);
    k /= 60;
  }
  if (k > 0) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  New = A;
}

// Exact. A negative K multiplies by |K| and flips the sign.
void MultiplySxgInteger(Sxg A, int16_t K, Sxg& New) {
  if (K == 0 || IsZero(A)) {
    New = Zero;
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

// Long division; the last place is rounded to nearest, a half to even, and
// carried upwards when it reaches 60. Callers pass K > 0; a negative K divides
// by |K| and flips the sign, and K = 0 gives the division-by-zero mark rather
// than a trap.
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

}  // namespace qirn
