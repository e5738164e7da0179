// Reduction to one turn and conversion between the units, in both number
// systems, against exact remainders computed with MPFR.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "decimal/real_trig.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_trig.h"
#include "support/sxg_text.h"
#include "trig/mpfr_oracle.h"

namespace qirn::test {
namespace {

const Sxg kLargest = S("59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59");

Sxg Mod2Pi(const Sxg& a) {
  Sxg r;
  SxgModulo2Pi(a, r);
  return r;
}

Sxg Mod360(const Sxg& a) {
  Sxg r;
  SxgModulo360(a, r);
  return r;
}

// x mod m in [0, m), where m is 2 pi (m_num 0) or the whole number m_num,
// at a precision that keeps every bit of the turn count of x.
void ExactMod(mpfr_srcptr x, long m_num, mpfr_ptr out) {
  const mpfr_prec_t prec = kPrec + (mpfr_zero_p(x) ? 0 : std::max<mpfr_exp_t>(0, mpfr_get_exp(x)));
  mpfr_t m, q;
  mpfr_inits2(prec, m, q, static_cast<mpfr_ptr>(nullptr));
  if (m_num == 0) {
    mpfr_const_pi(m, MPFR_RNDN);
    mpfr_mul_ui(m, m, 2, MPFR_RNDN);
  } else {
    mpfr_set_si(m, m_num, MPFR_RNDN);
  }
  mpfr_div(q, x, m, MPFR_RNDN);
  mpfr_floor(q, q);
  mpfr_mul(q, q, m, MPFR_RNDN);
  mpfr_sub(q, x, q, MPFR_RNDN);
  mpfr_set(out, q, MPFR_RNDN);
  mpfr_clears(m, q, static_cast<mpfr_ptr>(nullptr));
}

// The distance of two angles on the circle (either may stand for a full turn).
double TurnDistance(mpfr_srcptr a, mpfr_srcptr b, mpfr_srcptr turn) {
  Mp d;
  mpfr_sub(d, a, b, MPFR_RNDN);
  mpfr_abs(d, d, MPFR_RNDN);
  Mp other;
  mpfr_sub(other, turn, d, MPFR_RNDN);
  mpfr_abs(other, other, MPFR_RNDN);
  return std::min(d.d(), other.d());
}

TEST(SxgModulo2Pi, ExactCases) {
  struct Case {
    const char* name;
    Sxg a, want;
  };
  const Case cases[] = {
      {"zero", Zero, Zero},
      {"TwoPi stays", TwoPi, TwoPi},
      {"-TwoPi", [] { Sxg a = TwoPi; a.Neg = true; return a; }(), Zero},
      {"-1", S("-1"), S("5;16,59,28,1,34,51,46,14,49,55,12,35,26,8,58")},
      {"1", One, One},
      {"below one turn", S("6;16,59,28,1,34,51,46,14,49,55,12,35,26,8,57"),
       S("6;16,59,28,1,34,51,46,14,49,55,12,35,26,8,57")},
      {"-unit", S("-0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1"), S("6;16,59,28,1,34,51,46,14,49,55,12,35,26,8,57")},
  };
  for (const Case& k : cases) EXPECT_EQ(Mod2Pi(k.a), k.want) << k.name;
}

// Up to the largest number: within one unit of place 15 of the remainder
// modulo the exact 2 pi, and never outside [0, TwoPi].
TEST(SxgModulo2Pi, ManyTurnsWithinOneUnitOfTheExactRemainder) {
  std::vector<Sxg> values = {kLargest, S("59,59,59,59,59"), S("1,0,0,0,0"), S("7"), S("12;33,58,56"),
                             S("-59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59"),
                             S("-12;33,58,56,3,9,43,32,29,39,50,25,10,52,17,56")};
  // Whole multiples of TwoPi, and of the exact 2 pi, up to 1.2e8 turns.
  for (long k : {2L, 3L, 59L, 1000L, 123456L, 9999999L, 123758979L}) {
    Mp x;
    mpfr_const_pi(x, MPFR_RNDN);
    mpfr_mul_si(x, x, 2 * k, MPFR_RNDN);
    values.push_back(SxgOf(x));
    Sxg t;
    MultiplySxgInteger(TwoPi, static_cast<int16_t>(k % 30000), t);
    values.push_back(t);
  }
  uint64_t s = 99;
  for (int i = 0; i < 200; ++i) {
    Sxg a{};
    for (int p = -4; p <= 15; ++p) {
      s = s * 6364136223846793005ULL + 1442695040888963407ULL;
      a.Digits[p] = static_cast<int16_t>((s >> 33) % 60);
    }
    a.Neg = i % 2;
    values.push_back(a);
  }
  Mp two_pi, unit, tp;
  mpfr_const_pi(two_pi, MPFR_RNDN);
  mpfr_mul_ui(two_pi, two_pi, 2, MPFR_RNDN);
  mpfr_ui_pow_ui(unit, 60, 15, MPFR_RNDN);
  mpfr_ui_div(unit, 1, unit, MPFR_RNDN);
  SxgValue(TwoPi, tp);
  for (const Sxg& a : values) {
    const Sxg r = Mod2Pi(a);
    Mp x, want, got;
    SxgValue(a, x);
    ExactMod(x, 0, want);
    SxgValue(r, got);
    EXPECT_FALSE(r.Neg) << Notation(a);
    EXPECT_FALSE(Larger(r, TwoPi)) << Notation(a);
    EXPECT_LE(TurnDistance(got, want, two_pi) / unit.d(), 1.0) << Notation(a) << " gives " << Notation(r);
  }
}

TEST(SxgModulo360, TableAndExactness) {
  struct Case {
    const char* a;
    const char* want;
  };
  const Case cases[] = {{"12,5;15", "5;15"},   {"-30", "5,30"}, {"-6,0", "0"}, {"6,0", "0"},
                        {"0", "0"},            {"5,59;59", "5,59;59"},
                        {"-0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", "5,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59"},
                        {"59,59,59,59,59;1,2", "5,59;1,2"}, {"-59,59,59,59,59", "1"}};
  for (const Case& k : cases) {
    EXPECT_EQ(Mod360(S(k.a)), S(k.want)) << k.a;
  }
  // Every value: exactly its remainder modulo 360.
  uint64_t s = 7;
  for (int i = 0; i < 200; ++i) {
    Sxg a{};
    for (int p = -4; p <= 15; ++p) {
      s = s * 6364136223846793005ULL + 1442695040888963407ULL;
      a.Digits[p] = static_cast<int16_t>((s >> 33) % 60);
    }
    a.Neg = i % 3 == 0;
    Mp x, want;
    SxgValue(a, x);
    ExactMod(x, 360, want);
    EXPECT_EQ(Mod360(a), SxgOf(want)) << Notation(a);
  }
}

TEST(SxgConversion, ProductsWithTheTabulatedConstants) {
  Sxg r;
  // 180 * CvRad is exact; CvRad ends in 22, so this is not SxgPi.
  SxgConvertRadians(S("3,0"), r);
  Mp v;
  SxgValue(CvRad, v);
  mpfr_mul_ui(v, v, 180, MPFR_RNDN);
  EXPECT_EQ(r, SxgOf(v));
  EXPECT_TRUE(Larger(r, SxgPi));
  SxgConvertDegrees(SxgPi, r);
  Mp d;
  mpfr_set_ui(d, 180, MPFR_RNDN);
  EXPECT_LE(SxgDiffUnits(r, d), 64);
  SxgConvertDegrees(S("30,0,0,0,0"), r);
  EXPECT_EQ(r.Digits[-4], SxgOverflowMark);
}

// The remainder by the three-part 2 pi.
TEST(RealModulo2Pi, EdgeCases) {
  const long double tiny = RealModulo2Pi(DecimalTwoPi);
  EXPECT_GT(tiny, 0.0L);
  EXPECT_LT(tiny, 1e-18L);
  EXPECT_EQ(RealModulo2Pi(-DecimalTwoPi), -tiny + DecimalPi * 2);
  // Below pi the first estimate is -1 turn, and the extra turn comes off again.
  for (long double x : {1.0L, 0.5L, 3.0L, 1e-10L}) {
    EXPECT_NEAR(RealModulo2Pi(x), x, 2 * Ulp(DecimalTwoPi)) << x;
    EXPECT_NEAR(RealModulo2Pi(-x), DecimalTwoPi - x, 2 * Ulp(DecimalTwoPi)) << x;
  }
  EXPECT_EQ(RealModulo2Pi(0.0L), RealModulo2Pi(-0.0L));
}

// Over the whole range of 64-bit turn counts the remainder stays in the
// turn and is as accurate as the angle's own spacing allows; beyond it
// (no integer turn count) it is taken without one, as exactly as 2 pi is
// known.
TEST(RealModulo2Pi, EveryFiniteAngleStaysInOneTurn) {
  Mp two_pi;
  mpfr_const_pi(two_pi, MPFR_RNDN);
  mpfr_mul_ui(two_pi, two_pi, 2, MPFR_RNDN);
  std::vector<long double> xs;
  for (long double m = 1e-3L; m < 1e4930L; m *= (m < 1e25L ? 7.3L : 1e37L)) xs.push_back(m);
  for (long double m : {0x1p63L * DecimalTwoPi, 0x1p64L * DecimalTwoPi, 0x1p63L * 6.28L, 1e18L, 1e19L, 1e20L,
                        LDBL_MAX, LDBL_TRUE_MIN, 100 * DecimalTwoPi, 1e6L * DecimalTwoPi})
    xs.push_back(m);
  for (long double m : std::vector<long double>(xs)) xs.push_back(-m);
  for (long double x : xs) {
    const long double r = RealModulo2Pi(x);
    ASSERT_TRUE(r >= 0 && r <= DecimalTwoPi) << x << " gives " << r;
    Mp want;
    ExactMod(Mp(x), 0, want);
    // Near 2^63 turns the turn-count estimate rounds C * TwoPiHigh by up to
    // half an ulp of x; elsewhere the error is far below that.
    const long double allowed = std::max(4 * Ulp(DecimalTwoPi), std::fabs(x) < 0x1p63L * 6.3L ? Ulp(x) : 0.0L);
    EXPECT_LE(TurnDistance(Mp(r), want, two_pi), static_cast<double>(allowed)) << x;
  }
  EXPECT_EQ(RealModulo2Pi(INFINITY), 0.0L);
  EXPECT_EQ(RealModulo2Pi(NAN), 0.0L);
}

TEST(RealConversion, OrderAndRange) {
  EXPECT_EQ(RealConvertDegrees(1.0L), 1.0L * 180.0L / DecimalPi);
  EXPECT_EQ(RealConvertRadians(180.0L), DecimalPi * 180.0L / 180.0L);
  EXPECT_EQ(RealConvertRadians(30.0L), DecimalPi * 30.0L / 180.0L);
  // pi * R would leave the range; the result is smaller than R and finite.
  EXPECT_TRUE(std::isfinite(RealConvertRadians(LDBL_MAX)));
  EXPECT_TRUE(std::isfinite(RealConvertRadians(-LDBL_MAX)));
  EXPECT_FALSE(std::isfinite(RealConvertDegrees(LDBL_MAX)));
}

TEST(RealModulo360, WholeDegreesReducedFractionKept) {
  struct Case {
    long double x, want;
  };
  const Case cases[] = {{725.25L, 5.25L}, {360, 0}, {-30, 330}, {-0.5L, 359.5L}, {-360, 360}, {0, 0},
                        {359.75L, 359.75L}, {-725.25L, 354.75L}, {1e17L + 90, 10}, {1e30L, 312}, {-1e30L, 48}};
  for (const Case& k : cases) EXPECT_EQ(RealModulo360(k.x), k.want) << k.x;
  // Above the decimal limit the remainder is exact (the long double of 1e30
  // is 1e30 + 19884624838656, which is 312 modulo 360).
  Mp m;
  for (long double x : {1e18L, 3e19L, 1e25L, 1e300L, LDBL_MAX}) {
    ExactMod(Mp(x), 360, m);
    EXPECT_EQ(RealModulo360(x), m.ld()) << x;
  }
}

}  // namespace
}  // namespace qirn::test
