// The trigonometric commands through the command loop: the keys are typed,
// X, the unit and the radius set beforehand. A report leaves its message on
// the X row (the key it waits for never comes) and X as it was.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

#include "decimal/real_trig.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "support/rig.h"
#include "support/sxg_text.h"
#include "trig/mpfr_oracle.h"

namespace qirn::test {
namespace {

constexpr int16_t Deg = 0, Rad = 1;

const char* const kNoReport = "";
const char* const kArcCos = " ILLEGAL ARGUMENT of ARC COSINE          Press any key";
const char* const kArcSin = " ILLEGAL ARGUMENT of ARC SINE            Press any key";
const char* const kTangent = " ILLEGAL ARGUMENT of TANGENT             Press any key";
const char* const kArcChord = " ILLEGAL ARGUMENT of ARC CHORD           Press any key";
const char* const kSxgOverflow = " SEXAGESIMAL OVERFLOW        Press any key to continue";
const char* const kRealOverflow = " DECIMAL OVERFLOW            Press any key to continue";

// A calculator in `mode` with the unit and radius set, after `keys`.
struct Calcul {
  Rig r;
  std::string before;  // X's display text before the keys
  Calcul(char mode, int16_t trig, int16_t base) {
    r.st().NumberMode = mode;
    r.st().TrigMode = trig;
    r.st().Base = base;
  }
  Calcul& X(const Sxg& x) {
    r.st().SxgStack[0] = x;
    return *this;
  }
  Calcul& X(long double x) {
    r.st().RealStack[0] = x;
    return *this;
  }
  Calcul& Keys(std::string_view keys) {
    r.Run();  // draws the screen and fills the display texts
    before = r.st().StackText[0].view();
    r.Run(keys);
    return *this;
  }
  Sxg sx() { return r.st().SxgStack[0]; }
  long double rx() { return r.st().RealStack[0]; }
  std::string Row6() { return r.Text(6, 4, 57); }
  // The report on the X row, or "" when the row shows X.
  std::string Report() {
    std::string row = Row6();
    return row.rfind(" ILLEGAL", 0) == 0 || row.find("OVERFLOW") != std::string::npos ? row : "";
  }
};

// --- Decimal ---------------------------------------------------------------

struct RealCase {
  const char* name;
  int16_t trig, base;
  long double x;
  const char* keys;
  long double want;
  double ulps;  // allowed difference in ulps of the result (0: exactly)
};

const RealCase kRealCases[] = {
    {"sine of 30 deg", Deg, 60, 30, "SI", 30, 16},
    {"chord of 60 deg", Deg, 60, 60, "CH", 60, 16},
    {"chord of -60 deg", Deg, 60, -60, "CH", 60, 16},
    {"cosine of 180 deg", Deg, 60, 180, "CO", -60, 16},
    {"cosine of 0", Rad, 60, 0, "CO", 60, 0},
    {"tangent of 45 deg", Deg, 7, 45, "TA", 7, 16},
    {"tangent of -pi/4", Rad, 1, -DecimalPi / 4, "TA", -1, 4},
    {"arc chord of 2 radius", Deg, 60, 120, "ACH", 180, 0},
    {"arc chord of 2 radius, rad", Rad, 60, 120, "ACH", DecimalPi, 0},
    {"arc chord of 0", Deg, 60, 0, "ACH", 0, 0},
    {"arc chord of the radius", Deg, 60, 60, "ACH", 60, 4},
    {"arc cosine of -radius", Deg, 60, -60, "ACO", 180, 0},
    {"arc cosine of -radius, rad", Rad, 60, -60, "ACO", DecimalPi, 0},
    {"arc cosine of radius", Deg, 60, 60, "ACO", 0, 0},
    {"arc cosine of 0", Deg, 60, 0, "ACO", 90, 0},
    {"arc cosine of 0, rad", Rad, 60, 0, "ACO", DecimalPi / 2, 0},
    {"arc cosine of -half radius", Deg, 60, -30, "ACO", 120, 4},
    {"arc sine of -radius", Deg, 60, -60, "ASI", -90, 0},
    {"arc sine of radius, rad", Rad, 60, 60, "ASI", DecimalPi / 2, 0},
    {"arc sine of half radius", Deg, 9999, 4999.5L, "ASI", 30, 4},
    {"arc tangent of 0", Deg, 60, 0, "ATA", 0, 0},
    {"arc tangent of -radius", Deg, 60, -60, "ATA", -45, 2},
    {"arc tangent of radius, rad", Rad, 3, 3, "ATA", DecimalPi / 4, 1},
    {"modulo 725.25 deg", Deg, 1, 725.25L, "M", 5.25L, 0},
    {"modulo 360 deg", Deg, 1, 360, "M", 0, 0},
    {"modulo -30 deg", Deg, 1, -30, "M", 330, 0},
    {"modulo -0.5 deg", Deg, 1, -0.5L, "M", 359.5L, 0},
    {"modulo -360 deg", Deg, 1, -360, "M", 360, 0},
    {"modulo -1 rad", Rad, 1, -1, "M", DecimalTwoPi - 1, 2},
    {"degrees of pi", Rad, 1, DecimalPi, "CD", DecimalPi * 180 / DecimalPi, 0},
    {"radians of 90", Deg, 1, 90, "CR", DecimalPi * 90 / 180, 0},
};

TEST(RealTrigCommands, Table) {
  for (const RealCase& k : kRealCases) {
    Calcul run('D', k.trig, k.base);
    run.X(k.x).Keys(k.keys);
    EXPECT_EQ(run.Report(), "") << k.name;
    const long double got = run.rx();
    if (k.ulps == 0) {
      EXPECT_EQ(got, k.want) << k.name;
      EXPECT_FALSE(std::signbit(got) && got == 0) << k.name << ": zero with a minus sign";
    } else {
      EXPECT_LE(std::fabs(got - k.want), k.ulps * Ulp(std::fabs(k.want))) << k.name << ": " << got;
    }
  }
}

struct ReportCase {
  const char* name;
  int16_t trig, base;
  long double x;
  const char* keys;
  const char* report;
};

const ReportCase kRealReports[] = {
    {"arc chord of a negative length", Deg, 60, -0.001L, "ACH", kArcChord},
    {"arc chord beyond the diameter", Deg, 60, 120.001L, "ACH", kArcChord},
    {"arc cosine beyond the radius", Deg, 60, 60.001L, "ACO", kArcCos},
    {"arc cosine below -radius", Rad, 60, -61, "ACO", kArcCos},
    {"arc sine beyond the radius", Deg, 60, -60.001L, "ASI", kArcSin},
    // The computed cosine of pi/2 is tiny, not zero: an overflow, not error 7.
    {"tangent of 90 deg", Deg, 1, 90, "TA", kRealOverflow},
    {"tangent of -270 deg", Deg, 1, -270, "TA", kRealOverflow},
    {"degrees beyond the limit", Rad, 1, 1e17L, "CD", kRealOverflow},
    {"degrees of the largest value", Rad, 1, LDBL_MAX, "CD", kRealOverflow},
};

TEST(RealTrigCommands, ReportsLeaveXAsItWas) {
  for (const ReportCase& k : kRealReports) {
    Calcul run('D', k.trig, k.base);
    run.X(k.x).Keys(k.keys);
    EXPECT_EQ(run.Row6(), k.report) << k.name;
    EXPECT_EQ(run.rx(), k.x) << k.name;
    EXPECT_EQ(run.r.st().StackText[0].view(), run.before) << k.name;
  }
}

// Angles of any finite size give a finite value or a report; a value that
// is not a number (which only a damaged state could hold) is never made
// into a new one.
TEST(RealTrigCommands, EveryValueGivesAFiniteResultOrAReport) {
  const long double xs[] = {1e18L, -3e19L, 0x1p63L, 1e30L, -1e300L, 1e4000L, LDBL_MAX, -LDBL_MAX,
                            LDBL_TRUE_MIN, INFINITY, -INFINITY, NAN};
  const char* keys[] = {"SI", "CO", "CH", "TA", "ASI", "ACO", "ACH", "ATA", "CD", "CR", "M"};
  for (int16_t trig : {Deg, Rad}) {
    for (long double x : xs) {
      for (const char* k : keys) {
        Calcul run('D', trig, 9999);
        run.X(x).Keys(k);
        const long double got = run.rx();
        const std::string what = std::string(k) + " of " + std::to_string(static_cast<double>(x));
        if (run.Report().empty()) {
          EXPECT_TRUE(std::isfinite(got)) << what;
        } else {
          EXPECT_TRUE(std::memcmp(&got, &x, 10) == 0) << what << ": X changed by a report";
        }
        const std::string cmd = k;
        if (std::isfinite(x) && cmd != "CD" && cmd != "TA" && k[0] != 'A') {
          EXPECT_EQ(run.Report(), "") << what;  // a finite angle always has these values
        }
        if (!run.Report().empty()) continue;
        if (cmd == "M") {
          EXPECT_TRUE(got >= 0 && got <= (trig == Deg ? 360 : DecimalTwoPi)) << what;
        }
        if (cmd == "SI" || cmd == "CO" || cmd == "CH") {
          EXPECT_LE(std::fabs(got), cmd == "CH" ? 19998 : 9999) << what;
        }
      }
    }
  }
}

// --- Sexagesimal -----------------------------------------------------------

Sxg Neg(Sxg a) {
  a.Neg = !a.Neg;
  return a;
}

struct SxgCase {
  const char* name;
  int16_t trig, base;
  Sxg x;
  const char* keys;
  Sxg want;
};

const SxgCase kSxgExact[] = {
    {"arc sine of the radius", Rad, 60, S("1,0"), "ASI", HalfPi},
    {"arc sine of -radius", Rad, 60, S("-1,0"), "ASI", Neg(HalfPi)},
    {"arc sine of 0", Rad, 60, S("0"), "ASI", Zero},
    {"arc cosine of the radius", Rad, 60, S("1,0"), "ACO", Zero},
    {"arc cosine of -radius", Rad, 60, S("-1,0"), "ACO", SxgPi},
    {"arc cosine of 0", Rad, 9999, S("0"), "ACO", HalfPi},
    {"arc chord of the diameter", Rad, 60, S("2,0"), "ACH", SxgPi},
    {"arc chord of 0", Deg, 60, S("0"), "ACH", Zero},
    {"arc tangent of 0", Deg, 60, S("0"), "ATA", Zero},
    {"arc tangent of the radius", Rad, 60, S("1,0"), "ATA", QuarterPi},
    {"arc tangent of -radius", Rad, 9999, S("-2,46,39"), "ATA", Neg(QuarterPi)},
    {"cosine of 0", Deg, 9999, S("0"), "CO", S("2,46,39")},
    {"sine of 0", Rad, 60, S("0"), "SI", Zero},
    {"chord of 0", Deg, 60, S("0"), "CH", Zero},
    {"tangent of 0", Deg, 60, S("0"), "TA", Zero},
    {"modulo 725;15 deg", Deg, 1, S("12,5;15"), "M", S("5;15")},
    {"modulo -30 deg", Deg, 1, S("-30"), "M", S("5,30")},
    {"modulo -360 deg", Deg, 1, S("-6,0"), "M", Zero},
    {"modulo -1 rad", Rad, 1, S("-1"), "M", S("5;16,59,28,1,34,51,46,14,49,55,12,35,26,8,58")},
    {"modulo -TwoPi rad", Rad, 1, Neg(TwoPi), "M", Zero},
    {"modulo TwoPi rad", Rad, 1, TwoPi, "M", TwoPi},
    // 180 * CvRad, exact: 91 units of place 15 above SxgPi.
    {"radians of 180", Deg, 1, S("3,0"), "CR", S("3;8,29,44,0,47,25,53,7,24,57,36,17,43,6")},
};

TEST(SxgTrigCommands, ExactResults) {
  for (const SxgCase& k : kSxgExact) {
    Calcul run('G', k.trig, k.base);
    run.X(k.x).Keys(k.keys);
    EXPECT_EQ(run.Report(), "") << k.name;
    EXPECT_EQ(run.sx(), k.want) << k.name;
  }
}

// In degrees the angle goes through CvRad, whose last place is one unit
// above pi/180 rounded: the sine of -30 degrees (reduced to 330 first) is
// off by over a hundred units of place 15 per unit of radius. That is the
// conversion's own error and is kept.
TEST(SxgTrigCommands, DegreesCarryTheErrorOfCvRad) {
  struct Case {
    const char* name;
    Sxg x;
    const char* keys;
    long double want;  // per unit of radius
    double min_units, max_units;
  };
  const Case cases[] = {
      {"sine of -30", S("-30"), "SI", -0.5L, 100, 200},
      {"sine of 30", S("30"), "SI", 0.5L, 0, 20},
      {"chord of 60", S("1,0"), "CH", 1, 0, 30},
      {"chord of -60", S("-1,0"), "CH", 1, 200, 300},  // the half angle's error, doubled
      {"cosine of 180", S("3,0"), "CO", -1, 0, 2},
  };
  for (const Case& k : cases) {
    Calcul run('G', Deg, 60);
    run.X(k.x).Keys(k.keys);
    Mp want(k.want * 60);
    const double units = SxgDiffUnits(run.sx(), want, 60);
    EXPECT_GE(units, k.min_units) << k.name;
    EXPECT_LE(units, k.max_units) << k.name;
  }
}

const Sxg kDeg89 = S("1,29;59,59,59");  // 60^-3 degrees short of the pole

struct SxgReport {
  const char* name;
  int16_t trig, base;
  Sxg x;
  const char* keys;
  const char* report;
};

const SxgReport kSxgReports[] = {
    // 90 * CvRad is not HalfPi, so the cosine is tiny but not zero.
    {"tangent of 90 deg", Deg, 1, S("1,30"), "TA", kSxgOverflow},
    {"tangent of 270 deg", Deg, 1, S("4,30"), "TA", kSxgOverflow},
    {"tangent of HalfPi rad", Rad, 1, HalfPi, "TA", kTangent},
    {"tangent near the pole, large radius", Deg, 9999, kDeg89, "TA", kSxgOverflow},
    {"arc chord of a negative length", Deg, 60, S("-0;0,1"), "ACH", kArcChord},
    {"arc chord beyond the diameter", Deg, 60, S("2,1"), "ACH", kArcChord},
    {"arc sine beyond the radius", Rad, 60, S("1,1"), "ASI", kArcSin},
    {"arc cosine below -radius", Deg, 60, S("-1,1"), "ACO", kArcCos},
    {"degrees beyond 60^5", Rad, 1, S("30,0,0,0,0"), "CD", kSxgOverflow},
};

TEST(SxgTrigCommands, ReportsLeaveXAsItWas) {
  for (const SxgReport& k : kSxgReports) {
    Calcul run('G', k.trig, k.base);
    run.X(k.x).Keys(k.keys);
    EXPECT_EQ(run.Row6(), k.report) << k.name;
    EXPECT_EQ(run.sx(), k.x) << k.name;
    EXPECT_EQ(run.r.st().StackText[0].view(), run.before) << k.name;
  }
}

// The same angle short of the pole, with radius 1: a quotient below 60^5.
TEST(SxgTrigCommands, TangentNearThePoleFitsForASmallRadius) {
  Calcul run('G', Deg, 1);
  run.X(kDeg89).Keys("TA");
  EXPECT_EQ(run.Report(), "");
  Mp x, t;
  SxgValue(kDeg89, x);
  mpfr_const_pi(t, MPFR_RNDN);
  mpfr_mul(x, x, t, MPFR_RNDN);
  mpfr_div_ui(x, x, 180, MPFR_RNDN);
  mpfr_tan(t, x, MPFR_RNDN);
  Mp got;
  SxgValue(run.sx(), got);
  EXPECT_NEAR(got.d() / t.d(), 1.0, 1e-12);
}

// --- Settings ------------------------------------------------------------

TEST(TrigSettings, ChangeTrigModeTwiceRestoresWordAndFlag) {
  Calcul run('G', Deg, 1);
  run.X(S("30")).Keys("RD");
  EXPECT_EQ(run.r.st().TrigMode, 1);
  EXPECT_EQ(run.r.Text(2, 73, 79), "Radians");
  EXPECT_EQ(run.r.scr().At(73, 2).fg, 14);  // the working screen's colours
  EXPECT_EQ(run.r.scr().At(79, 2).bg, 1);
  run.r.Run("RD");
  EXPECT_EQ(run.r.st().TrigMode, 0);
  EXPECT_EQ(run.r.Text(2, 73, 79), "Degrees");
  EXPECT_EQ(run.sx(), S("30"));
}

TEST(TrigSettings, ChangeBaseAsksForTheRadius) {
  struct Case {
    const char* keys;
    int16_t want;
    const char* field;
  };
  const Case cases[] = {{"CB60\r", 60, "  60"}, {"CB9999\r", 9999, "9999"}, {"CB10000\r", 1000, "1000"},
                        {"CB05\r", 5, "   5"}, {"CB12\x1b", 1, "   1"}, {"CB\x1b", 1, "   1"}};
  for (const Case& k : cases) {
    Calcul run('G', Deg, 1);
    run.Keys(k.keys);
    EXPECT_EQ(run.r.st().Base, k.want) << k.keys;
    EXPECT_EQ(run.r.Text(1, 69, 79), std::string("Radius ") + k.field) << k.keys;
    EXPECT_EQ(run.r.scr().At(76, 1).fg, 14) << k.keys;
    EXPECT_EQ(run.r.scr().At(79, 1).bg, 1) << k.keys;
    EXPECT_EQ(run.r.Text(25, 1, 14), "Type Q to Quit") << k.keys;
  }
}

// Changing the unit or the radius changes only later results: pi pushed in
// degrees is not converted, and its sine in radians is then about 0.
TEST(TrigSettings, SettingsChangeOnlyLaterResults) {
  Calcul run('G', Deg, 1);
  run.Keys("PRD");
  EXPECT_EQ(run.sx(), SxgPi);
  run.r.Run("SI");
  Mp zero(0.0L);
  EXPECT_LE(SxgDiffUnits(run.sx(), zero), 2);
  run.r.Run("PCB60\rCO");
  Mp minus60(-60.0L);
  EXPECT_LE(SxgDiffUnits(run.sx(), minus60, 60), 2);
  EXPECT_LE(SxgDiffUnits(run.r.st().SxgStack[1], zero), 2);  // the earlier sine kept

  Calcul dec('D', Rad, 1);
  dec.Keys("PRD");
  EXPECT_EQ(dec.rx(), DecimalPi);
  dec.r.Run("CD");
  EXPECT_EQ(dec.rx(), DecimalPi * 180 / DecimalPi);
}

}  // namespace
}  // namespace qirn::test
