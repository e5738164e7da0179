// Groups of base-60 places as one whole number and back, in a few
// independent steps rather than one chain of multiplications or divisions.
#pragma once
#include <cstdint>

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

// The four places of v < 60^4 into d[0..3].
inline void Split4(uint32_t v, int16_t* d) {
  uint32_t a = v / 3600, b = v % 3600;
  d[0] = static_cast<int16_t>(a / 60);
  d[1] = static_cast<int16_t>(a % 60);
  d[2] = static_cast<int16_t>(b / 60);
  d[3] = static_cast<int16_t>(b % 60);
}

// The eight places of v < 60^8 into d[0..7].
inline void Split8(uint64_t v, int16_t* d) {
  Split4(static_cast<uint32_t>(v / P4), d);
  Split4(static_cast<uint32_t>(v % P4), d + 4);
}

}  // namespace qirn::digits
