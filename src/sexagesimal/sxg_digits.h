// Groups of base-60 places as one whole number and back, in a few
// independent steps rather than one chain of multiplications or divisions.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>

#include "sexagesimal/sxg.h"

namespace qirn::digits {

inline constexpr uint64_t P2 = 3600, P4 = P2 * P2, P8 = P4 * P4;

// d[0]*60^(n-1) + ... + d[n-1] for n = 4 or 8; the d[k] may exceed 59 (column
// sums), as long as the total stays within 64 bits.
template <typename T>
inline uint64_t Join4(const T* d) {
  return (static_cast<uint64_t>(d[0]) * 60 + static_cast<uint64_t>(d[1])) * P2 +
         (static_cast<uint64_t>(d[2]) * 60 + static_cast<uint64_t>(d[3]));
}
template <typename T>
inline uint64_t Join8(const T* d) {
  return Join4(d) * P4 + Join4(d + 4);
}

// Two places as they stand in memory, for every value below 3600: the
// first (more significant) place at the lower address.
struct PairTable {
  uint32_t v[3600];
  constexpr PairTable() : v() {
    for (uint32_t x = 0; x < 3600; ++x)
      v[x] = std::endian::native == std::endian::little ? (x / 60) | (x % 60) << 16 : (x / 60) << 16 | (x % 60);
  }
};
inline constexpr PairTable kPairs{};

// The two places of v < 3600 into d[0..1], in one write.
inline void Split2(uint32_t v, int16_t* d) { std::memcpy(d, &kPairs.v[v], 4); }

// The four places of v < 60^4 into d[0..3].
inline void Split4(uint32_t v, int16_t* d) {
  Split2(v / 3600, d);
  Split2(v % 3600, d + 2);
}

// The six places of v < 60^6 into d[0..5].
inline void Split6(uint64_t v, int16_t* d) {
  const uint32_t low = static_cast<uint32_t>(v % P4);
  Split2(static_cast<uint32_t>(v / P4), d);
  Split2(low / 3600, d + 2);
  Split2(low % 3600, d + 4);
}

// The eight places of v < 60^8 into d[0..7].
inline void Split8(uint64_t v, int16_t* d) {
  Split4(static_cast<uint32_t>(v / P4), d);
  Split4(static_cast<uint32_t>(v % P4), d + 4);
}

// n / k and n % k for n < 2^64 and 0 < k < 2^63, with M = floor((2^64 - 1)
// / k), which depends on k alone and so can be ready before n is: the high
// half of n * M is at most n / k and more than n / k - 3, so the quotient is
// that estimate plus 0, 1 or 2, found on the remainder.
struct Divided {
  uint64_t q, r;
};

inline uint64_t Reciprocal(uint64_t k) { return ~uint64_t{0} / k; }

inline Divided DivideBy(uint64_t n, uint64_t k, uint64_t M) {
  uint64_t q = static_cast<uint64_t>((static_cast<unsigned __int128>(n) * M) >> 64);
  uint64_t r = n - q * k;
  if (r >= k) {
    r -= k;
    ++q;
  }
  if (r >= k) {
    r -= k;
    ++q;
  }
  return {q, r};
}

}  // namespace qirn::digits
