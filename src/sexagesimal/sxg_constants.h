// The sexagesimal constants, each its value rounded to 15 fractional places,
// with the digits stored exactly as tabulated (never recomputed).
#pragma once
#include "sexagesimal/sxg.h"

namespace qirn {

extern const Sxg Zero, One, Two;
extern const Sxg EighthPi, QuarterPi, ThreeEighthPi, HalfPi, SxgPi, OneHalfPi, TwoPi;
extern const Sxg CvDeg;  // 180 / pi
extern const Sxg CvRad;  // pi / 180 (last place 22, as tabulated)
extern const Sxg Circle; // 360
extern const Sxg Wan;    // 10000
extern const Sxg CapitalX[4];  // tan 11.25, 33.75, 56.25, 78.75 degrees
extern const Sxg X1;     // 1 + sqrt 2
extern const Sxg X3;     // sqrt 2 - 1

}  // namespace qirn
