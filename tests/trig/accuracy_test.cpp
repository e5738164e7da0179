// Accuracy of the trigonometric commands of both number systems against
// MPFR, over a few hundred angles in [-720, 720] degrees (and the same angles
// in radians) and the radii 1, 60 and 9999. Each command runs on a fresh
// calculator exactly as the command loop calls it.
//
// Sexagesimal differences are in units of place 15 per unit of radius for
// the lengths, and in units of place 15 of the angle for the inverses.
// The tangent's differences are multiplied by cos^2 of the angle (divided by
// the tangent's derivative), so that they read as errors of the angle and
// stay comparable across the range; it is compared where |cos| >= 0.1.
// Decimal differences are in units in the last place of long double: of the
// radius (or the result, if larger) for the lengths, of the result for the
// angles. The bounds are the largest differences measured,
// rounded up a little: they hold the algorithms' own rounding (the degree
// conversion through CvRad costs a few hundred units at 720 degrees), while
// a wrong series term or a lost carry shows as thousands of units or more.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "calculator/commands.h"
#include "support/rig.h"
#include "support/sxg_text.h"
#include "trig/mpfr_oracle.h"

namespace qirn::test {
namespace {

constexpr int16_t kRadii[] = {1, 60, 9999};
constexpr int kAngles = 300;

// A small deterministic generator for the digits below the whole degrees.
struct Lcg {
  uint64_t s;
  uint32_t Next() {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(s >> 33);
  }
  int16_t Digit() { return static_cast<int16_t>(Next() % 60); }
};

// The angles in degrees: whole degrees spread over [-720, 720] with random
// sexagesimal fractions, and the multiples of 15 degrees exactly.
std::vector<Sxg> DegreeAngles() {
  std::vector<Sxg> out;
  Lcg g{12345};
  for (int k = 0; k < kAngles; ++k) {
    int deg = -720 + (1440 * k) / kAngles + static_cast<int>(g.Next() % 5);
    Sxg a{};
    a.Neg = deg < 0;
    int m = deg < 0 ? -deg : deg;
    a.Digits[-1] = static_cast<int16_t>(m / 60);
    a.Digits[0] = static_cast<int16_t>(m % 60);
    for (int i = 1; i <= 15; ++i) a.Digits[i] = g.Digit();
    out.push_back(a);
  }
  for (int deg = -720; deg <= 720; deg += 15) {
    int m = deg < 0 ? -deg : deg;
    Sxg a{};
    a.Neg = deg < 0;
    a.Digits[-1] = static_cast<int16_t>(m / 60);
    a.Digits[0] = static_cast<int16_t>(m % 60);
    out.push_back(a);
  }
  return out;
}

// deg * pi / 180 (exact angle of an Sxg in degrees) into out.
void DegToRad(const Sxg& deg, mpfr_ptr out) {
  SxgValue(deg, out);
  Mp pi;
  mpfr_const_pi(pi, MPFR_RNDN);
  mpfr_mul(out, out, pi, MPFR_RNDN);
  mpfr_div_ui(out, out, 180, MPFR_RNDN);
}

// Lengths on the circle of radius `base`, the largest at the pole of the
// tangent excluded: inputs for the inverse functions. `spread` widens the
// range to +-spread * base (arc tangent); chord inputs lie in [0, 2 base].
std::vector<Sxg> Lengths(int16_t base, int spread, bool chord, uint64_t seed) {
  std::vector<Sxg> out;
  Lcg g{seed};
  const long top = static_cast<long>(base) * spread * (chord ? 2 : 1);
  for (int k = 0; k < kAngles; ++k) {
    long whole = static_cast<long>(g.Next() % static_cast<uint32_t>(top));
    Sxg a{};
    a.Neg = !chord && (g.Next() & 1);
    for (int i = 0; i >= -4; --i) {
      a.Digits[i] = static_cast<int16_t>(whole % 60);
      whole /= 60;
    }
    for (int i = 1; i <= 15; ++i) a.Digits[i] = g.Digit();
    out.push_back(a);
  }
  return out;
}

// The largest difference of one command in one unit, for the report.
struct Worst {
  double units = 0;
  std::string at;
  void Take(double d, const std::string& where) {
    if (d > units) {
      units = d;
      at = where;
    }
  }
};

void Report(const char* what, const Worst& w, double bound) {
  std::printf("  %-28s max %10.2f (bound %8.0f)  at %s\n", what, w.units, bound, w.at.c_str());
  EXPECT_LE(w.units, bound) << what << " at " << w.at;
}

using Command = void (*)(Calc&);
using MpFunc = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// The result of a sexagesimal command on X in the given unit and radius.
Sxg RunSxg(Command cmd, const Sxg& x, int16_t trig, int16_t base) {
  Rig r;
  r.st().TrigMode = trig;
  r.st().Base = base;
  r.st().SxgStack[0] = x;
  cmd(r.c);
  return r.st().SxgStack[0];
}

long double RunReal(Command cmd, long double x, int16_t trig, int16_t base) {
  Rig r;
  r.st().NumberMode = 'D';
  r.st().TrigMode = trig;
  r.st().Base = base;
  r.st().RealStack[0] = x;
  cmd(r.c);
  return r.st().RealStack[0];
}

// true = base * f(theta); chord: 2 base |sin(theta / 2)|.
void TrueLength(const char* name, mpfr_srcptr theta, int16_t base, mpfr_ptr out) {
  std::string n = name;
  if (n == "sine") mpfr_sin(out, theta, MPFR_RNDN);
  if (n == "cosine") mpfr_cos(out, theta, MPFR_RNDN);
  if (n == "tangent") mpfr_tan(out, theta, MPFR_RNDN);
  if (n == "chord") {
    mpfr_div_ui(out, theta, 2, MPFR_RNDN);
    mpfr_sin(out, out, MPFR_RNDN);
    mpfr_abs(out, out, MPFR_RNDN);
    mpfr_mul_ui(out, out, 2, MPFR_RNDN);
  }
  mpfr_mul_si(out, out, base, MPFR_RNDN);
}

// The tangent is compared only away from its poles: |cos| >= 0.1.
bool NearPole(mpfr_srcptr theta) {
  Mp c;
  mpfr_cos(c, theta, MPFR_RNDN);
  return std::fabs(c.d()) < 0.1;
}

// The weight of a length difference: cos^2 theta for the tangent, else 1.
double Weight(const char* name, mpfr_srcptr theta) {
  if (std::string(name) != "tangent") return 1;
  Mp c;
  mpfr_cos(c, theta, MPFR_RNDN);
  return c.d() * c.d();
}

struct Forward {
  const char* name;
  Command sxg, real;
  double sxg_deg, sxg_rad, real_deg, real_rad;  // bounds
};

// Bounds: sexagesimal degrees, sexagesimal radians, decimal degrees, decimal
// radians. Largest measured: sine 181.4, 3.5, 14.4, 0.97; cosine 141.2, 3.3,
// 13.6, 0.95; chord 363.9, 5.3, 14.4, 1.19; tangent 181.7, 3.3, 15.3, 0.92.
const Forward kForward[] = {
    {"sine", SxgSine, RealSine, 200, 5, 16, 2},
    {"cosine", SxgCosine, RealCosine, 160, 5, 16, 2},
    {"chord", SxgChord, RealChord, 400, 7, 16, 2},
    {"tangent", SxgTangent, RealTan, 200, 5, 17, 2},
};

TEST(TrigAccuracy, LengthsOfAnglesAgainstMpfr) {
  const std::vector<Sxg> degs = DegreeAngles();
  for (const Forward& f : kForward) {
    Worst sd, sr, rd, rr;
    for (const Sxg& deg : degs) {
      Mp theta, truth;
      DegToRad(deg, theta);
      if (std::string(f.name) == "tangent" && NearPole(theta)) continue;
      const Sxg rad = SxgOf(theta);
      Mp theta_r;  // the exact angle of the rounded radian value
      SxgValue(rad, theta_r);
      // Decimal inputs: the same angles as extended values.
      Mp degval;
      SxgValue(deg, degval);
      const long double xd = degval.ld(), xr = theta.ld();
      Mp theta_xd(xd), theta_xr(xr), pi;
      mpfr_const_pi(pi, MPFR_RNDN);
      mpfr_mul(theta_xd, theta_xd, pi, MPFR_RNDN);
      mpfr_div_ui(theta_xd, theta_xd, 180, MPFR_RNDN);
      for (int16_t base : kRadii) {
        const std::string where = Notation(deg) + " deg, radius " + std::to_string(base);
        TrueLength(f.name, theta, base, truth);
        sd.Take(SxgDiffUnits(RunSxg(f.sxg, deg, 0, base), truth, base) * Weight(f.name, theta), where);
        TrueLength(f.name, theta_r, base, truth);
        sr.Take(SxgDiffUnits(RunSxg(f.sxg, rad, 1, base), truth, base) * Weight(f.name, theta_r), where);
        TrueLength(f.name, theta_xd, base, truth);
        long double scale = std::max<long double>(std::fabs(truth.ld()), base);
        rd.Take(RealDiffUlps(RunReal(f.real, xd, 0, base), truth, scale) * Weight(f.name, theta_xd), where);
        TrueLength(f.name, theta_xr, base, truth);
        scale = std::max<long double>(std::fabs(truth.ld()), base);
        rr.Take(RealDiffUlps(RunReal(f.real, xr, 1, base), truth, scale) * Weight(f.name, theta_xr), where);
      }
    }
    std::printf("%s\n", f.name);
    Report("sexagesimal, degrees", sd, f.sxg_deg);
    Report("sexagesimal, radians", sr, f.sxg_rad);
    Report("decimal, degrees", rd, f.real_deg);
    Report("decimal, radians", rr, f.real_rad);
  }
}

struct Inverse {
  const char* name;
  Command sxg, real;
  int spread;
  bool chord;
  double sxg_deg, sxg_rad, real_deg, real_rad;
};

// Largest measured: arc sine 519.3, 9.1, 3.2, 4.1; arc cosine 545.3, 9.5,
// 129.7, 145.8 (1 - r^2 cancels near |r| = 1); arc chord 657.0, 11.5, 3.0,
// 2.9; arc tangent 246.6, 4.3, 1.5, 0.67.
const Inverse kInverse[] = {
    {"arc sine", SxgArcSin, RealArcSin, 1, false, 600, 12, 4, 5},
    {"arc cosine", SxgArcCos, RealArcCos, 1, false, 600, 12, 150, 170},
    {"arc chord", SxgArcChord, RealArcChord, 1, true, 720, 14, 4, 4},
    {"arc tangent", SxgArcTan, RealArcTan, 50, false, 280, 6, 2, 1},
};

// The true angle (radians) whose function on the circle of radius base is x.
void TrueAngle(const char* name, mpfr_srcptr x, int16_t base, mpfr_ptr out) {
  std::string n = name;
  mpfr_div_si(out, x, n == "arc chord" ? 2 * base : base, MPFR_RNDN);
  if (n == "arc sine") mpfr_asin(out, out, MPFR_RNDN);
  if (n == "arc cosine") mpfr_acos(out, out, MPFR_RNDN);
  if (n == "arc tangent") mpfr_atan(out, out, MPFR_RNDN);
  if (n == "arc chord") {
    mpfr_asin(out, out, MPFR_RNDN);
    mpfr_mul_ui(out, out, 2, MPFR_RNDN);
  }
}

// The ulp of a true angle is taken at the angle itself (at 1 for zero).
long double AngleScale(const Mp& a) {
  const long double v = std::fabs(a.ld());
  return v == 0 ? 1.0L : v;
}

void ToDegrees(mpfr_ptr a) {
  Mp pi;
  mpfr_const_pi(pi, MPFR_RNDN);
  mpfr_mul_ui(a, a, 180, MPFR_RNDN);
  mpfr_div(a, a, pi, MPFR_RNDN);
}

TEST(TrigAccuracy, InverseFunctionsAgainstMpfr) {
  for (const Inverse& f : kInverse) {
    Worst sd, sr, rd, rr;
    for (int16_t base : kRadii) {
      for (const Sxg& x : Lengths(base, f.spread, f.chord, 777 + base)) {
        const std::string where = Notation(x) + ", radius " + std::to_string(base);
        Mp xv, rad, deg;
        SxgValue(x, xv);
        TrueAngle(f.name, xv, base, rad);
        mpfr_set(deg, rad, MPFR_RNDN);
        ToDegrees(deg);
        sd.Take(SxgDiffUnits(RunSxg(f.sxg, x, 0, base), deg), where);
        sr.Take(SxgDiffUnits(RunSxg(f.sxg, x, 1, base), rad), where);
        const long double xd = xv.ld();
        Mp xdv(xd);
        TrueAngle(f.name, xdv, base, rad);
        mpfr_set(deg, rad, MPFR_RNDN);
        ToDegrees(deg);
        rd.Take(RealDiffUlps(RunReal(f.real, xd, 0, base), deg, AngleScale(deg)), where);
        rr.Take(RealDiffUlps(RunReal(f.real, xd, 1, base), rad, AngleScale(rad)), where);
      }
    }
    std::printf("%s\n", f.name);
    Report("sexagesimal, degrees", sd, f.sxg_deg);
    Report("sexagesimal, radians", sr, f.sxg_rad);
    Report("decimal, degrees", rd, f.real_deg);
    Report("decimal, radians", rr, f.real_rad);
  }
}

}  // namespace
}  // namespace qirn::test
