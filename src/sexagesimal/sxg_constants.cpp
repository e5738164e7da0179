// The sexagesimal constants. Their digits are written down once, as
// tabulated, and never recomputed: the series and the reductions depend on
// these exact last places (pi/180 deliberately ends in 22).
#include "sexagesimal/sxg_constants.h"

#include <initializer_list>

namespace qirn {
namespace {

// Places -4..0, then places 1..15.
constexpr Sxg Make(int16_t i4, int16_t i3, int16_t i2, int16_t i1, int16_t i0,
                   std::initializer_list<int16_t> frac = {}) {
  Sxg v{false, {{i4, i3, i2, i1, i0}}};
  int place = 1;
  for (int16_t d : frac) v.Digits[place++] = d;
  return v;
}

}  // namespace

const Sxg Zero = Make(0, 0, 0, 0, 0);
const Sxg One = Make(0, 0, 0, 0, 1);
const Sxg Two = Make(0, 0, 0, 0, 2);
const Sxg EighthPi = Make(0, 0, 0, 0, 0, {23, 33, 43, 0, 5, 55, 44, 8, 25, 37, 12, 2, 12, 53, 4});
const Sxg QuarterPi = Make(0, 0, 0, 0, 0, {47, 7, 26, 0, 11, 51, 28, 16, 51, 14, 24, 4, 25, 46, 7});
const Sxg ThreeEighthPi = Make(0, 0, 0, 0, 1, {10, 41, 9, 0, 17, 47, 12, 25, 16, 51, 36, 6, 38, 39, 11});
const Sxg HalfPi = Make(0, 0, 0, 0, 1, {34, 14, 52, 0, 23, 42, 56, 33, 42, 28, 48, 8, 51, 32, 15});
const Sxg SxgPi = Make(0, 0, 0, 0, 3, {8, 29, 44, 0, 47, 25, 53, 7, 24, 57, 36, 17, 43, 4, 29});
const Sxg OneHalfPi = Make(0, 0, 0, 0, 4, {42, 44, 36, 1, 11, 8, 49, 41, 7, 26, 24, 26, 34, 36, 44});
const Sxg TwoPi = Make(0, 0, 0, 0, 6, {16, 59, 28, 1, 34, 51, 46, 14, 49, 55, 12, 35, 26, 8, 58});
const Sxg CvDeg = Make(0, 0, 0, 0, 57, {17, 44, 48, 22, 29, 22, 22, 7, 32, 46, 14, 58, 15, 20, 18});
const Sxg CvRad = Make(0, 0, 0, 0, 0, {1, 2, 49, 54, 40, 15, 48, 37, 42, 28, 19, 12, 5, 54, 22});
const Sxg Circle = Make(0, 0, 0, 6, 0);
const Sxg Wan = Make(0, 0, 2, 46, 40);
const Sxg CapitalX[4] = {
    Make(0, 0, 0, 0, 0, {11, 56, 5, 4, 16, 52, 27, 55, 9, 58, 39, 26, 7, 53, 50}),
    Make(0, 0, 0, 0, 0, {40, 5, 26, 35, 8, 50, 45, 46, 7, 2, 55, 54, 59, 45, 56}),
    Make(0, 0, 0, 0, 1, {29, 47, 46, 50, 41, 2, 55, 15, 48, 0, 38, 36, 8, 38, 36}),
    Make(0, 0, 0, 0, 5, {1, 38, 25, 19, 49, 4, 37, 24, 50, 56, 22, 7, 16, 46, 30}),
};
const Sxg X1 = Make(0, 0, 0, 0, 2, {24, 51, 10, 7, 46, 6, 4, 44, 50, 28, 51, 20, 34, 26, 20});
const Sxg X3 = Make(0, 0, 0, 0, 0, {24, 51, 10, 7, 46, 6, 4, 44, 50, 28, 51, 20, 34, 26, 20});

}  // namespace qirn
