// Reciprocal (RE), remainder (RM) and the decimal square root (SR) through
// the command loop; remainders checked against exact rational arithmetic.
#include <gtest/gtest.h>

#include "cmd_exact.h"
#include "cmd_fixture.h"
#include "decimal/real_format.h"

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
      EXPECT_EQ(s.RealStack[0], k.real_expected);
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

// Over the whole range, a tiny X under a huge Y included (where Y / X is not
// a finite number), the decimal remainder is the exact one.
TEST(Remainder, DecimalIsExact) {
  std::mt19937_64 rng(77);
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
    ASSERT_EQ(mpq_cmp(ExactOf(got), ExactRemainder(ExactOf(y), ExactOf(x))), 0);
    ASSERT_FALSE(got == 0 && std::signbit(got));
  }
}

TEST(Remainder, SexagesimalIsExact) {
  std::mt19937_64 rng(78);
  for (int n = 0; n < 1500; ++n) {
    const Sxg y = RandomSxg(rng, static_cast<int>(rng() % 6));
    Sxg x = RandomSxg(rng, static_cast<int>(rng() % 6));
    if (n % 7 == 0) {  // a tiny X, so that Y / X has no place for its quotient
      x = Sxg{};
      x.Digits[15] = static_cast<int16_t>(1 + rng() % 59);
    }
    bool zero = true;
    for (int i = -4; i <= 15; ++i) zero &= x.Digits[i] == 0;
    if (zero) continue;
    SCOPED_TRACE(Notation(y) + " rem " + Notation(x));
    CmdRig r('G');
    r.st().SxgStack[1] = y;
    r.st().SxgStack[0] = x;
    r.Go("RM");
    const Sxg got = r.st().SxgStack[0];
    ASSERT_EQ(mpq_cmp(ExactOf(got), ExactRemainder(ExactOf(y), ExactOf(x))), 0);
    bool got_zero = true;
    for (int i = -4; i <= 15; ++i) got_zero &= got.Digits[i] == 0;
    ASSERT_FALSE(got_zero && got.Neg);
  }
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
