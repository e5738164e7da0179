// Decimal (80-bit extended) angle conversion and reduction to one turn.
#pragma once

namespace qirn {

// The extended values nearest to pi and 2 pi.
inline constexpr long double DecimalPi = 3.141592653589793238462643383279502884L;
inline constexpr long double DecimalTwoPi = 2 * DecimalPi;

// 2 pi in three parts that add up to it within 1e-45, each the extended value
// nearest to its literal, so that many turns can be removed without losing
// the low digits of the remainder.
inline constexpr long double TwoPiHigh = 6.2831853071795860L;
inline constexpr long double TwoPiMiddle = 4.7692528676655900E-16L;
inline constexpr long double TwoPiLow = 5.7683943387990000E-33L;

long double RealConvertDegrees(long double R);  // R * 180 / pi (not finite for huge R)
long double RealConvertRadians(long double R);  // pi * R / 180, finite for every finite R

// R reduced to one turn of 2 pi, in [0, 2 pi] for every finite R; 0 for a
// value that is not finite.
long double RealModulo2Pi(long double R);
// R reduced to one turn of 360 degrees: the whole degrees are reduced and
// rounded, the fraction of R is kept as it is. In [0, 360] for every finite
// R (a negative whole number of turns gives 360); 0 for a non-finite value.
long double RealModulo360(long double R);

}  // namespace qirn
