// An Sxg in normal form as a whole number of its smallest unit 60^-15, for
// the remainder of a quotient too large for the places of an Sxg.
// Every value is below 60^20 < 2^119 units, so a 128-bit integer holds it.
#pragma once
#include "sexagesimal/sxg.h"

namespace qirn {

using SxgUnits = __int128;

inline SxgUnits ToUnits(const Sxg& A) {
  SxgUnits u = 0;
  for (int i = -4; i <= 15; ++i) u = u * 60 + A.Digits[i];
  return A.Neg ? -u : u;
}

// The inverse of ToUnits for magnitudes below 60^20; zero is never negative.
inline Sxg FromUnits(SxgUnits u) {
  Sxg A{};
  A.Neg = u < 0;
  unsigned __int128 m = static_cast<unsigned __int128>(u < 0 ? -u : u);
  for (int i = 15; i >= -4; --i) {
    A.Digits[i] = static_cast<int16_t>(m % 60);
    m /= 60;
  }
  return A;
}

}  // namespace qirn
