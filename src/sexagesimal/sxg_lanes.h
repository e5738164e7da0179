// The twenty places of an Sxg in three SSE2 registers of eight 16-bit lanes,
// for the routines that work on all places at once: lo holds places -4..3,
// mid 4..11, hi 8..15 (overlapping mid, so that no load reaches past the
// digits; the overlap always holds the same values in both). SSE2 is part
// of every x86-64 processor; elsewhere the digit loops are used.
#pragma once
#if defined(__SSE2__)
#define QIRN_SXG_LANES 1
#include <emmintrin.h>

#include <cstdint>

#include "sexagesimal/sxg.h"

namespace qirn::lanes {

struct Places {
  __m128i lo, mid, hi;
};

inline Places Load(const Sxg& A) {
  const int16_t* v = A.Digits.v;
  return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(v)),
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + 8)),
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + 12))};
}

// hi first: its lower half repeats places 8..11 of mid with equal values.
inline void Store(const Places& P, Sxg& A) {
  int16_t* v = A.Digits.v;
  _mm_storeu_si128(reinterpret_cast<__m128i*>(v + 12), P.hi);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(v + 8), P.mid);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(v), P.lo);
}

inline bool AllZero(const Places& P) {
  __m128i o = _mm_or_si128(_mm_or_si128(P.lo, P.mid), P.hi);
  return _mm_movemask_epi8(_mm_cmpeq_epi16(o, _mm_setzero_si128())) == 0xFFFF;
}

// Two bits per place, place -4 first, for a lane-wise condition: lanes
// 0..7 of lo, 0..7 of mid, 4..7 of hi.
inline uint64_t PlaceBits(__m128i lo, __m128i mid, __m128i hi) {
  return static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(lo))) |
         static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(mid))) << 16 |
         static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(hi)) >> 8) << 32;
}

// The first place that is not 0; 16 for zero.
inline int FirstNonZero(const Places& P) {
  const __m128i z = _mm_setzero_si128();
  uint64_t nz = ~PlaceBits(_mm_cmpeq_epi16(P.lo, z), _mm_cmpeq_epi16(P.mid, z), _mm_cmpeq_epi16(P.hi, z)) &
                ((uint64_t{1} << 40) - 1);
  return nz == 0 ? 16 : __builtin_ctzll(nz) / 2 - 4;
}

// Places above 59 (or negative) as non-zero lanes, unsigned saturation.
inline __m128i Excess(const Places& P) {
  const __m128i top = _mm_set1_epi16(59);
  return _mm_or_si128(_mm_or_si128(_mm_subs_epu16(P.lo, top), _mm_subs_epu16(P.mid, top)),
                      _mm_subs_epu16(P.hi, top));
}

// Every place of both within 0..59.
inline bool Normal(const Places& A, const Places& B) {
  __m128i e = _mm_or_si128(Excess(A), Excess(B));
  return _mm_movemask_epi8(_mm_cmpeq_epi16(e, _mm_setzero_si128())) == 0xFFFF;
}

// The same, place -4 of A excepted (it may hold two places combined).
inline bool NormalBelowTop(const Places& A, const Places& B) {
  const Places a{_mm_and_si128(A.lo, _mm_set_epi16(-1, -1, -1, -1, -1, -1, -1, 0)), A.mid, A.hi};
  __m128i e = _mm_or_si128(Excess(a), Excess(B));
  return _mm_movemask_epi8(_mm_cmpeq_epi16(e, _mm_setzero_si128())) == 0xFFFF;
}

}  // namespace qirn::lanes
#endif
