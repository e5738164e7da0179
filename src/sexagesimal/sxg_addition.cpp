// Addition and subtraction of Sxg numbers, and the operations with a small
// whole number K that the series and the base-circle radius need.
//
// The sums and differences work on all twenty places at once: the places
// are added without carries, then the carries are handed on to the places
// before in rounds. The results are those of the place-by-place loops in
// sxg_reference.cpp.
#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_digits.h"
#include "sexagesimal/sxg_lanes.h"
#include "sexagesimal/sxg_reference.h"

namespace qirn {

#ifdef QIRN_SXG_LANES
namespace {

using lanes::Places;

#define QIRN_INLINE inline __attribute__((always_inline))

// Lane k of the result holds lane k + 1 of x in the order of places: each
// place receives what the place after it hands on; place 15 receives 0.
QIRN_INLINE Places FromNextPlace(const Places& x) {
  return {_mm_or_si128(_mm_srli_si128(x.lo, 2), _mm_slli_si128(x.mid, 14)),
          _mm_or_si128(_mm_srli_si128(x.mid, 2), _mm_slli_si128(_mm_srli_si128(x.hi, 8), 14)),
          _mm_srli_si128(x.hi, 2)};
}

QIRN_INLINE int AnyLane(const Places& m) {
  return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(m.lo, m.mid), m.hi));
}

// |A| + |B| place by place with carries; false on a carry out of place -4.
// The places are added at once, then every place of 60 or more hands a
// carry to the place before it, again until no place holds 60 or more:
// once, twice or, through a run of 59s, a few times more.
QIRN_INLINE bool AddPlaces(const Places& a, const Places& b, Places& r) {
  const __m128i top = _mm_set1_epi16(59), sixty = _mm_set1_epi16(60);
  Places d{_mm_add_epi16(a.lo, b.lo), _mm_add_epi16(a.mid, b.mid), _mm_add_epi16(a.hi, b.hi)};
  int out = 0;
  for (;;) {
    Places g{_mm_cmpgt_epi16(d.lo, top), _mm_cmpgt_epi16(d.mid, top), _mm_cmpgt_epi16(d.hi, top)};
    if (AnyLane(g) == 0) break;
    out |= _mm_movemask_epi8(g.lo) & 1;  // place -4
    Places in = FromNextPlace(g);       // -1 where a carry arrives
    d = {_mm_sub_epi16(_mm_sub_epi16(d.lo, _mm_and_si128(g.lo, sixty)), in.lo),
         _mm_sub_epi16(_mm_sub_epi16(d.mid, _mm_and_si128(g.mid, sixty)), in.mid),
         _mm_sub_epi16(_mm_sub_epi16(d.hi, _mm_and_si128(g.hi, sixty)), in.hi)};
  }
  r = d;
  return out == 0;
}

// |A| - |B| with borrows, in the same way; a final borrow is dropped.
QIRN_INLINE Places SubtractPlaces(const Places& a, const Places& b) {
  const __m128i zero = _mm_setzero_si128(), sixty = _mm_set1_epi16(60);
  Places d{_mm_sub_epi16(a.lo, b.lo), _mm_sub_epi16(a.mid, b.mid), _mm_sub_epi16(a.hi, b.hi)};
  for (;;) {
    Places g{_mm_cmplt_epi16(d.lo, zero), _mm_cmplt_epi16(d.mid, zero), _mm_cmplt_epi16(d.hi, zero)};
    if (AnyLane(g) == 0) break;
    Places in = FromNextPlace(g);  // -1 where a borrow arrives
    d = {_mm_add_epi16(_mm_add_epi16(d.lo, _mm_and_si128(g.lo, sixty)), in.lo),
         _mm_add_epi16(_mm_add_epi16(d.mid, _mm_and_si128(g.mid, sixty)), in.mid),
         _mm_add_epi16(_mm_add_epi16(d.hi, _mm_and_si128(g.hi, sixty)), in.hi)};
  }
  return d;
}

// Digit-wise |A| > |B| from the most significant place.
QIRN_INLINE bool LargerPlaces(const Places& a, const Places& b) {
  uint64_t eq = lanes::PlaceBits(_mm_cmpeq_epi16(a.lo, b.lo), _mm_cmpeq_epi16(a.mid, b.mid), _mm_cmpeq_epi16(a.hi, b.hi));
  uint64_t gt = lanes::PlaceBits(_mm_cmpgt_epi16(a.lo, b.lo), _mm_cmpgt_epi16(a.mid, b.mid), _mm_cmpgt_epi16(a.hi, b.hi));
  uint64_t diff = ~eq & ((uint64_t{1} << 40) - 1);
  if (diff == 0) return false;
  return (gt >> __builtin_ctzll(diff)) & 1;
}

QIRN_INLINE void StoreSigned(const Places& r, bool neg, Sxg& New) { lanes::Store(r, neg && !lanes::AllZero(r), New); }

// The places with the overflow mark in place -4.
QIRN_INLINE Places Marked(Places r) {
  r.lo = _mm_insert_epi16(r.lo, SxgOverflowMark, 0);
  return r;
}

// Signed sum of A and (B with sign bneg).
QIRN_INLINE void SignedSum(const Sxg& A, const Sxg& B, bool bneg, Sxg& New) {
  const Places a = lanes::Load(A), b = lanes::Load(B);
  Places r;
  if (A.Neg == bneg) {
    if (!AddPlaces(a, b, r)) {
      lanes::Store(Marked(r), A.Neg, New);
      return;
    }
    StoreSigned(r, A.Neg, New);
  } else if (LargerPlaces(a, b)) {
    StoreSigned(SubtractPlaces(a, b), A.Neg, New);
  } else {
    StoreSigned(SubtractPlaces(b, a), bneg, New);
  }
}

}  // namespace

// Digits outside the normal form (but place -4 of a subtraction's first
// operand) go place by place.
void PerformAddition(Sxg A, Sxg B, Sxg& New) {
  const Places a = lanes::Load(A), b = lanes::Load(B);
  if (!lanes::Normal(a, b)) {
    reference::PerformAddition(A, B, New);
    return;
  }
  Places r;
  if (!AddPlaces(a, b, r)) r = Marked(r);
  lanes::Store(r, false, New);
}

void PerformSubtraction(Sxg A, Sxg B, Sxg& New) {
  const Places a = lanes::Load(A), b = lanes::Load(B);
  if (!lanes::NormalBelowTop(a, b)) {
    reference::PerformSubtraction(A, B, New);
    return;
  }
  lanes::Store(SubtractPlaces(a, b), false, New);
}

void SxgAddition(Sxg A, Sxg B, Sxg& New) {
  if (!lanes::Normal(lanes::Load(A), lanes::Load(B))) {
    reference::SxgAddition(A, B, New);
    return;
  }
  SignedSum(A, B, B.Neg, New);
}

void SxgSubtraction(Sxg A, Sxg B, Sxg& New) {
  if (!lanes::Normal(lanes::Load(A), lanes::Load(B))) {
    reference::SxgSubtraction(A, B, New);
    return;
  }
  SignedSum(A, B, !B.Neg, New);
}

#else

void PerformAddition(Sxg A, Sxg B, Sxg& New) { reference::PerformAddition(A, B, New); }
void PerformSubtraction(Sxg A, Sxg B, Sxg& New) { reference::PerformSubtraction(A, B, New); }
void SxgAddition(Sxg A, Sxg B, Sxg& New) { reference::SxgAddition(A, B, New); }
void SxgSubtraction(Sxg A, Sxg B, Sxg& New) { reference::SxgSubtraction(A, B, New); }

#endif

namespace {

bool NormalDigits(const Sxg& A) {
#ifdef QIRN_SXG_LANES
  const lanes::Places a = lanes::Load(A);
  return lanes::Normal(a, a);
#else
  for (int i = -4; i <= 15; ++i)
    if (A.Digits[i] < 0 || A.Digits[i] > 59) return false;
  return true;
#endif
}

}  // namespace

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

// Exact. A negative K multiplies by |K| and flips the sign. Eight places at
// a time: below 60^8 times |K| <= 2^15, with the carry, fits 64 bits.
void MultiplySxgInteger(Sxg A, int16_t K, Sxg& New) {
  if (K == 0 || IsZero(A)) {
    New = Zero;
    return;
  }
  if (!NormalDigits(A)) {
    reference::MultiplySxgInteger(A, K, New);
    return;
  }
  if (K == 1) {  // the base circle of radius 1
    New = A;
    return;
  }
  const uint64_t k = static_cast<uint64_t>(K < 0 ? -static_cast<int32_t>(K) : K);
  const bool neg = K < 0 ? !A.Neg : A.Neg;
  using digits::P4;
  using digits::P8;
  const int16_t* d = A.Digits.v;
  const uint64_t v3 = digits::Join4(d + 16) * k;
  const uint64_t v2 = digits::Join8(d + 8) * k + v3 / P4;
  const uint64_t v1 = digits::Join8(d) * k + v2 / P8;
  // On a carry out the places keep the product's lower twenty, as the
  // place-by-place loop leaves them.
  digits::Split8(v1 % P8, New.Digits.v);
  digits::Split8(v2 % P8, New.Digits.v + 8);
  digits::Split4(static_cast<uint32_t>(v3 % P4), New.Digits.v + 16);
  if (v1 >= P8) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  New.Neg = neg;
}


// Long division; the last place is rounded to nearest, a half to even, and
// carried upwards when it reaches 60. Callers pass K > 0; a negative K divides
// by |K| and flips the sign, and K = 0 gives the division-by-zero mark rather
// than a trap.
//
// For digits in normal form the division goes eight places at a time (the
// remainder, below |K| <= 2^15, times 60^8 fits 64 bits): the same quotient
// and remainder as place by place, each part divided by multiplying with a
// reciprocal of |K| (digits::DivideBy).
void DivideSxgInteger(Sxg A, int16_t K, Sxg& New) {
  if (K == 0 || !NormalDigits(A)) {
    reference::DivideSxgInteger(A, K, New);
    return;
  }
  const uint64_t k = static_cast<uint64_t>(K < 0 ? -static_cast<int32_t>(K) : K);
  const uint64_t M = digits::Reciprocal(k);
  const bool neg = K < 0 ? !A.Neg : A.Neg;
  using digits::P4;
  using digits::P8;
  const int16_t* d = A.Digits.v;
  const uint64_t v1 = digits::Join8(d), v2 = digits::Join8(d + 8), v3 = digits::Join4(d + 16);
  const digits::Divided p1 = digits::DivideBy(v1, k, M);
  const digits::Divided p2 = digits::DivideBy(p1.r * P8 + v2, k, M);
  const digits::Divided p3 = digits::DivideBy(p2.r * P4 + v3, k, M);
  uint64_t q1 = p1.q, q2 = p2.q, q3 = p3.q;
  const uint64_t r = p3.r;
  // Half to even on the last place; 60 is even, so q3 has its parity.
  if (2 * r > k || (2 * r == k && (q3 & 1) == 1)) {
    if (++q3 == P4) {
      q3 = 0;
      if (++q2 == P8) {
        q2 = 0;
        ++q1;  // below 60^8: the quotient of K >= 2 is at most half of A
      }
    }
  }
  digits::Split8(q1, New.Digits.v);
  digits::Split8(q2, New.Digits.v + 8);
  digits::Split4(static_cast<uint32_t>(q3), New.Digits.v + 16);
  New.Neg = (q1 | q2 | q3) != 0 && neg;
}

}  // namespace qirn
