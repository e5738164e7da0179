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

// Lanes in the opposite order.
inline __m128i Reverse(__m128i x) {
  x = _mm_shufflelo_epi16(x, 0x1B);
  x = _mm_shufflehi_epi16(x, 0x1B);
  return _mm_shuffle_epi32(x, 0x4E);
}

// One bit per place for a lane-wise condition given as 0/-1 lanes, in order
// of significance: bit 0 is place 15, bit 19 place -4.
inline uint32_t SignificanceMask(__m128i lo, __m128i mid, __m128i hi) {
  // Reversed and packed to bytes (signed saturation keeps 0 and -1).
  uint32_t a = static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(Reverse(hi), Reverse(mid))));
  uint32_t b = static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(Reverse(lo), Reverse(lo))));
  // a: bits 0..7 places 15..8, bits 8..15 places 11..4; b: bits 0..7 places 3..-4.
  return (a & 0xF) | ((a >> 4) & 0xFF0) | ((b & 0xFF) << 12);
}

// The inverse: lanes of -1 where the place's bit is set.
inline Places LanesOf(uint32_t m) {
  const __m128i bit = _mm_set_epi16(1, 2, 4, 8, 16, 32, 64, 128);  // lane k: 1 << (7 - k)
  auto expand = [&](uint32_t byte) {
    __m128i x = _mm_set1_epi16(static_cast<int16_t>(byte & 0xFF));
    return _mm_cmpeq_epi16(_mm_and_si128(x, bit), bit);
  };
  return {expand(m >> 12), expand(m >> 4), expand(m)};
}

// Carry (or borrow) into every place from generate and propagate masks:
// carry into place i = g(i+1) | (p(i+1) & carry into i+1); bit 20 of the
// result is the carry out of place -4.
inline uint32_t CarriesIn(uint32_t g, uint32_t p) {
  uint32_t x = g, y = g | p;
  return (x + y) ^ x ^ y;
}

inline bool AllZero(const Places& P) {
  __m128i o = _mm_or_si128(_mm_or_si128(P.lo, P.mid), P.hi);
  return _mm_movemask_epi8(_mm_cmpeq_epi16(o, _mm_setzero_si128())) == 0xFFFF;
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
