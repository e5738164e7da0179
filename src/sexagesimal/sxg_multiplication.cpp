// The product of two Sxg numbers, correct to the 15th place.
//
// The digit-pair products of weight 15 and above (weight = sum of the two
// places) are summed exactly in integers. Below place 15 only the products of
// weight 16 and one sixtieth of those of weight 17 are looked at: their sum F
// decides the carry C = round(F / 60), half to even, into place 15. The
// definition sums F in 80-bit extended arithmetic in a fixed order
// (reference::MultiplicationCarry). Exactly, F / 60 = N / 3600 with the whole
// number N = 60 * W16 + W17 (W16, W17 the sums of the products of weight 16
// and 17); unless N / 3600 is a half, it lies at least 1/3600 from one, far
// beyond the rounding error of the extended sum (below 1e-13), so both
// round to the same whole number. Only for a half is the extended sum
// itself computed, since its rounding error then decides.
//
// The products are summed two places at a time: with limbs of two places
// (below 3600), each product of two limbs holds four digit products, of
// weights w, w + 1 (two) and w + 2. SSE2 multiplies a pair of A's limbs by
// all of B's at once (pmaddwd) into the limb columns; the one column that
// reaches weight 16 loses its products of weight 16, which the digit sums
// give. The limb columns are then carried six places at a time in 64 bits.
#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_digits.h"
#include "sexagesimal/sxg_lanes.h"
#include "sexagesimal/sxg_reference.h"
#include "sexagesimal/sxg_series.h"

namespace qirn {

#ifdef QIRN_SXG_LANES
namespace {

// Pairs of places as limbs below 3600: limb j holds places 2j - 4 and
// 2j - 3. In 16-bit lanes, limbs 0..7 and 8..9.
struct Limbs {
  __m128i lo, hi;
};

inline Limbs LimbsOf(const lanes::Places& p) {
  const __m128i w = _mm_set1_epi32(1 << 16 | 60);  // 60 * even lane + odd lane
  const __m128i l03 = _mm_madd_epi16(p.lo, w), l47 = _mm_madd_epi16(p.mid, w), l69 = _mm_madd_epi16(p.hi, w);
  return {_mm_packs_epi32(l03, l47), _mm_srli_si128(_mm_packs_epi32(l69, _mm_setzero_si128()), 4)};
}

// Horizontal sum of four 32-bit lanes.
inline uint32_t Sum4(__m128i x) {
  x = _mm_add_epi32(x, _mm_shuffle_epi32(x, 0x4E));
  x = _mm_add_epi32(x, _mm_shuffle_epi32(x, 0xB1));
  return static_cast<uint32_t>(_mm_cvtsi128_si32(x));
}

// The column sums of the limb products, T[s] = sum of A'_j B'_(s-j) for
// s = 0..11 (limb column s holds the digit products of weight 2s - 8 to
// 2s - 6), and the digit-product sums of weight 16 (all, and those of odd
// places only) and 17.
// fa is A's first non-zero place: the limb pairs before it are 0.
void LimbColumns(const lanes::Places& a, const lanes::Places& b, int fa, uint32_t T[12], uint32_t& w16,
                 uint32_t& w16odd, uint32_t& w17) {
  const Limbs la = LimbsOf(a), lb = LimbsOf(b);
  // Lane m of the windows below: B'_m in the low half, B'_(m-1) in the high
  // half (zero outside 0..9), so that a pair of A's limbs (j, j + 1)
  // against the window starting at m = -j gives A'_j B'_(s-j) +
  // A'_(j+1) B'_(s-j-1) in lane s. w0 holds m = 0..3, w1 4..7, w2 8..11;
  // the windows of the pairs are made of these, shifted.
  const __m128i zero = _mm_setzero_si128();
  const __m128i shifted = _mm_slli_si128(lb.lo, 2);                                        // 0, B'_0..B'_6
  const __m128i tail = _mm_or_si128(_mm_srli_si128(lb.lo, 14), _mm_slli_si128(lb.hi, 2));  // B'_7..B'_9
  const __m128i w0 = _mm_unpacklo_epi16(lb.lo, shifted);
  const __m128i w1 = _mm_unpackhi_epi16(lb.lo, shifted);
  const __m128i w2 = _mm_unpacklo_epi16(lb.hi, tail);
  const __m128i h0 = _mm_slli_si128(w0, 8);                                       // m = -2..1
  const __m128i h1 = _mm_or_si128(_mm_srli_si128(w0, 8), _mm_slli_si128(w1, 8));  // m = 2..5
  const __m128i h2 = _mm_or_si128(_mm_srli_si128(w1, 8), _mm_slli_si128(w2, 8));  // m = 6..9
  __m128i t0 = zero, t1 = zero, t2 = zero;
  switch ((fa + 4) / 4) {  // the pair holding A's first non-zero limb
    case 0: {
      const __m128i m = _mm_shuffle_epi32(la.lo, 0x00);  // j = 0: m = s
      t0 = _mm_add_epi32(t0, _mm_madd_epi16(m, w0));
      t1 = _mm_add_epi32(t1, _mm_madd_epi16(m, w1));
      t2 = _mm_add_epi32(t2, _mm_madd_epi16(m, w2));
    }
      [[fallthrough]];
    case 1: {
      const __m128i m = _mm_shuffle_epi32(la.lo, 0x55);  // j = 2: m = s - 2
      t0 = _mm_add_epi32(t0, _mm_madd_epi16(m, h0));
      t1 = _mm_add_epi32(t1, _mm_madd_epi16(m, h1));
      t2 = _mm_add_epi32(t2, _mm_madd_epi16(m, h2));
    }
      [[fallthrough]];
    case 2: {
      const __m128i m = _mm_shuffle_epi32(la.lo, 0xAA);  // j = 4: m = s - 4
      t1 = _mm_add_epi32(t1, _mm_madd_epi16(m, w0));
      t2 = _mm_add_epi32(t2, _mm_madd_epi16(m, w1));
    }
      [[fallthrough]];
    case 3: {
      const __m128i m = _mm_shuffle_epi32(la.lo, 0xFF);  // j = 6: m = s - 6
      t1 = _mm_add_epi32(t1, _mm_madd_epi16(m, h0));
      t2 = _mm_add_epi32(t2, _mm_madd_epi16(m, h1));
    }
      [[fallthrough]];
    default: {
      const __m128i m = _mm_shuffle_epi32(la.hi, 0x00);  // j = 8: m = s - 8
      t2 = _mm_add_epi32(t2, _mm_madd_epi16(m, w0));
    }
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(T), t0);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(T + 4), t1);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(T + 8), t2);

  // Weight 16: a_i b_(16-i), i = 1..15; weight 17: a_i b_(17-i), i = 2..15.
  auto reverse = [](__m128i x) {
    return _mm_shuffle_epi32(_mm_shufflehi_epi16(_mm_shufflelo_epi16(x, 0x1B), 0x1B), 0x4E);
  };
  const __m128i b15to8 = reverse(b.hi);
  const __m128i b7to0 = _mm_or_si128(_mm_srli_si128(reverse(b.mid), 8), _mm_slli_si128(reverse(b.lo), 8));
  const __m128i a1to8 = _mm_or_si128(_mm_srli_si128(a.lo, 10), _mm_slli_si128(a.mid, 6));
  const __m128i a9to15 = _mm_or_si128(_mm_srli_si128(a.mid, 10), _mm_slli_si128(_mm_srli_si128(a.hi, 8), 6));
  const __m128i a2to9 = _mm_or_si128(_mm_srli_si128(a.lo, 12), _mm_slli_si128(a.mid, 4));
  const __m128i a10to15 = _mm_or_si128(_mm_srli_si128(a.mid, 12), _mm_slli_si128(_mm_srli_si128(a.hi, 8), 4));
  const __m128i odd = _mm_set1_epi32(0xFFFF);  // lanes 0, 2, 4, 6: places 1, 3, .. and 9, 11, ..
  w16 = Sum4(_mm_add_epi32(_mm_madd_epi16(a1to8, b15to8), _mm_madd_epi16(a9to15, b7to0)));
  w16odd = Sum4(_mm_add_epi32(_mm_madd_epi16(_mm_and_si128(a1to8, odd), b15to8),
                              _mm_madd_epi16(_mm_and_si128(a9to15, odd), b7to0)));
  w17 = Sum4(_mm_add_epi32(_mm_madd_epi16(a2to9, b15to8), _mm_madd_epi16(a10to15, b7to0)));
}

// The product's places in four parts: p[0] holds places -4..-3 (below 3600
// in range), p[1] -2..3, p[2] 4..9 and p[3] 10..15 (each below 60^6).
enum class Product { Zero, Overflow, Places };

inline __attribute__((always_inline)) Product ProductPlaces(const Sxg& A, const Sxg& B, const lanes::Places& a,
                                                            const lanes::Places& b, uint64_t p[4]) {
  const int fa = lanes::FirstNonZero(a), fb = lanes::FirstNonZero(b);
  if (fa == 16 || fb == 16) return Product::Zero;
  // A product of weight -5 or less (the leading places give the smallest
  // weight) needs places above -4.
  if (fa + fb <= -5) return Product::Overflow;
  uint32_t T[12], w16, w16odd, w17;
  LimbColumns(a, b, fa, T, w16, w16odd, w17);
  const uint64_t N = 60 * uint64_t{w16} + w17;
  const uint64_t C = N % 3600 == 1800 ? static_cast<uint64_t>(reference::MultiplicationCarry(A, B)) : (N + 1800) / 3600;

  // The kept products in units of place 15: limb column s (s = 1..10) at
  // 60^(21 - 2s), and of column 11 (weights 14..16) the part of weight 14
  // and 15, without the odd places' products of weight 16. Carried six
  // places at a time: places 10..15, 4..9, -2..3 and -4..-3, each below
  // 2^63 with the carry from the places after it.
  constexpr uint64_t P1 = 60, P3 = 216000, P5 = P3 * 3600, P6 = P3 * P3;
  const uint64_t c0 = (T[11] - w16odd) / 60 + P1 * T[10] + P3 * T[9] + P5 * T[8] + C;
  const uint64_t c1 = c0 / P6 + P1 * T[7] + P3 * T[6] + P5 * T[5];
  const uint64_t c2 = c1 / P6 + P1 * T[4] + P3 * T[3] + P5 * T[2];
  const uint64_t c3 = c2 / P6 + P1 * T[1];
  if (c3 >= 3600) return Product::Overflow;
  p[0] = c3;
  p[1] = c2 % P6;
  p[2] = c1 % P6;
  p[3] = c0 % P6;
  return Product::Places;
}

}  // namespace

void SxgMultiplication(Sxg A, Sxg B, Sxg& New) {
  const lanes::Places a = lanes::Load(A), b = lanes::Load(B);
  if (!lanes::Normal(a, b)) {
    reference::SxgMultiplication(A, B, New);
    return;
  }
  uint64_t p[4];
  switch (ProductPlaces(A, B, a, b, p)) {
    case Product::Zero:
      New = Zero;
      return;
    case Product::Overflow:
      New.Digits[-4] = SxgOverflowMark;
      return;
    case Product::Places:
      break;
  }
  // A and B are copies: New is none of them, and is written only now.
  digits::Split6(p[3], New.Digits.v + 14);
  digits::Split6(p[2], New.Digits.v + 8);
  digits::Split6(p[1], New.Digits.v + 2);
  digits::Split2(static_cast<uint32_t>(p[0]), New.Digits.v);
  New.Neg = A.Neg != B.Neg && (p[0] | p[1] | p[2] | p[3]) != 0;
}

// The product, below 1, divided by k in two steps: its places 1..9 as one
// number below 60^9, then the remainder times 60^6 with places 10..15
// (below 2^51); the last place rounded half to even as DivideSxgInteger
// rounds it. The two parts come from the limb columns with one carry, as
// in ProductPlaces: with the columns 0..3 (weights up to 0) empty and
// column 4 below 3600 the places 1..9 stay within 64 bits, and the product
// is below 1 exactly when they stay below 60^9.
// Everything it calls is inlined (flatten): the limb columns then stay in
// registers on their way to the division.
__attribute__((flatten)) bool MultiplyDivide(const Sxg& A, const Sxg& B, int16_t K, Sxg& New,
                                             unsigned __int128& Magnitude) {
  if (K <= 0) return false;
  const uint64_t k = static_cast<uint64_t>(K), M = digits::Reciprocal(k);
  const lanes::Places a = lanes::Load(A), b = lanes::Load(B);
  if (!lanes::Normal(a, b)) return false;
  const int fa = lanes::FirstNonZero(a), fb = lanes::FirstNonZero(b);
  if (fa == 16 || fb == 16 || fa + fb <= -5) return false;
  uint32_t T[12], w16, w16odd, w17;
  LimbColumns(a, b, fa, T, w16, w16odd, w17);
  if ((T[0] | T[1] | T[2] | T[3]) != 0 || T[4] >= 3600) return false;
  const uint64_t N = 60 * uint64_t{w16} + w17;
  const uint64_t C = N % 3600 == 1800 ? static_cast<uint64_t>(reference::MultiplicationCarry(A, B)) : (N + 1800) / 3600;
  constexpr uint64_t P1 = 60, P3 = 216000, P5 = P3 * 3600, P6 = P3 * P3, P7 = P6 * 60, P9 = P6 * P3;
  const uint64_t c0 = (T[11] - w16odd) / 60 + P1 * T[10] + P3 * T[9] + P5 * T[8] + C;
  const uint64_t X = c0 / P6 + P1 * T[7] + P3 * T[6] + P5 * T[5] + P7 * T[4];
  const uint64_t Y = c0 % P6;
  if (X >= P9) return false;  // 1 or more
  const digits::Divided h = digits::DivideBy(X, k, M);
  const digits::Divided l = digits::DivideBy(h.r * P6 + Y, k, M);
  uint64_t high = h.q, low = l.q;  // the quotient is high * 60^6 + low
  const uint64_t r = l.r;
  if (2 * r > k || (2 * r == k && (low & 1) == 1)) {
    if (++low == P6) {
      low = 0;
      ++high;
    }
  }
  const bool neg = A.Neg != B.Neg && (X | Y) != 0;
  // The places as pairs (digits::kPairs) straight into the lanes, so that
  // the record is written in the pieces in which the next step reads it.
  // Each pair straight from high (places 1..9) or low (10..15), all at once
  // rather than one split after another.
  constexpr uint64_t Q1 = 3600, Q2 = Q1 * Q1, Q3 = Q2 * Q1, Q4 = Q2 * Q2;
  const uint32_t* pair = digits::kPairs.v;
  const auto at = [pair](uint64_t x) { return static_cast<int>(pair[x]); };
  const int p01 = at(high / Q4), p23 = at(high / Q3 % Q1), p45 = at(high / Q2 % Q1), p67 = at(high / Q1 % Q1),
            p89 = at(high % Q1);
  const int p1011 = at(low / Q2), p1213 = at(low / Q1 % Q1), p1415 = at(low % Q1);
  const lanes::Places out{_mm_set_epi32(p23, p01, 0, 0), _mm_set_epi32(p1011, p89, p67, p45),
                          _mm_set_epi32(p1415, p1213, p1011, p89)};
  lanes::Store(out, neg && (high | low) != 0, New);
  Magnitude = static_cast<unsigned __int128>(high) * P6 + low;
  return true;
}

#else

void SxgMultiplication(Sxg A, Sxg B, Sxg& New) { reference::SxgMultiplication(A, B, New); }

bool MultiplyDivide(const Sxg&, const Sxg&, int16_t, Sxg&, unsigned __int128&) { return false; }

#endif

}  // namespace qirn
