// The sexagesimal series and the arc tangent reduction: exact values where
// the algorithms give them, agreement with MPFR on their ranges, and the
// length of each series by its own stopping rule.
#include <gtest/gtest.h>

#include <cmath>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_trig.h"
#include "support/sxg_text.h"
#include "trig/mpfr_oracle.h"

namespace qirn::test {
namespace {

const Sxg kUnit = S("0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1");
const Sxg kLargest = S("59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59");

Sxg PlusUnit(const Sxg& a) {
  Sxg r;
  SxgAddition(a, kUnit, r);
  return r;
}

using MpFunc = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// |f(a) computed - f(a) true| in units of place 15.
double Units(const Sxg& got, const Sxg& a, MpFunc f) {
  Mp x, t;
  SxgValue(a, x);
  f(t, x, MPFR_RNDN);
  return SxgDiffUnits(got, t);
}

// |got - want| in units of place 15.
double Apart(const Sxg& got, const Sxg& want) {
  Mp w;
  SxgValue(want, w);
  return SxgDiffUnits(got, w);
}

TEST(SxgSeries, ZeroAndOne) {
  Sxg r;
  ComputeSin(Zero, r);
  EXPECT_EQ(r, Zero);
  ComputeSin(S("-0"), r);  // a zero that carries a sign comes back without it
  EXPECT_EQ(r, Zero);
  ComputeCos(Zero, r);
  EXPECT_EQ(r, One);
  ComputeArcTan(Zero, r);
  EXPECT_EQ(r, Zero);
  DetermineArcTan(Zero, r);
  EXPECT_EQ(r, Zero);
  // The reduced argument 1 - 2/(1 + 1) is exactly 0.
  DetermineArcTan(One, r);
  EXPECT_EQ(r, QuarterPi);
}

TEST(SxgSeries, OddSeriesAreOddAndCosineIsEven) {
  for (const char* t : {"0;47,7,26", "0;1", "0;30,0,0,0,0,0,0,0,0,0,0,0,0,0,1", "0;11,56,5,4,16"}) {
    Sxg a = S(t), na = a, p, m;
    na.Neg = true;
    ComputeSin(a, p);
    ComputeSin(na, m);
    m.Neg = !m.Neg;
    EXPECT_EQ(p, m) << t;
    ComputeArcTan(a, p);
    ComputeArcTan(na, m);
    m.Neg = !m.Neg;
    EXPECT_EQ(p, m) << t;
    ComputeCos(a, p);
    ComputeCos(na, m);
    EXPECT_EQ(p, m) << t;
  }
}

TEST(SxgSeries, SineAndCosineOfQuarterPiAgree) {
  Sxg s, c;
  ComputeSin(QuarterPi, s);
  ComputeCos(QuarterPi, c);
  EXPECT_LE(Apart(s, c), 3);
  EXPECT_LE(Units(s, QuarterPi, mpfr_sin), 3);
  EXPECT_LE(Units(c, QuarterPi, mpfr_cos), 3);
}

// Over their ranges the series are within a few units of the true values:
// a wrong term or a lost carry would be off by far more.
TEST(SxgSeries, SeriesAgainstMpfrOnTheirRanges) {
  double sin_max = 0, cos_max = 0, atan_max = 0;
  for (int k = 0; k <= 200; ++k) {
    Mp x;
    // Up to pi/4 for the sine and cosine, tan(pi/16) for the arc tangent.
    mpfr_const_pi(x, MPFR_RNDN);
    mpfr_mul_si(x, x, k - 100, MPFR_RNDN);
    mpfr_div_ui(x, x, 400, MPFR_RNDN);
    const Sxg a = SxgOf(x);
    Sxg r;
    ComputeSin(a, r);
    sin_max = std::max(sin_max, Units(r, a, mpfr_sin));
    ComputeCos(a, r);
    cos_max = std::max(cos_max, Units(r, a, mpfr_cos));
    mpfr_mul_d(x, x, 0.1989123673 / 0.7853981634, MPFR_RNDN);
    const Sxg b = SxgOf(x);
    ComputeArcTan(b, r);
    atan_max = std::max(atan_max, Units(r, b, mpfr_atan));
  }
  EXPECT_LE(sin_max, 4);
  EXPECT_LE(cos_max, 4);
  EXPECT_LE(atan_max, 4);
}

// Where each series ends: the first term below half a unit of place 15
// rounds to zero. Re-derived here from the true terms a^k/k! (sine, cosine)
// and a^k/k (arc tangent); the rounding of the recurrence may move the end
// by one step either way.
int TrueStop(const Sxg& a, int first, int step, bool factorial) {
  Mp x, term, half;
  SxgValue(a, x);
  mpfr_abs(x, x, MPFR_RNDN);
  mpfr_ui_pow_ui(half, 60, 15, MPFR_RNDN);
  mpfr_ui_div(half, 1, half, MPFR_RNDN);
  mpfr_div_ui(half, half, 2, MPFR_RNDN);
  for (int k = first;; k += step) {
    mpfr_pow_ui(term, x, k, MPFR_RNDN);
    if (factorial) {
      Mp f;
      mpfr_fac_ui(f, k, MPFR_RNDN);
      mpfr_div(term, term, f, MPFR_RNDN);
    } else {
      mpfr_div_ui(term, term, k, MPFR_RNDN);
    }
    if (mpfr_cmp(term, half) < 0) return k;
  }
}

TEST(SxgSeries, SeriesStopByTheirOwnRuleAndStayShort) {
  struct Case {
    const char* name;
    Sxg a;
  };
  const Case cases[] = {{"pi/4", QuarterPi}, {"pi/8", EighthPi}, {"0;1", S("0;1")}, {"unit", kUnit},
                        {"tan pi/16", CapitalX[0]}, {"0;0,1", S("0;0,1")}};
  for (const Case& k : cases) {
    int16_t exp = 0;
    Sxg r;
    ComputeSin(k.a, r, exp);
    EXPECT_NEAR(exp, std::max(5, TrueStop(k.a, 5, 2, true)), 2) << "sine " << k.name;
    EXPECT_LE(exp, 29) << "sine " << k.name;  // at most 13 terms after the first
    ComputeCos(k.a, r, exp);
    EXPECT_NEAR(exp, std::max(4, TrueStop(k.a, 4, 2, true)), 2) << "cosine " << k.name;
    EXPECT_LE(exp, 28) << "cosine " << k.name;
    if (!Larger(k.a, CapitalX[0])) {
      ComputeArcTan(k.a, r, exp);
      EXPECT_NEAR(exp, std::max(5, TrueStop(k.a, 5, 2, false)), 2) << "arc tangent " << k.name;
      EXPECT_LE(exp, 41) << "arc tangent " << k.name;
    }
  }
  // A zero argument still makes one pass: the zero term A^3/3! is added.
  int16_t exp = 0;
  Sxg r;
  ComputeSin(Zero, r, exp);
  EXPECT_EQ(exp, 5);
  ComputeCos(Zero, r, exp);
  EXPECT_EQ(exp, 4);
  ComputeArcTan(Zero, r, exp);
  EXPECT_EQ(exp, 5);
}

// Arguments far outside the ranges do not hang: the divisors' 16-bit limit
// ends every series.
TEST(SxgSeries, OutOfRangeArgumentsStillEnd) {
  int16_t exp = 0;
  Sxg r;
  ComputeSin(S("3,0"), r, exp);
  EXPECT_LE(exp, 181);
  ComputeCos(kLargest, r, exp);
  EXPECT_LE(exp, 180);
  ComputeArcTan(One, r, exp);  // terms 1/k never reach zero before the limit
  EXPECT_EQ(exp, 32767);
}

TEST(DetermineArcTan, AnchorsAndBreakpoints) {
  Sxg r;
  DetermineArcTan(X3, r);  // tan(pi/8)
  EXPECT_LE(Apart(r, EighthPi), 3);
  DetermineArcTan(X1, r);  // tan(3 pi/8)
  EXPECT_LE(Units(r, X1, mpfr_atan), 3);
  EXPECT_LE(Apart(r, ThreeEighthPi), 3);
  // At a breakpoint the lower anchor is used, one unit above it the upper;
  // both give the same arc tangent up to the last places.
  for (int k = 0; k < 4; ++k) {
    Sxg lo, hi;
    DetermineArcTan(CapitalX[k], lo);
    DetermineArcTan(PlusUnit(CapitalX[k]), hi);
    EXPECT_LE(Units(lo, CapitalX[k], mpfr_atan), 3) << k;
    EXPECT_LE(Units(hi, PlusUnit(CapitalX[k]), mpfr_atan), 3) << k;
    EXPECT_LE(Apart(hi, lo), 4) << k;
  }
}

TEST(DetermineArcTan, WholeRangeAgainstMpfr) {
  // 0 .. 60^5 - 60^-15: powers of 60 and values around every breakpoint.
  double worst = 0;
  const char* values[] = {"0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", "0;0,0,1", "0;12", "0;24,51", "0;40,5,27",
                          "0;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59", "1;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1",
                          "1;29,47,46,51", "2;24,51,10", "5;1,38,25,20", "7", "1,0", "1,0,0,0", "59,59,59,59,59"};
  for (const char* t : values) {
    Sxg r;
    DetermineArcTan(S(t), r);
    worst = std::max(worst, Units(r, S(t), mpfr_atan));
    EXPECT_FALSE(r.Neg) << t;
    EXPECT_FALSE(Larger(r, HalfPi)) << t;
  }
  Sxg r;
  DetermineArcTan(kLargest, r);  // pi/2 less a tiny arc; no overflow anywhere
  EXPECT_NE(r.Digits[-4], SxgOverflowMark);
  EXPECT_TRUE(Larger(HalfPi, r));
  worst = std::max(worst, Units(r, kLargest, mpfr_atan));
  EXPECT_LE(worst, 4);
}

}  // namespace
}  // namespace qirn::test
