// Changing the number mode (Alt+M) and converting X between the number
// systems (Alt+V), checked against bounds stated in exact rational arithmetic.
#include <gtest/gtest.h>

#include <algorithm>

#include "cmd_exact.h"
#include "cmd_fixture.h"
#include "decimal/real_format.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_format.h"

namespace qirn::test {
namespace {

const char* ModeName(char m) {
  switch (m) {
    case 'D': return "Decimal mode      ";
    case 'G': return "Greek mode      ";
    case 'C': return "Chinese mode      ";
    case 'S': return "Sexagesimal mode      ";
    default: return "Zodiacal mode      ";
  }
}

TEST(ChangeNumberMode, SwitchesTheSystemShownWithoutConverting) {
  struct Case {
    char from;
    const char* keys;
    char to;
    char prev_before, prev_after;
    int mem_ptr_after;  // from 3
  } cases[] = {
      {'G', "s", 'S', 'C', 'C', 3},  // between sexagesimal modes the window stays
      {'C', "Z", 'Z', 'G', 'G', 3},
      {'G', "D", 'D', 'Z', 'G', 0},
      {'Z', "d", 'D', 'G', 'Z', 0},
      {'D', "c", 'C', 'S', 'S', 0},
      {'S', "xq5\r+g", 'G', 'C', 'C', 3},  // other keys are ignored
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(1, k.from) + " " + k.keys);
    CmdRig probe(k.from);
    FillBoth(probe.st());
    probe.Go();
    CmdRig r(k.from);
    FillBoth(r.st());
    r.st().MemPtr = 3;
    r.st().PrevSxgMode = k.prev_before;
    r.Ext(scan::AltM).Type(k.keys);
    r.Go();
    const State& s = r.st();
    EXPECT_EQ(s.NumberMode, k.to);
    EXPECT_EQ(s.PrevSxgMode, k.prev_after);
    EXPECT_EQ(s.MemPtr, k.mem_ptr_after);
    EXPECT_TRUE(SameDecimal(s, probe.st()));
    EXPECT_TRUE(SameSxg(s, probe.st()));
    EXPECT_EQ(r.Text(1, 1, static_cast<int>(std::string_view(ModeName(k.to)).size())), ModeName(k.to));
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(s.StackText[i].view(), DisplayText(r.c, i).view());
      EXPECT_EQ(r.Shown(i), Pad55(s.StackText[i]));
    }
    // The memory window shows the registers of the new system.
    const int reg = k.mem_ptr_after;
    const std::string mem = k.to == 'D' ? std::string(RealToStr(s.RealMem[reg]).view())
                                        : std::string(SxgToStr(s.SxgMem[reg], k.to).view());
    EXPECT_EQ(r.Text(17, 4, 58), Pad55(mem));
    EXPECT_TRUE(r.DialogClosed());
  }
}

TEST(ChangeNumberMode, TheCurrentLetterOrEscRedrawsNothing) {
  for (const char* keys : {"g", "\x1b"}) {
    CmdRig r('G');
    FillBoth(r.st());
    r.MarkStackRows();
    r.Ext(scan::AltM).Type(keys);
    r.Go();
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(r.Drawn(i)) << keys << " " << i;
    EXPECT_EQ(r.st().NumberMode, 'G');
  }
}

// What the conversion to sexagesimal means, computed in exact rationals step
// by step: the whole part, then places until 14 significant places (or place
// 15), the last rounded half up on the exact remainder, carries upwards.
// ok is false for a magnitude of 60^5 or more.
Sxg ToSxgOracle(long double x, bool* ok, bool* carried = nullptr) {
  Sxg s{};
  Q r = ExactOf(x);
  mpq_abs(r, r);
  Q bound(777600000, 1);
  *ok = mpq_cmp(r, bound) < 0;
  if (!*ok) return s;
  mpz_t whole;
  mpz_init(whole);
  FloorAbs(r, whole);
  unsigned long w = mpz_get_ui(whole);
  for (int i = 0; i >= -4; --i) {
    s.Digits[i] = static_cast<int16_t>(w % 60);
    w /= 60;
  }
  int nnz = 0;
  for (int i = -4; i <= 0; ++i)
    if (nnz > 0 || s.Digits[i] != 0) ++nnz;
  Q sixty(60, 1), frac;
  int I = 1;
  while (nnz < 14 && I <= 15) {
    FloorAbs(r, whole);
    mpq_set_z(frac, whole);
    mpq_sub(r, r, frac);
    mpq_mul(r, r, sixty);
    FloorAbs(r, whole);
    s.Digits[I] = static_cast<int16_t>(mpz_get_ui(whole));
    if (nnz > 0 || s.Digits[I] != 0) ++nnz;
    ++I;
  }
  FloorAbs(r, whole);
  mpq_set_z(frac, whole);
  mpq_sub(r, r, frac);
  Q half(1, 2);
  if (mpq_cmp(r, half) >= 0) {
    ++s.Digits[I - 1];
    if (carried) *carried = s.Digits[I - 1] == 60;
    for (int j = I - 1; j >= -3 && s.Digits[j] >= 60; --j) {
      s.Digits[j] = static_cast<int16_t>(s.Digits[j] - 60);
      ++s.Digits[j - 1];
    }
    if (s.Digits[-4] >= 60) *ok = false;
  }
  mpz_clear(whole);
  s.Neg = x < 0;
  return s;
}

// Converts the decimal X through the loop; returns the rig afterwards.
struct Converted {
  Sxg sxg;
  bool refused;
};
Converted ConvertDecimal(long double x, char prev = 'G') {
  CmdRig r('D');
  r.st().RealStack[0] = x;
  r.st().PrevSxgMode = prev;
  r.Ext(scan::AltV).Type(" ");  // the space dismisses a message
  r.Go();
  return {r.st().SxgStack[0], r.st().NumberMode == 'D'};
}

TEST(ConvertToSexagesimal, KnownValues) {
  struct Case {
    long double x;
    const char* expected;  // nullptr: refused with error 4
  } cases[] = {
      {100.5L, "1,40;30"},
      {-0.5L, "-0;30"},
      {0, "0"},
      {777599999, "59,59,59,59,59"},
      {777600000, nullptr},
      {-777600000, nullptr},
      {1e18L, nullptr},
      {1.25L, "1;15"},
      {0.1L, "0;6"},  // the binary noise of 0.1 is cleaned off
      {-12960000.75L, "-1,0,0,0,0;45"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(static_cast<double>(k.x)));
    CmdRig probe('D');
    FillBoth(probe.st());
    probe.st().RealStack[0] = k.x;
    probe.Go();
    CmdRig r('D');
    FillBoth(r.st());
    r.st().RealStack[0] = k.x;
    r.st().MemPtr = 6;
    r.st().PrevSxgMode = 'S';
    r.Ext(scan::AltV).Type(" ");  // the space dismisses a message
    r.Go();
    const State& s = r.st();
    EXPECT_TRUE(SameDecimal(s, probe.st()));  // the decimal stack keeps its X
    if (!k.expected) {
      EXPECT_TRUE(r.SawMessage(" DECIMAL NUMBER too LARGE    Press any key to continue"));
      EXPECT_TRUE(SameSxg(s, probe.st()));
      EXPECT_EQ(s.NumberMode, 'D');
      EXPECT_EQ(s.MemPtr, 6);
      EXPECT_EQ(r.Shown(0), Pad55(RealToStr(k.x)));
      continue;
    }
    EXPECT_EQ(s.NumberMode, 'S');
    EXPECT_EQ(s.MemPtr, 0);
    EXPECT_EQ(s.SxgStack[0], S(k.expected));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(s.SxgStack[i], probe.st().SxgStack[i - 1]);
    EXPECT_EQ(r.Text(1, 1, 22), ModeName('S'));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Shown(i), Pad55(SxgToStr(s.SxgStack[i], 'S')));
    EXPECT_EQ(r.Text(17, 4, 58), Pad55(SxgToStr(s.SxgMem[0], 'S')));
    EXPECT_EQ(r.Text(4, 10, 80), std::string(71, ' '));
    EXPECT_TRUE(r.DialogClosed());
  }
}

// 60^-k as an exact rational.
Q PlaceUnit(int k) {
  Q u;
  mpz_t p;
  mpz_init(p);
  mpz_ui_pow_ui(p, 60, static_cast<unsigned long>(k < 0 ? -k : k));
  mpq_set_z(u, p);
  if (k > 0) mpq_inv(u, u);
  mpz_clear(p);
  return u;
}

// 2^n as an exact rational.
Q Pow2(int n) {
  Q q(1, 1);
  if (n >= 0)
    mpq_mul_2exp(q, q, static_cast<mp_bitcnt_t>(n));
  else
    mpq_div_2exp(q, q, static_cast<mp_bitcnt_t>(-n));
  return q;
}

// |a - b| / unit as a double, for reporting how close a result came.
double InUnits(const Q& a, const Q& b, const Q& unit) {
  Q d;
  mpq_sub(d, a, b);
  mpq_abs(d, d);
  mpq_div(d, d, unit);
  return mpq_get_d(d);
}

int FirstNonZeroPlace(const Sxg& a) {
  int i = -4;
  while (i <= 15 && a.Digits[i] == 0) ++i;
  return i;  // 16 for zero
}
int LastNonZeroPlace(const Sxg& a) {
  int i = 15;
  while (i >= -4 && a.Digits[i] == 0) --i;
  return i;  // -5 for zero
}

// What a conversion of x to sexagesimal may give, stated without repeating
// its arithmetic. Before the clean-up the places are those of a value P with
// |P - x| <= 1/2 unit of the last computed place + eps: each scaling by 60
// rounds R by at most half its ulp, 2^-59 in units of the place just made
// (R < 60), or 2^-64 R while R < 1. Summed over the places this is below
// 2^-64 for |x| >= 1 and below 2^-58 |x| for |x| < 1 (whose first non-zero
// place f puts |x| above 60^-f): that is eps. The last place is that of the 14th
// significant place of x, or one earlier where the noise lifts a value just
// below a power of 60 into the next place. The clean-up either changes
// nothing, or ends the value in a run of at least four zeros reaching place 9
// or later, having cut a tail below 60^-max(9, z + 4) or rounded up by as
// little (z: the last non-zero place of the result). Also: no place beyond
// the 14th significant one of the result, the sign of x, no negative zero.
struct ConversionCheck {
  // Where nothing was cleaned: |G - x| in units of the last computed place,
  // and what exceeds half of that unit, in units of eps.
  double max_places_uncleaned = 0;
  double max_eps_uncleaned = 0;
  int cleaned = 0;

  ::testing::AssertionResult operator()(long double x, const Sxg& G) {
    const int fg = FirstNonZeroPlace(G);
    for (int i = fg + 14; i <= 15; ++i)
      if (G.Digits[i] != 0) return ::testing::AssertionFailure() << "place " << i << " beyond 14 significant";
    if (fg == 16 ? G.Neg : G.Neg != (x < 0)) return ::testing::AssertionFailure() << "sign";
    Q ax = ExactOf(x);
    mpq_abs(ax, ax);
    int fx = -4;  // the first non-zero place of x
    while (fx <= 15 && mpq_cmp(PlaceUnit(fx), ax) > 0) ++fx;
    const int last = std::min(15, fx + 13) - 1;
    Q bound = PlaceUnit(last);
    mpq_div_2exp(bound, bound, 1);
    Q eps = Pow2(-64);
    if (mpq_cmp(ax, Q(1, 1)) < 0) {
      eps = Pow2(-58);
      mpq_mul(eps, eps, ax);
    }
    mpq_add(bound, bound, eps);
    const int z = LastNonZeroPlace(G);
    const bool cleanable = 15 - z >= 4;
    if (cleanable) mpq_add(bound, bound, PlaceUnit(std::max(9, z + 4)));
    Q g = ExactOf(G);
    mpq_abs(g, g);
    Q d;
    mpq_sub(d, g, ax);
    mpq_abs(d, d);
    if (mpq_cmp(d, bound) > 0)
      return ::testing::AssertionFailure() << "off by " << InUnits(g, ax, bound) << " times the bound";
    if (!cleanable) {
      Q unit = PlaceUnit(last + 1);
      max_places_uncleaned = std::max(max_places_uncleaned, InUnits(g, ax, unit));
      Q excess = d, half = PlaceUnit(last + 1);
      mpq_div_2exp(half, half, 1);
      mpq_sub(excess, excess, half);
      max_eps_uncleaned = std::max(max_eps_uncleaned, mpq_get_d(excess) / mpq_get_d(eps));
    } else {
      ++cleaned;
    }
    return ::testing::AssertionSuccess();
  }
};

// A value that is not a finite number is refused like one too large.
TEST(ConvertToSexagesimal, NotAFiniteNumberIsRefused) {
  for (long double x : {HUGE_VALL, -HUGE_VALL, std::nanl("")}) {
    SCOPED_TRACE(std::to_string(static_cast<double>(x)));
    CmdRig probe('D');
    FillBoth(probe.st());
    probe.Go();
    CmdRig r('D');
    FillBoth(r.st());
    r.st().RealStack[0] = x;
    r.Ext(scan::AltV).Type(" ");
    r.Go();
    EXPECT_TRUE(r.SawMessage(" DECIMAL NUMBER too LARGE    Press any key to continue"));
    EXPECT_EQ(r.st().NumberMode, 'D');
    EXPECT_TRUE(SameSxg(r.st(), probe.st()));
  }
}

TEST(ConvertToSexagesimal, FourteenSignificantPlaces) {
  struct Case {
    long double x;
    int first, last;  // first non-zero place and last place that may be non-zero
  } cases[] = {
      {12960000 + 1.0L / 7, -4, 9},  // five integer places leave nine fractional ones
      {61 + 1.0L / 7, -1, 12},
      {1.0L / 7, 1, 14},
      {1.0L / 700, 2, 15},    // below 1/60: places 2 to 15
      {1.0L / 70000, 3, 15},  // the fifteenth place caps it
  };
  ConversionCheck check;
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(static_cast<double>(k.x)));
    const Converted got = ConvertDecimal(k.x);
    ASSERT_FALSE(got.refused);
    EXPECT_TRUE(check(k.x, got.sxg));
    EXPECT_EQ(FirstNonZeroPlace(got.sxg), k.first);
    EXPECT_EQ(LastNonZeroPlace(got.sxg), k.last);
  }
  // From 8 up the fraction of x has at most 60 bits, so every scaling by 60
  // is exact and the places are those of exact arithmetic.
  for (long double x : {12960000 + 1.0L / 7, 61 + 1.0L / 7}) {
    bool ok = false;
    Sxg expected = ToSxgOracle(x, &ok);
    CleanSxg(expected);
    EXPECT_EQ(ConvertDecimal(x).sxg, expected);
  }
}

// The rounding carry would run out of place -4 only for 59 in the five
// integer and nine fractional places with at least half a unit of place 9
// left: a fraction within 60^-9 / 2 of 1, finer than the 2^-34 spacing of
// values of that size. The largest values below 60^5 are converted exactly.
TEST(ConvertToSexagesimal, TheLargestValuesBelowTheBoundAreAccepted) {
  long double x = 777600000.0L;
  for (int n = 0; n < 200; ++n) {
    x = std::nextafter(x, 0.0L);
    SCOPED_TRACE(n);
    bool ok = false;
    Sxg expected = ToSxgOracle(x, &ok);
    ASSERT_TRUE(ok);
    CleanSxg(expected);
    const Converted got = ConvertDecimal(-x);
    ASSERT_FALSE(got.refused);
    expected.Neg = true;
    ASSERT_EQ(got.sxg, expected);
    for (int i = -4; i <= 4; ++i) ASSERT_EQ(got.sxg.Digits[i], 59) << i;
  }
}

// A long double with a random 64-bit significand and binary exponent e.
long double RandomReal(std::mt19937_64& rng, int e) {
  const uint64_t m = rng() | (uint64_t(1) << 63);
  const long double x = std::ldexp(static_cast<long double>(m), e - 64);
  return rng() % 2 ? -x : x;
}

// Back: 15 ulps of the sexagesimal value (below), plus its distance from x,
// which is at most eps + half a unit of place 15 or earlier: under 65 ulps.
constexpr double kRoundTripUlps = 15 + 65;

// The bound of the conversion to sexagesimal on random values of every size
// (exact arithmetic from 8 up), and the way back within the two bounds.
TEST(ConvertToSexagesimal, RandomValuesAndTheWayBack) {
  std::mt19937_64 rng(5417);
  ConversionCheck check;
  int carries = 0, exact = 0;
  double max_back_ulps = 0;
  const int samples = 3000;
  for (int n = 0; n < samples; ++n) {
    const int e = static_cast<int>(rng() % 126) - 95;  // 2^-96 .. 2^30
    long double x = RandomReal(rng, e);
    if (n % 5 == 0) x = std::round(x * 1000) / 1000;  // short decimals too
    SCOPED_TRACE(std::to_string(static_cast<double>(x)));
    bool ok = false, carried = false;
    Sxg expected = ToSxgOracle(x, &ok, &carried);
    carries += carried;
    CleanSxg(expected);
    if (IsZero(expected)) expected.Neg = false;

    CmdRig r('D');
    r.st().RealStack[0] = x;
    r.st().PrevSxgMode = 'Z';
    r.Ext(scan::AltV).Ext(scan::AltV);
    r.Go();
    if (!ok) {
      EXPECT_EQ(r.st().NumberMode, 'D');
      continue;
    }
    const Sxg got = r.st().SxgStack[0];
    if (std::fabs(x) >= 8) {
      ASSERT_EQ(got, expected);
      ++exact;
    }
    ASSERT_TRUE(check(x, got));
    ASSERT_EQ(r.st().NumberMode, 'D');
    ASSERT_EQ(r.st().PrevSxgMode, 'Z');
    ASSERT_EQ(r.st().RealStack[1], x);
    // Back: within 15 ulps of the sexagesimal value, itself near x.
    const long double back = r.st().RealStack[0];
    if (std::fabs(x) >= 1.0L / 3600 && LastNonZeroPlace(got) > 11) {
      int eb = 0;
      std::frexp(x, &eb);
      const double ulps = InUnits(ExactOf(back), ExactOf(x), Pow2(eb - 64));
      max_back_ulps = std::max(max_back_ulps, ulps);
      ASSERT_LE(ulps, kRoundTripUlps) << "round trip";
    }
  }
  EXPECT_GT(exact, samples / 10);
  EXPECT_GT(carries, 0);  // the rounding carry was exercised
  EXPECT_GT(check.cleaned, 0);
  RecordProperty("max_places_uncleaned", std::to_string(check.max_places_uncleaned));
  RecordProperty("max_eps_uncleaned", std::to_string(check.max_eps_uncleaned));
  RecordProperty("max_round_trip_ulps", std::to_string(max_back_ulps));
}

// Horner's rule over the integer places is exact (below 2^30); each of the 15
// fractional terms and each addition rounds by at most half an ulp of the
// result, so the decimal value is within 15 ulps of the exact one.
TEST(ConvertToDecimal, RandomValuesWithinFifteenUlps) {
  std::mt19937_64 rng(60);
  double max_ulps = 0;
  for (int n = 0; n < 3000; ++n) {
    const Sxg x = RandomSxg(rng, static_cast<int>(rng() % 6));
    SCOPED_TRACE(Notation(x));
    CmdRig r('G');
    r.st().SxgStack[0] = x;
    r.Ext(scan::AltV);
    r.Go();
    ASSERT_EQ(r.st().NumberMode, 'D');
    ASSERT_EQ(r.st().PrevSxgMode, 'G');
    ASSERT_EQ(r.st().SxgStack[0], x);  // the sexagesimal stack keeps its X
    const long double R = r.st().RealStack[0];
    ASSERT_FALSE(R == 0 && std::signbit(R));
    if (IsZero(x)) {
      ASSERT_EQ(R, 0);
      continue;
    }
    ASSERT_EQ(std::signbit(R), x.Neg);
    int e = 0;
    std::frexp(R, &e);
    const double ulps = InUnits(ExactOf(R), ExactOf(x), Pow2(e - 64));
    max_ulps = std::max(max_ulps, ulps);
    ASSERT_LE(ulps, 15);
    // Where the places end early the value is short and often exact.
  }
  RecordProperty("max_ulps", std::to_string(max_ulps));
}

TEST(Convert, RoundTripsThroughDecimal) {
  struct Case {
    char mode;
    const char* x;
    long double decimal;
  } cases[] = {
      {'G', "1,40;30", 100.5L},
      {'Z', "1,2;3,4,5", 0},  // no short decimal: only the way back is checked
      {'C', "-6,5;15", -365.25L},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(1, k.mode) + " " + k.x);
    CmdRig r(k.mode);
    FillBoth(r.st());
    r.st().SxgStack[0] = S(k.x);
    const long double old_decimal_x = r.st().RealStack[0];
    r.st().MemPtr = 3;
    r.Ext(scan::AltV);
    r.Go();
    EXPECT_EQ(r.st().NumberMode, 'D');
    EXPECT_EQ(r.st().PrevSxgMode, k.mode);
    EXPECT_EQ(r.st().MemPtr, 0);
    EXPECT_EQ(r.st().RealStack[1], old_decimal_x);
    if (k.decimal != 0) {
      EXPECT_EQ(r.st().RealStack[0], k.decimal);
    }
    EXPECT_EQ(r.Text(1, 1, 18), ModeName('D'));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Shown(i), Pad55(RealToStr(r.st().RealStack[i])));
    r.Ext(scan::AltV);
    r.Go();
    EXPECT_EQ(r.st().NumberMode, k.mode);
    EXPECT_EQ(r.st().SxgStack[0], S(k.x));
    EXPECT_EQ(r.st().SxgStack[1], S(k.x));  // the first conversion left it
    EXPECT_EQ(r.st().SxgStack[2], S("2,5;0,7"));
  }
}

// PrevSxgMode is not kept in the state file; a value that names no
// sexagesimal mode sends the conversion to Greek.
TEST(Convert, FromDecimalWithoutARememberedModeGoesToGreek) {
  for (char prev : {'\0', 'D', 'x'}) {
    CmdRig r('D');
    r.st().RealStack[0] = 2;
    r.st().PrevSxgMode = prev;
    r.Ext(scan::AltV);
    r.Go();
    EXPECT_EQ(r.st().NumberMode, 'G');
    EXPECT_EQ(r.st().SxgStack[0], S("2"));
  }
}

}  // namespace
}  // namespace qirn::test
