// The sexagesimal number: a sign and twenty base-60 places, indexed -4..15.
// Place i is the coefficient of 60^(-i): place 0 the units, -4 the 60^4s,
// 1..15 the fractional places. A plain value, copied freely.
#pragma once
#include <cstdint>

namespace qirn {

// Digits indexed from -4 to 15, stored contiguously.
struct SxgDigits {
  int16_t v[20];
  constexpr int16_t& operator[](int i) { return v[i + 4]; }
  constexpr int16_t operator[](int i) const { return v[i + 4]; }
};

struct Sxg {
  bool Neg;
  SxgDigits Digits;
};

// Result markers in place -4; no value in normal form holds them there.
inline constexpr int16_t SxgOverflowMark = 60;
inline constexpr int16_t SxgDivZeroMark = -60;

constexpr bool operator==(const Sxg& a, const Sxg& b) {
  if (a.Neg != b.Neg) return false;
  for (int i = 0; i < 20; ++i)
    if (a.Digits.v[i] != b.Digits.v[i]) return false;
  return true;
}

}  // namespace qirn
