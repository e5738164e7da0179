// The twenty places of an Sxg in three SSE2 registers of eight 16-bit lanes,
// for the routines that work on all places at once: lo holds places -4..3,
// mid 4..11, hi 8..15 (overlapping mid, so that no load reaches past the
// digits; the overlap always holds the same values in both). SSE2 is part
// of every x86-64 processor; elsewhere the digit loops are used.
#pragma once
#if defined(__SSE2__)
#define QIRN_SXG_LANES 1
#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "sexagesimal/sxg.h"

namespace qirn::lanes {

struct Places {
  __m128i lo, mid, hi;
};

// The record is read in pieces that each lie within one of the 16-byte
// writes (at bytes 0, 16 and 26) with which a copy of it is made, as for an
// argument passed by value, and that Store below makes too: a read that
// spans two recent writes would wait for both to complete.
inline Places Load(const Sxg& A) {
  static_assert(offsetof(Sxg, Digits) == 2 && sizeof(Sxg) == 42, "places at bytes 2..41");
  const char* p = reinterpret_cast<const char*>(&A);
  int16_t p7;  // place 7 at bytes 24..25
  std::memcpy(&p7, p + 24, 2);
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));  // sign, places -4..2
  const __m128i b = _mm_insert_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16)), p7, 4);  // 3..7
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 26));  // places 8..15
  return {_mm_or_si128(_mm_srli_si128(a, 2), _mm_slli_si128(b, 14)),
          _mm_or_si128(_mm_srli_si128(b, 2), _mm_slli_si128(c, 8)), c};
}

// The places and the sign written as bytes 0..15, 16..31 and 26..41, in
// that order (see Load).
inline void Store(const Places& P, bool neg, Sxg& A) {
  char* p = reinterpret_cast<char*>(&A);
  const __m128i a = _mm_or_si128(_mm_slli_si128(P.lo, 2), _mm_cvtsi32_si128(neg ? 1 : 0));
  const __m128i b = _mm_or_si128(_mm_srli_si128(P.lo, 14), _mm_slli_si128(P.mid, 2));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), a);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), b);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 26), P.hi);
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
