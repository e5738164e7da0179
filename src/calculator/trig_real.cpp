// The decimal trigonometric commands, in 80-bit extended arithmetic with the
// platform's sine, cosine and arc tangent. Angles are taken as they are (not
// reduced to one turn first); lengths are on the base circle of radius Base.
#include <cmath>

#include "calculator/commands.h"
#include "calculator/results.h"
#include "decimal/real_trig.h"
#include "screen/dialog.h"

namespace qirn {
namespace {

// X as an angle in radians.
long double Theta(const Calc& c) {
  const long double X = c.st.RealStack[0];
  return c.st.TrigMode == 0 ? RealConvertRadians(X) : X;
}

// A result angle phi (radians) in the current unit.
long double AngleOut(const Calc& c, long double phi) {
  return c.st.TrigMode == 0 ? RealConvertDegrees(phi) : phi;
}

// The exact constants of the inverse functions, by unit.
long double Right(const Calc& c) { return c.st.TrigMode == 0 ? 90.0L : DecimalPi / 2; }
long double Straight(const Calc& c) { return c.st.TrigMode == 0 ? 180.0L : DecimalPi; }

// X := R. Only a value that is not a finite number is refused; it can arise
// only from an X that was not one.
void Result(Calc& c, long double R) {
  if (!std::isfinite(R)) {
    HandleOverflow(c, false);
    return;
  }
  RealUnary(c, R == 0 ? 0.0L : R);  // no minus sign on zero
}

// arctan(r / sqrt(1 - r^2)), the arc sine for |r| < 1.
long double ArcSinOf(long double r) { return std::atan(r / std::sqrt(1.0L - r * r)); }

}  // namespace

void RealSine(Calc& c) { Result(c, c.st.Base * std::sin(Theta(c))); }

void RealCosine(Calc& c) { Result(c, c.st.Base * std::cos(Theta(c))); }

void RealChord(Calc& c) {
  const long double X = c.st.RealStack[0];
  long double half = c.st.TrigMode == 0 ? DecimalPi * X / 360.0L : X / 2.0L;
  if (!std::isfinite(half) && std::isfinite(X)) half = DecimalPi * (X / 360.0L);
  Result(c, std::fabs(std::sin(half)) * 2.0L * c.st.Base);
}

void RealTan(Calc& c) {
  const long double theta = Theta(c);
  const long double cs = std::cos(theta);
  if (cs == 0) {
    HandleError(c, 7);
    return;
  }
  const long double t = c.st.Base * std::sin(theta) / cs;
  if (!(std::fabs(t) <= RealLimit)) {  // a value that is not a number fails too
    HandleOverflow(c, false);
    return;
  }
  Result(c, t);
}

void RealArcSin(Calc& c) {
  const long double r = c.st.RealStack[0] / c.st.Base;
  if (std::fabs(r) > 1) {
    HandleError(c, 6);
    return;
  }
  if (std::fabs(r) == 1) {
    Result(c, r < 0 ? -Right(c) : Right(c));
    return;
  }
  Result(c, AngleOut(c, ArcSinOf(r)));
}

void RealArcCos(Calc& c) {
  const long double r = c.st.RealStack[0] / c.st.Base;
  if (std::fabs(r) > 1) {
    HandleError(c, 5);
    return;
  }
  if (r == -1) return Result(c, Straight(c));
  if (r == 1) return Result(c, 0.0L);
  if (r == 0) return Result(c, Right(c));
  long double phi = std::atan(std::sqrt(1.0L - r * r) / r);
  if (r < 0) phi = phi + DecimalPi;  // into (0, pi)
  Result(c, AngleOut(c, phi));
}

void RealArcChord(Calc& c) {
  const long double r = c.st.RealStack[0] / (2.0L * c.st.Base);
  if (r < 0 || r > 1) {
    HandleError(c, 8);
    return;
  }
  if (r == 1) return Result(c, Straight(c));
  Result(c, AngleOut(c, 2.0L * ArcSinOf(r)));
}

void RealArcTan(Calc& c) { Result(c, AngleOut(c, std::atan(c.st.RealStack[0] / c.st.Base))); }

}  // namespace qirn
