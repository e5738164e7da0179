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
// The column sums come from SSE2: each place of A times all places of B at
// once, in 16-bit lanes (at most ten rows per accumulator, 10 * 59 * 59 <
// 2^16); the columns are then carried eight places at a time in 64 bits.
#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_digits.h"
#include "sexagesimal/sxg_lanes.h"
#include "sexagesimal/sxg_reference.h"

namespace qirn {

#ifdef QIRN_SXG_LANES
namespace {

// Rows from..to of the products into 16-bit column sums: row i adds a_i
// times B's places, read from pad + 16 - i. Lanes 0..7 (columns of weight
// -4..3) and 8..15 (4..11) are left out where B's leading zeros make them 0.
template <bool Low, bool Mid>
inline void Rows(const Sxg& A, const int16_t* pad, int from, int to, __m128i& s0, __m128i& s1, __m128i& s2) {
  for (int i = from; i <= to; ++i) {
    const __m128i m = _mm_set1_epi16(A.Digits[i]);
    const __m128i* row = reinterpret_cast<const __m128i*>(pad + 16 - i);
    if (Low) s0 = _mm_add_epi16(s0, _mm_mullo_epi16(m, _mm_loadu_si128(row)));
    if (Mid) s1 = _mm_add_epi16(s1, _mm_mullo_epi16(m, _mm_loadu_si128(row + 1)));
    s2 = _mm_add_epi16(s2, _mm_mullo_epi16(m, _mm_loadu_si128(row + 2)));
  }
}

inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }

// B's places -4..15 at pad[16..35], zeros around: row i of the products
// reads lanes c = 0..23 from pad + 16 - i, giving b_(c - 4 - i) or 0.
// Written first thing, so that the writes are done when the rows read them.
inline void Pad(const lanes::Places& b, int16_t pad[48]) {
  const __m128i zero = _mm_setzero_si128();
  _mm_store_si128(reinterpret_cast<__m128i*>(pad), zero);
  _mm_store_si128(reinterpret_cast<__m128i*>(pad + 8), zero);
  _mm_store_si128(reinterpret_cast<__m128i*>(pad + 32), zero);
  _mm_store_si128(reinterpret_cast<__m128i*>(pad + 40), zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(pad + 16), b.lo);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(pad + 24), b.mid);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(pad + 28), b.hi);
}

// Column sums of the products a_i * b_j: col[c] for the weight i + j = c - 4,
// c = 0..21 (weights -4..17; weights below -4 are not summed). Rows before
// place fa are zero, and so are B's places before fb.
void Columns(const Sxg& A, const int16_t* pad, int fa, int fb, uint32_t col[24]) {
  const __m128i zero = _mm_setzero_si128();
  // Row i reaches column i + fb + 4 first: lanes 0..7 only up to row
  // 3 - fb, lanes 8..15 up to 11 - fb, and nothing past weight 17 after
  // row 17 - fb.
  const int last = Min(15, 17 - fb);
  // Rows -4..5 and 6..15 in separate sums: ten each at most, below 2^16.
  __m128i acc[2][3];
  for (int h = 0; h < 2; ++h) {
    const int lo = Max(fa, h == 0 ? -4 : 6), hi = Min(last, h == 0 ? 5 : 15);
    __m128i& s0 = acc[h][0];
    __m128i& s1 = acc[h][1];
    __m128i& s2 = acc[h][2];
    s0 = s1 = s2 = zero;
    Rows<true, true>(A, pad, lo, Min(hi, 3 - fb), s0, s1, s2);
    Rows<false, true>(A, pad, Max(lo, 4 - fb), Min(hi, 11 - fb), s0, s1, s2);
    Rows<false, false>(A, pad, Max(lo, 12 - fb), hi, s0, s1, s2);
  }
  for (int k = 0; k < 3; ++k) {
    // Unsigned 16-bit lanes widened to 32 bits and added.
    __m128i lo = _mm_add_epi32(_mm_unpacklo_epi16(acc[0][k], zero), _mm_unpacklo_epi16(acc[1][k], zero));
    __m128i hi = _mm_add_epi32(_mm_unpackhi_epi16(acc[0][k], zero), _mm_unpackhi_epi16(acc[1][k], zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(col + 8 * k), lo);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(col + 8 * k + 4), hi);
  }
}

}  // namespace

void SxgMultiplication(Sxg A, Sxg B, Sxg& New) {
  const lanes::Places a = lanes::Load(A), b = lanes::Load(B);
  alignas(16) int16_t pad[48];
  Pad(b, pad);
  if (!lanes::Normal(a, b)) {
    reference::SxgMultiplication(A, B, New);
    return;
  }
  const int fa = lanes::FirstNonZero(a), fb = lanes::FirstNonZero(b);
  if (fa == 16 || fb == 16) {
    New = Zero;
    return;
  }
  // A product of weight -5 or less (the leading places give the smallest
  // weight) needs places above -4.
  if (fa + fb <= -5) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  uint32_t col[24];
  Columns(A, pad, fa, fb, col);
  const uint64_t N = 60 * uint64_t{col[20]} + col[21];
  uint64_t C = N % 3600 == 1800 ? static_cast<uint64_t>(reference::MultiplicationCarry(A, B)) : (N + 1800) / 3600;

  // Places 8..15, 0..7 and -4..-1 (columns 12..19, 4..11, 0..3), each below
  // 2^63 with the carry from the places after it.
  using digits::P4;
  using digits::P8;
  const uint64_t low = digits::Join8(col + 12) + C, mid = digits::Join8(col + 4), top = digits::Join4(col);
  const uint64_t v2 = mid + low / P8, v1 = top + v2 / P8;
  if (v1 >= P4) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  // A and B are copies: New is none of them, and is written only now.
  const uint64_t d1 = low % P8, d2 = v2 % P8;
  digits::Split8(d1, New.Digits.v + 12);
  digits::Split8(d2, New.Digits.v + 4);
  digits::Split4(static_cast<uint32_t>(v1), New.Digits.v);
  New.Neg = A.Neg != B.Neg && (d1 | d2 | v1) != 0;
}

#else

void SxgMultiplication(Sxg A, Sxg B, Sxg& New) { reference::SxgMultiplication(A, B, New); }

#endif

}  // namespace qirn
