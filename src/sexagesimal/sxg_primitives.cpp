// Comparisons, fraction, truncation and rounding at a place, and the clean-up
// of values converted from decimal.
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_lanes.h"
#include "sexagesimal/sxg_reference.h"

namespace qirn {
namespace {

void ClearNegativeZero(Sxg& A) {
  if (IsZero(A)) A.Neg = false;
}

}  // namespace

// Digit-wise from the most significant place: a magnitude comparison for
// normalised values, and still one when place -4 holds a combined value of
// two places (division's aligned copies).
bool Larger(const Sxg& A, const Sxg& B) {
#ifdef QIRN_SXG_LANES
  const lanes::Places a = lanes::Load(A), b = lanes::Load(B);
  const uint64_t diff = ~lanes::PlaceBits(_mm_cmpeq_epi16(a.lo, b.lo), _mm_cmpeq_epi16(a.mid, b.mid),
                                          _mm_cmpeq_epi16(a.hi, b.hi)) &
                        ((uint64_t{1} << 40) - 1);
  if (diff == 0) return false;
  const int i = __builtin_ctzll(diff) / 2 - 4;
  return A.Digits[i] > B.Digits[i];
#else
  return reference::Larger(A, B);
#endif
}

bool IsEqual(const Sxg& A, const Sxg& B) {
  for (int i = -4; i <= 15; ++i)
    if (A.Digits[i] != B.Digits[i]) return false;
  return true;
}

// Place by place, from the most significant: results are usually read
// right after they were written place by place, when a wide read would wait
// for those writes.
bool IsZero(const Sxg& A) {
  for (int i = -4; i <= 15; ++i)
    if (A.Digits[i] != 0) return false;
  return true;
}

void SxgFrac(Sxg A, int16_t N, Sxg& New) {
  for (int i = -4; i <= N && i <= 15; ++i) A.Digits[i] = 0;
  ClearNegativeZero(A);
  New = A;
}

void SxgTrunc(Sxg A, int16_t N, Sxg& New) {
  for (int i = N < -4 ? -4 : N + 1; i <= 15; ++i) A.Digits[i] = 0;
  ClearNegativeZero(A);
  New = A;
}

// Half up in magnitude. At place 15 there is nothing further to look at, so
// the last place is always raised: callers use N = 15 to mean "round up".
// A carry out of place -4 leaves the overflow mark and the other places as
// they were after the carry (the display shows such a value as it is).
void SxgRound(Sxg A, int16_t N, Sxg& New) {
  if (N > 15) {  // below the resolution: nothing to round
    New = A;
    return;
  }
  if (N < -4) {  // coarser than the largest place: 0, or a carry out
    bool up = N == -5 && A.Digits[-4] >= 30;
    SxgTrunc(A, -5, New);
    if (up) New.Digits[-4] = SxgOverflowMark;
    return;
  }
  if (N == 15 || A.Digits[N + 1] >= 30) {
    A.Digits[N] += 1;
    for (int i = N; i >= -3 && A.Digits[i] >= 60; --i) {
      A.Digits[i] -= 60;
      A.Digits[i - 1] += 1;
    }
    if (A.Digits[-4] >= 60) {
      A.Digits[-4] = SxgOverflowMark;
      New = A;
      return;
    }
  }
  for (int i = N + 1; i <= 15; ++i) A.Digits[i] = 0;
  ClearNegativeZero(A);
  New = A;
}

// A value converted from decimal ends either in a run of zeros followed by a
// few stray digits, or in a long run of 59s. The first is cut off, the
// second rounded up; anything shorter than four zeros or four 59s is kept.
void CleanSxg(Sxg& A) {
  int i = 15;
  while (i > 10 && A.Digits[i] == 0) --i;
  while (i > 8 && A.Digits[i] != 0) --i;
  if (i > 8) {
    int j = i;
    while (j > 0 && A.Digits[j] == 0) --j;
    if (i - j >= 4) {
      for (int k = i + 1; k <= 15; ++k) A.Digits[k] = 0;
      ClearNegativeZero(A);
      return;
    }
  }
  int s = 15;
  while (s > 8 && A.Digits[s] != 59) --s;
  if (s <= 8) return;
  int t = s;
  while (t > 0 && A.Digits[t] == 59) --t;
  if (s - t < 4) return;
  Sxg R;
  SxgRound(A, static_cast<int16_t>(t), R);
  if (R.Digits[-4] == SxgOverflowMark) {
    for (int k = s + 1; k <= 15; ++k) A.Digits[k] = 59;
  } else {
    A = R;
  }
}

}  // namespace qirn
