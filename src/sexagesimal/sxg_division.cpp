// Long division of Sxg numbers in base 60, exact to the 15th place and
// rounded half up there on the 16th quotient digit.
//
// Both operands are shifted so that their first non-zero digits stand in
// place -4 (LeftShift). The definition (reference::SxgDivision) estimates
// each quotient digit from the two leading places, in extended arithmetic,
// and corrects it downwards against the exact multiple of the divisor. That
// estimate is (60 a + a' + 1) / (60 b + b') up to a relative error near
// 1e-19, with a, a' and b, b' the leading places of remainder and divisor;
// it lies above the true digit by at least 1/(60 b + b') >= 1/3600 unless the
// quotient of those whole numbers is exact, where it still is no smaller
// than the true digit, since the remainder stays below (60 a + a' + 1)
// units of its second place. So every digit comes out exact, and the
// quotient is the exact one: here each digit is floor(r / b), found on the
// aligned remainder and divisor as 128-bit whole numbers.
#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_digits.h"
#include "sexagesimal/sxg_lanes.h"
#include "sexagesimal/sxg_reference.h"

namespace qirn {
namespace {

int FirstNonZeroPlace(const Sxg& A) {
  int i = -4;
  while (i < 15 && A.Digits[i] == 0) ++i;
  return i;
}

constexpr uint64_t L = 60ull * 60 * 60 * 60 * 60 * 60 * 60 * 60 * 60;  // 60^9

// An aligned operand or remainder, top * 60^18 + mid * 60^9 + low: places
// -4 and -3 in top (and whatever a remainder times 60 carries above them),
// -2..6 in mid, 7..15 in low.
struct Wide {
  uint64_t top, mid, low;
};

// A's places from `first` on, shifted so that place `first` stands in place
// -4 (as LeftShift does).
Wide Aligned(const Sxg& A, int first) {
  int16_t d[20] = {};
  for (int i = first; i <= 15; ++i) d[i - first] = A.Digits[i];
  Wide w;
  w.top = static_cast<uint64_t>(d[0]) * 60 + static_cast<uint64_t>(d[1]);
  w.mid = digits::Join8(d + 2) * 60 + static_cast<uint64_t>(d[10]);
  w.low = digits::Join8(d + 11) * 60 + static_cast<uint64_t>(d[19]);
  return w;
}

bool Greater(const Wide& a, const Wide& b) {
  if (a.top != b.top) return a.top > b.top;
  if (a.mid != b.mid) return a.mid > b.mid;
  return a.low > b.low;
}

// top * 60^18 + mid * 60^9 + low.
unsigned __int128 ValueOf(const Wide& w) {
  return (static_cast<unsigned __int128>(w.top) * L + w.mid) * L + w.low;
}

int BitLength(unsigned __int128 v) {
  const uint64_t hi = static_cast<uint64_t>(v >> 64), lo = static_cast<uint64_t>(v);
  return hi != 0 ? 128 - __builtin_clzll(hi) : lo != 0 ? 64 - __builtin_clzll(lo) : 0;
}

// The remainder times 60.
Wide Shifted(const Wide& a) {
  Wide r;
  uint64_t t = a.low * 60;
  r.low = t % L;
  t = a.mid * 60 + t / L;
  r.mid = t % L;
  r.top = a.top * 60 + t / L;
  return r;
}

bool NormalDigits(const Sxg& A, const Sxg& B) {
#ifdef QIRN_SXG_LANES
  return lanes::Normal(lanes::Load(A), lanes::Load(B));
#else
  for (int i = -4; i <= 15; ++i)
    if (A.Digits[i] < 0 || A.Digits[i] > 59 || B.Digits[i] < 0 || B.Digits[i] > 59) return false;
  return true;
#endif
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
  // Digits outside the normal form go the digit-by-digit way.
  if (!NormalDigits(A, B)) {
    reference::SxgDivision(A, B, New);
    return;
  }
  const bool Sign = A.Neg != B.Neg;
  const int f = FirstNonZeroPlace(B);
  const int g = FirstNonZeroPlace(A);
  const Wide b = Aligned(B, f);
  Wide r = Aligned(A, g);
  int P = g - f;

  if (P < -5 || (P == -5 && !Greater(b, r))) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  if (P == -5) {
    r = Shifted(r);
    P = -4;
  }
  Sxg Q = Zero;
  int16_t Shadow = 0;
  if (P <= 16) {
    // b >= 60^19 and r < 60 b < 2^125. The digit's estimate is the leading
    // 57 bits of b, plus one, into r's bits from the same place on (below
    // 2^63): never above r / b and less than 2^-50 below it, so it is the
    // digit or one less; the remainder decides.
    using U = unsigned __int128;
    const U bv = ValueOf(b);
    U rv = ValueOf(r);
    const int s = BitLength(bv) > 57 ? BitLength(bv) - 57 : 0;
    const uint64_t d = s == 0 ? static_cast<uint64_t>(bv) : static_cast<uint64_t>(bv >> s) + 1;
    const uint64_t Md = digits::Reciprocal(d);
    int I = P;
    do {
      uint64_t q = digits::DivideBy(static_cast<uint64_t>(rv >> s), d, Md).q;
      U rest = rv - static_cast<U>(q) * bv;
      while (rest >= bv) {
        ++q;
        rest -= bv;
      }
      if (I == 16)
        Shadow = static_cast<int16_t>(q);
      else
        Q.Digits[I] = static_cast<int16_t>(q);
      ++I;
      rv = rest * 60;
    } while (rv != 0 && I <= 16);
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
