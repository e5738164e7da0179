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
#include "sexagesimal/sxg_lanes.h"
#include "sexagesimal/sxg_reference.h"

namespace qirn {

#ifdef QIRN_SXG_LANES
namespace {

int FirstNonZero(const Sxg& A) {
  int i = -4;
  while (i <= 15 && A.Digits[i] == 0) ++i;
  return i;  // 16 when A is zero
}

// Column sums of the products a_i * b_j: col[c] for the weight i + j = c - 4,
// c = 0..21 (weights -4..17; weights below -4 are not summed).
void Columns(const Sxg& A, const Sxg& B, int fa, uint32_t col[24]) {
  // B's places -4..15 at pad[16..35], zeros around: row i reads lanes
  // c = 0..23 from pad + 16 - i, giving b_(c - 4 - i) or 0.
  alignas(16) int16_t pad[48] = {};
  for (int j = 0; j < 20; ++j) pad[16 + j] = B.Digits.v[j];
  __m128i acc[2][3] = {};
  for (int i = fa; i <= 15; ++i) {
    const int16_t ai = A.Digits[i];
    if (ai == 0) continue;
    const __m128i m = _mm_set1_epi16(ai);
    const int16_t* row = pad + 16 - i;
    __m128i* s = acc[i > 5];  // rows -4..5 and 6..15: ten each at most
    s[0] = _mm_add_epi16(s[0], _mm_mullo_epi16(m, _mm_loadu_si128(reinterpret_cast<const __m128i*>(row))));
    s[1] = _mm_add_epi16(s[1], _mm_mullo_epi16(m, _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 8))));
    s[2] = _mm_add_epi16(s[2], _mm_mullo_epi16(m, _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 16))));
  }
  const __m128i zero = _mm_setzero_si128();
  for (int k = 0; k < 3; ++k) {
    // Unsigned 16-bit lanes widened to 32 bits and added.
    __m128i lo = _mm_add_epi32(_mm_unpacklo_epi16(acc[0][k], zero), _mm_unpacklo_epi16(acc[1][k], zero));
    __m128i hi = _mm_add_epi32(_mm_unpackhi_epi16(acc[0][k], zero), _mm_unpackhi_epi16(acc[1][k], zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(col + 8 * k), lo);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(col + 8 * k + 4), hi);
  }
}

// Columns c..c+n-1 as one number in base 60 (n <= 8; each column < 2^17).
uint64_t Horner(const uint32_t* col, int n) {
  uint64_t v = 0;
  for (int k = 0; k < n; ++k) v = v * 60 + col[k];
  return v;
}

void Unpack(uint64_t v, int first, int n, Sxg& R) {
  for (int i = first + n - 1; i >= first; --i) {
    R.Digits[i] = static_cast<int16_t>(v % 60);
    v /= 60;
  }
}

}  // namespace

void SxgMultiplication(Sxg A, Sxg B, Sxg& New) {
  const lanes::Places a = lanes::Load(A), b = lanes::Load(B);
  if (!lanes::Normal(a, b)) {
    reference::SxgMultiplication(A, B, New);
    return;
  }
  const int fa = FirstNonZero(A), fb = FirstNonZero(B);
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
  Columns(A, B, fa, col);
  const uint64_t N = 60 * uint64_t{col[20]} + col[21];
  uint64_t C = N % 3600 == 1800 ? static_cast<uint64_t>(reference::MultiplicationCarry(A, B)) : (N + 1800) / 3600;

  // Places 8..15, 0..7 and -4..-1 (columns 12..19, 4..11, 0..3), each below
  // 2^63 with the carry from the places after it.
  constexpr uint64_t P4 = 60ull * 60 * 60 * 60, P8 = P4 * P4;
  Sxg R;
  uint64_t v = Horner(col + 12, 8) + C;
  Unpack(v % P8, 8, 8, R);
  v = Horner(col + 4, 8) + v / P8;
  Unpack(v % P8, 0, 8, R);
  v = Horner(col, 4) + v / P8;
  if (v >= P4) {
    New.Digits[-4] = SxgOverflowMark;
    return;
  }
  Unpack(v, -4, 4, R);
  R.Neg = A.Neg != B.Neg && !lanes::AllZero(lanes::Load(R));
  New = R;
}

#else

void SxgMultiplication(Sxg A, Sxg B, Sxg& New) { reference::SxgMultiplication(A, B, New); }

#endif

}  // namespace qirn
