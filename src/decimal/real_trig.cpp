// Decimal angle conversion and reduction. Multiplications come before
// divisions, in the order written, so results match the same formulas
// evaluated elsewhere in the program.
#include "decimal/real_trig.h"

#include <cmath>
#include <cstdint>

namespace qirn {
namespace {

long double Frac(long double R) { return R - std::trunc(R); }

// Turn counts below this fit a 64-bit integer; beyond it the remainder is
// taken without one.
constexpr long double kMaxTurns = 0x1p63L;

// Beyond 2^63 turns the turn count has no 64-bit integer. The platform's
// sine and cosine reduce their argument exactly for every finite value, so
// the angle they describe is the remainder, to within a unit of the last
// place of 2 pi.
long double HugeModulo2Pi(long double M) {
  long double N = std::atan2(std::sin(M), std::cos(M));  // in [-pi, pi]
  if (N < 0) N = N + DecimalTwoPi;
  return N;
}

}  // namespace

long double RealConvertDegrees(long double R) { return R * 180.0L / DecimalPi; }

long double RealConvertRadians(long double R) {
  long double N = DecimalPi * R / 180.0L;
  // pi * R leaves the range only for R near the largest extended values.
  if (!std::isfinite(N) && std::isfinite(R)) N = DecimalPi * (R / 180.0L);
  return N;
}

long double RealModulo2Pi(long double R) {
  if (!std::isfinite(R)) return 0.0L;
  const long double M = std::fabs(R);
  const long double q = M / DecimalTwoPi - 1.0L;
  long double N;
  if (q < kMaxTurns) {
    // One turn more or less than the true count: 1 <= N/(2 pi) < 2 or below 1.
    const long double C = static_cast<long double>(std::llrint(q));
    N = M - C * TwoPiHigh - C * TwoPiMiddle - C * TwoPiLow;
  } else {
    N = HugeModulo2Pi(M);
  }
  while (N >= DecimalTwoPi) N = N - TwoPiHigh - TwoPiMiddle;
  // Near 2^63 turns the rounding of C * TwoPiHigh reaches a few units, more
  // than the margin of pi the estimate leaves; what is left there is noise,
  // but it stays within the turn.
  if (N < 0) N = 0;
  if (R < 0) N = -N + DecimalPi * 2;
  return N;
}

long double RealModulo360(long double R) {
  if (!std::isfinite(R)) return 0.0L;
  const bool Negative = R < 0;
  R = std::fabs(R);
  if (R < 1e18L) {
    const long double F = Frac(R);
    R = Frac((R - F) / 360.0L) * 360.0L;  // whole degrees mod 360, nearly whole
    if (Frac(R) >= 0.5L) R = R + 0.5L;
    R = R - Frac(R) + F;
  } else {
    // Here R is a whole number, and the quotient by 360 has too few bits
    // left for its fraction to carry the remainder; fmodl is exact.
    R = std::fmod(R, 360.0L);
  }
  return Negative ? 360.0L - R : R;
}

}  // namespace qirn
