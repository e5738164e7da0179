// Reciprocal and remainder in both number systems, and the decimal square
// root. A result that cannot be held is reported and leaves the stack.
#include <cmath>
#include <cstdint>

#include "calculator/commands.h"
#include "calculator/results.h"
#include "calculator/sxg_units.h"
#include "decimal/real_format.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"

namespace qirn {

void Reciproke(Calc& c) {
  State& s = c.st;
  if (IsDecimalMode(s)) {
    const long double X = s.RealStack[0];
    if (X == 0) {
      HandleError(c, 1);
      return;
    }
    const long double R = 1.0L / X;
    // Written as a negation so that a quotient beyond the format counts too.
    if (!(std::fabs(R) <= RealLimit)) {
      HandleOverflow(c, false);
      return;
    }
    RealUnary(c, R);
    return;
  }
  const Sxg X = s.SxgStack[0];
  if (IsZero(X)) {
    HandleError(c, 1);
    return;
  }
  Sxg New{};
  SxgDivision(One, X, New);
  if (New.Digits[-4] == SxgOverflowMark) {
    HandleOverflow(c, true);
    return;
  }
  SxgUnary(c, New);
}

// Y minus the whole multiple of X nearest to Y towards zero, with the sign of
// Y, taken as the fraction of the quotient Y / X times X. The quotient's
// rounding shows in the last places of the result (7 rem 3 comes out a hair
// below 1). A zero X is refused like a division by zero, leaving the stack as
// it was; the sexagesimal routine would otherwise replace Y by 0 unasked.
void Remainder(Calc& c) {
  State& s = c.st;
  if (IsDecimalMode(s)) {
    const long double X = s.RealStack[0], Y = s.RealStack[1];
    if (X == 0) {
      HandleError(c, 1);
      return;
    }
    const long double Q = Y / X;
    // A huge Y over a tiny X has no finite quotient; the remainder itself is
    // still below |X|, and fmodl gives it exactly.
    const long double R = std::isfinite(Q) ? (Q - std::trunc(Q)) * X : std::fmod(Y, X);
    RealBinary(c, R == 0 ? 0.0L : R);
    return;
  }
  const Sxg X = s.SxgStack[0], Y = s.SxgStack[1];
  if (IsZero(X)) {
    HandleError(c, 1);
    return;
  }
  Sxg S{};
  SxgDivision(Y, X, S);
  if (S.Digits[-4] == SxgOverflowMark) {
    // A quotient of 60^5 or more: clearing its integer places would give 0
    // whatever the remainder is. Both values are whole numbers of 60^-15, and
    // the truncating % keeps Y's sign.
    SxgBinary(c, FromUnits(ToUnits(Y) % ToUnits(X)));
    return;
  }
  for (int i = -4; i <= 0; ++i) S.Digits[i] = 0;
  if (IsZero(S)) S.Neg = false;
  SxgMultiplication(S, X, S);
  SxgBinary(c, S);
}

void RealSqrt(Calc& c) {
  State& s = c.st;
  if (s.RealStack[0] < 0)
    HandleError(c, 2);
  else
    s.RealStack[0] = std::sqrt(s.RealStack[0]);
  s.StackText[0] = RealToStr(s.RealStack[0]);
  PutText(c, s.StackText[0], 6);
}

}  // namespace qirn
