// Reciprocal (RE), remainder (RM) and the decimal square root (SR) through
// the command loop; remainders checked against exact rational arithmetic
// within the rounding of the quotient.
#include <gtest/gtest.h>

#include <algorithm>

#include "cmd_exact.h"
#include "cmd_fixture.h"
#include "decimal/real_format.h"
#include "sexagesimal/sxg_arith.h"

namespace qirn::test {
namespace {

constexpr std::string_view kDivZero = " DIVISON by ZERO             Press any key to continue";
constexpr std::string_view kRealOverflow = " DECIMAL OVERFLOW            Press any key to continue";
constexpr std::string_view kSxgOverflow = " SEXAGESIMAL OVERFLOW        Press any key to continue";
constexpr std::string_view kNegRoot = " SQUARE ROOT of a NEGATIVE NUMBER        Press any key";

// Runs `keys` (and a space to dismiss a message) on a stack of both systems
// filled with distinct values; returns the rig and the state before.
struct Outcome {
  CmdRig r;
  State before;
};
void RunOn(Outcome& o, char mode, std::string_view keys) {
  CmdRig probe(mode);
  probe.st() = o.r.st();
  probe.Go();
  o.before = probe.st();
  o.r.Go(std::string(keys) + " ");
}

TEST(Reciproke, Decimal) {
  struct Case {
    long double x, expected;
    std::string_view message;  // empty: accepted
  } cases[] = {
      {4, 0.25L, {}},
      {-0.5L, -2, {}},
      {0x1p-59L, 0x1p59L, {}},  // 5.8e17, within the limit
      {0, 0, kDivZero},
      {0x1p-60L, 0, kRealOverflow},  // 1.15e18
      {0.9e-18L, 0, kRealOverflow},
      {-1e-4000L, 0, kRealOverflow},  // the quotient would not be finite
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(static_cast<double>(k.x)));
    Outcome o;
    FillBoth(o.r.st());
    o.r.st().NumberMode = 'D';
    o.r.st().RealStack[0] = k.x;
    RunOn(o, 'D', "RE");
    if (k.message.empty()) {
      EXPECT_EQ(o.r.st().RealStack[0], k.expected);
      for (int i = 1; i < 4; ++i) EXPECT_EQ(o.r.st().RealStack[i], o.before.RealStack[i]);
      EXPECT_TRUE(SameSxg(o.r.st(), o.before));
    } else {
      EXPECT_TRUE(o.r.SawMessage(k.message));
      EXPECT_TRUE(SameState(o.r.st(), o.before));
    }
    EXPECT_EQ(o.r.Shown(0), Pad55(o.r.st().StackText[0]));
  }
}

TEST(Reciproke, Sexagesimal) {
  struct Case {
    const char* x;
    const char* expected;  // nullptr: the message
    std::string_view message;
  } cases[] = {
      {"0;30", "2", {}},
      {"-4", "-0;15", {}},
      {"7", "0;8,34,17,8,34,17,8,34,17,8,34,17,8,34,17", {}},
      {"0", nullptr, kDivZero},
      {"0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", nullptr, kSxgOverflow},
  };
  for (char mode : {'G', 'C'}) {
    for (const Case& k : cases) {
      SCOPED_TRACE(std::string(k.x) + " mode " + mode);
      Outcome o;
      FillBoth(o.r.st());
      o.r.st().NumberMode = mode;
      o.r.st().SxgStack[0] = S(k.x);
      RunOn(o, mode, "re");
      if (k.expected) {
        EXPECT_EQ(o.r.st().SxgStack[0], S(k.expected));
        for (int i = 1; i < 4; ++i) EXPECT_EQ(o.r.st().SxgStack[i], o.before.SxgStack[i]);
        EXPECT_TRUE(SameDecimal(o.r.st(), o.before));
      } else {
        EXPECT_TRUE(o.r.SawMessage(k.message));
        EXPECT_TRUE(SameState(o.r.st(), o.before));
      }
    }
  }
}

TEST(Remainder, KnownValuesDropTheStack) {
  struct Case {
    char mode;
    const char* y;
    const char* x;
    long double ry, rx;
    const char* expected;  // decimal: parsed as the decimal remainder expected
    long double real_expected;
  } cases[] = {
      {'D', nullptr, nullptr, 7, 3, nullptr, 1},
      {'D', nullptr, nullptr, -7, 3, nullptr, -1},
      {'D', nullptr, nullptr, 7, -3, nullptr, 1},
      {'D', nullptr, nullptr, 6, -3, nullptr, 0},
      {'D', nullptr, nullptr, -6, 3, nullptr, 0},
      {'D', nullptr, nullptr, 5.5L, 2, nullptr, 1.5L},
      {'D', nullptr, nullptr, 1, 1e17L, nullptr, 1},
      {'G', "1;30", "1", 0, 0, "0;30", 0},
      {'G', "-7", "3", 0, 0, "-1", 0},
      {'S', "7", "-3", 0, 0, "1", 0},
      {'Z', "-6", "3", 0, 0, "0", 0},
      {'C', "10", "0;7", 0, 0, "0;5", 0},
      // A quotient beyond the integer places: 60^15 = 1 mod 7.
      {'G', "1", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,7", 0, 0, "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", 0},
      {'G', "-59,0,0,0,0", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,7", 0, 0, "-0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,5", 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(1, k.mode) + " " + (k.y ? k.y : std::to_string(static_cast<double>(k.ry))));
    Outcome o;
    FillBoth(o.r.st());
    o.r.st().NumberMode = k.mode;
    if (k.mode == 'D') {
      o.r.st().RealStack[1] = k.ry;
      o.r.st().RealStack[0] = k.rx;
    } else {
      o.r.st().SxgStack[1] = S(k.y);
      o.r.st().SxgStack[0] = S(k.x);
    }
    o.r.MarkStackRows();
    RunOn(o, k.mode, "RM");
    const State& s = o.r.st();
    if (k.mode == 'D') {
      // 7 / 3 is rounded, so 7 rem 3 comes out a hair below 1 and shows as 1.
      EXPECT_LE(std::fabs(s.RealStack[0] - k.real_expected), std::ldexp(std::fabs(k.ry) + std::fabs(k.rx), -64));
      EXPECT_EQ(o.r.Shown(0), Pad55(RealToStr(k.real_expected)));
      EXPECT_FALSE(std::signbit(s.RealStack[0]) && s.RealStack[0] == 0);
      EXPECT_EQ(s.RealStack[1], o.before.RealStack[2]);
      EXPECT_EQ(s.RealStack[2], o.before.RealStack[3]);
      EXPECT_EQ(s.RealStack[3], o.before.RealStack[3]);
      EXPECT_TRUE(SameSxg(s, o.before));
    } else {
      EXPECT_EQ(s.SxgStack[0], S(k.expected));
      EXPECT_EQ(s.SxgStack[1], o.before.SxgStack[2]);
      EXPECT_EQ(s.SxgStack[2], o.before.SxgStack[3]);
      EXPECT_EQ(s.SxgStack[3], o.before.SxgStack[3]);
      EXPECT_TRUE(SameDecimal(s, o.before));
    }
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(o.r.Drawn(i)) << i;
    EXPECT_FALSE(o.r.Drawn(3));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.StackText[i].view(), DisplayText(o.r.c, i).view());
  }
}

// A zero X is refused in both systems as a division by zero would be.
TEST(Remainder, ByZeroIsADivisionByZero) {
  for (char mode : {'D', 'G', 'Z'}) {
    SCOPED_TRACE(mode);
    Outcome o;
    FillBoth(o.r.st());
    o.r.st().NumberMode = mode;
    o.r.st().RealStack[0] = 0;
    o.r.st().SxgStack[0] = S("0");
    RunOn(o, mode, "RM");
    EXPECT_TRUE(o.r.SawMessage(kDivZero));
    EXPECT_TRUE(SameState(o.r.st(), o.before));
    EXPECT_EQ(o.r.Shown(0), Pad55(o.before.StackText[0]));
  }
}

long double RandomReal(std::mt19937_64& rng, int e) {
  const uint64_t m = rng() | (uint64_t(1) << 63);
  const long double x = std::ldexp(static_cast<long double>(m), e - 64);
  return rng() % 2 ? -x : x;
}

// Y - trunc(Y / X) X in exact rationals.
Q ExactRemainder(const Q& y, const Q& x) {
  Q q;
  mpq_div(q, y, x);
  mpz_t t;
  mpz_init(t);
  mpz_tdiv_q(t, mpq_numref(q.v), mpq_denref(q.v));
  Q tq;
  mpq_set_z(tq, t);
  mpq_mul(tq, tq, x);
  Q r;
  mpq_sub(r, y, tq);
  mpz_clear(t);
  return r;
}

// The distance of r from the exact remainder e, taken modulo |x|: a quotient
// rounded across a whole number moves the remainder by one |x|.
Q DistanceModulo(const Q& r, const Q& e, const Q& x) {
  Q ax, d, best;
  mpq_abs(ax, x);
  mpq_sub(best, r, e);
  mpq_abs(best, best);
  for (int k : {-1, 1}) {
    mpq_sub(d, r, e);
    if (k < 0)
      mpq_sub(d, d, ax);
    else
      mpq_add(d, d, ax);
    mpq_abs(d, d);
    if (mpq_cmp(d, best) < 0) best = d;
  }
  return best;
}

// What a remainder result must be, whatever the rounding: the sign of Y or
// zero, a magnitude not above |X|.
::testing::AssertionResult SignAndSize(const Q& r, const Q& y, const Q& x) {
  if (mpq_sgn(r.v) != 0 && mpq_sgn(r.v) != mpq_sgn(y.v)) return ::testing::AssertionFailure() << "sign";
  Q ar, ax;
  mpq_abs(ar, r);
  mpq_abs(ax, x);
  if (mpq_cmp(ar, ax) > 0) return ::testing::AssertionFailure() << "larger than X";
  return ::testing::AssertionSuccess();
}

// Over the whole range. Y / X is rounded by at most 2^-64 |Y / X|, which X
// turns into 2^-64 |Y|; the fraction is exact and the product rounds by at
// most 2^-64 |X|: R is within 2^-64 (|Y| + |X|) of the exact remainder,
// modulo |X|. A tiny X under a huge Y gives no finite quotient, and there the
// remainder is fmodl's, which is exact.
TEST(Remainder, DecimalWithinTheQuotientsRounding) {
  std::mt19937_64 rng(77);
  double max_units = 0;
  int not_finite = 0;
  for (int n = 0; n < 1500; ++n) {
    const long double y = RandomReal(rng, static_cast<int>(rng() % 120) - 60);
    const long double x = n % 10 == 0 ? RandomReal(rng, -16370 + static_cast<int>(rng() % 30))
                                      : RandomReal(rng, static_cast<int>(rng() % 120) - 60);
    SCOPED_TRACE(std::to_string(static_cast<double>(y)) + " rem " + std::to_string(static_cast<double>(x)));
    CmdRig r('D');
    r.st().RealStack[1] = y;
    r.st().RealStack[0] = x;
    r.Go("RM");
    const long double got = r.st().RealStack[0];
    ASSERT_TRUE(std::isfinite(got));
    ASSERT_FALSE(got == 0 && std::signbit(got));
    const Q qy = ExactOf(y), qx = ExactOf(x), qr = ExactOf(got);
    const Q exact = ExactRemainder(qy, qx);
    ASSERT_TRUE(SignAndSize(qr, qy, qx));
    if (!std::isfinite(y / x)) {
      ++not_finite;
      ASSERT_EQ(got, std::fmod(y, x));
      ASSERT_EQ(mpq_cmp(qr, exact), 0);
      continue;
    }
    Q bound, ax;
    mpq_abs(bound, qy);
    mpq_abs(ax, qx);
    mpq_add(bound, bound, ax);
    mpq_div_2exp(bound, bound, 63);
    Q d = DistanceModulo(qr, exact, qx);
    mpq_mul_2exp(d, d, 1);  // against 2^-64 (|Y| + |X|)
    ASSERT_LE(mpq_cmp(d, bound), 0);
    mpq_div(d, d, bound);
    max_units = std::max(max_units, mpq_get_d(d));
  }
  EXPECT_GT(not_finite, 20);
  RecordProperty("max_units", std::to_string(max_units));
}

// The quotient is rounded at place 15 by at most half a unit u = 60^-15,
// which X turns into u |X| / 2; the product rounds by u / 2 more. So the
// remainder is within u (|X| + 1) / 2 of the exact one, modulo |X|: two units
// for |X| below 3. A quotient of 60^5 or more has no integer places to clear;
// its remainder is the exact one.
TEST(Remainder, SexagesimalWithinTheQuotientsRounding) {
  std::mt19937_64 rng(78);
  double max_units = 0, max_units_small_x = 0;
  int overflowed = 0;
  const Q u = [] {
    Sxg one{};
    one.Digits[15] = 1;
    return ExactOf(one);
  }();
  const Q bound_quotient(777600000, 1);
  for (int n = 0; n < 1500; ++n) {
    const Sxg y = RandomSxg(rng, static_cast<int>(rng() % 6));
    Sxg x = RandomSxg(rng, static_cast<int>(rng() % 6));
    if (n % 7 == 0) {  // a tiny X, so that Y / X has no place for its quotient
      x = Sxg{};
      x.Digits[15] = static_cast<int16_t>(1 + rng() % 59);
    }
    if (IsZero(x)) continue;
    SCOPED_TRACE(Notation(y) + " rem " + Notation(x));
    CmdRig r('G');
    r.st().SxgStack[1] = y;
    r.st().SxgStack[0] = x;
    r.Go("RM");
    const Sxg got = r.st().SxgStack[0];
    ASSERT_FALSE(IsZero(got) && got.Neg);
    const Q qy = ExactOf(y), qx = ExactOf(x), qr = ExactOf(got);
    const Q exact = ExactRemainder(qy, qx);
    ASSERT_TRUE(SignAndSize(qr, qy, qx));
    Q quotient;
    mpq_div(quotient, qy, qx);
    mpq_abs(quotient, quotient);
    if (mpq_cmp(quotient, bound_quotient) >= 0) {
      ++overflowed;
      ASSERT_EQ(mpq_cmp(qr, exact), 0);
      continue;
    }
    Q d = DistanceModulo(qr, exact, qx);
    mpq_div(d, d, u);
    Q allowed;
    mpq_abs(allowed, qx);
    mpq_div(allowed, allowed, u);
    mpq_add(allowed, allowed, Q(1, 1));
    mpq_div_2exp(allowed, allowed, 1);
    ASSERT_LE(mpq_cmp(d, allowed), 0);
    max_units = std::max(max_units, mpq_get_d(d));
    Q ax;
    mpq_abs(ax, qx);
    if (mpq_cmp(ax, Q(3, 1)) < 0) max_units_small_x = std::max(max_units_small_x, mpq_get_d(d));
  }
  EXPECT_GT(overflowed, 100);
  RecordProperty("max_units", std::to_string(max_units));
}

TEST(RealSqrt, RootOrErrorTwo) {
  struct Case {
    long double x, expected;
    bool error;
  } cases[] = {
      {-4, -4, true},
      {2, 1.41421356237309504880168872420969808L, false},
      {0, 0, false},
      {6.25L, 2.5L, false},
      {0x1p-4000L, 0x1p-2000L, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(static_cast<double>(k.x)));
    Outcome o;
    FillBoth(o.r.st());
    o.r.st().NumberMode = 'D';
    o.r.st().RealStack[0] = k.x;
    o.r.MarkStackRows();
    RunOn(o, 'D', "SR");
    const State& s = o.r.st();
    EXPECT_EQ(s.RealStack[0], k.expected);
    EXPECT_EQ(o.r.SawMessage(kNegRoot), k.error);
    for (int i = 1; i < 4; ++i) {
      EXPECT_EQ(s.RealStack[i], o.before.RealStack[i]);
      EXPECT_FALSE(o.r.Drawn(i));
    }
    EXPECT_TRUE(SameSxg(s, o.before));
    EXPECT_EQ(s.StackText[0].view(), RealToStr(k.expected).view());
    EXPECT_EQ(o.r.Shown(0), Pad55(s.StackText[0]));
  }
}

}  // namespace
}  // namespace qirn::test
