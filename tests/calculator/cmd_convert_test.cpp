// Changing the number mode (Alt+M) and converting X between the number
// systems (Alt+V), checked against exact rational arithmetic.
#include <gtest/gtest.h>

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
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(static_cast<double>(k.x)));
    bool ok = false;
    Sxg expected = ToSxgOracle(k.x, &ok);
    ASSERT_TRUE(ok);
    CleanSxg(expected);
    const Converted got = ConvertDecimal(k.x);
    EXPECT_EQ(got.sxg, expected);
    int first = -4;
    while (got.sxg.Digits[first] == 0) ++first;
    EXPECT_EQ(first, k.first);
    for (int i = k.last + 1; i <= 15; ++i) EXPECT_EQ(got.sxg.Digits[i], 0) << i;
    EXPECT_NE(got.sxg.Digits[k.last], 0);
  }
  // The largest value below 60^5 is accepted.
  EXPECT_FALSE(ConvertDecimal(std::nextafter(777600000.0L, 0.0L)).refused);
}

// A long double with a random 64-bit significand and binary exponent e.
long double RandomReal(std::mt19937_64& rng, int e) {
  const uint64_t m = rng() | (uint64_t(1) << 63);
  const long double x = std::ldexp(static_cast<long double>(m), e - 64);
  return rng() % 2 ? -x : x;
}

// Every place of the exact oracle (after the clean-up of conversion noise),
// and the way back returning the same decimal value wherever the 14 places
// hold more than the 64 bits of the decimal value and nothing was cleaned.
TEST(ConvertToSexagesimal, RandomValuesMatchExactArithmeticAndComeBack) {
  std::mt19937_64 rng(5417);
  int carries = 0, round_trips = 0;
  const int samples = 3000;
  for (int n = 0; n < samples; ++n) {
    const int e = static_cast<int>(rng() % 126) - 95;  // 2^-96 .. 2^30
    long double x = RandomReal(rng, e);
    if (n % 5 == 0) x = std::round(x * 1000) / 1000;  // short decimals too
    SCOPED_TRACE(std::to_string(static_cast<double>(x)));
    bool ok = false, carried = false;
    const Sxg exact = ToSxgOracle(x, &ok, &carried);
    carries += carried;
    Sxg expected = exact;
    CleanSxg(expected);
    bool zero = true;
    for (int i = -4; i <= 15; ++i) zero &= expected.Digits[i] == 0;
    if (zero) expected.Neg = false;

    CmdRig r('D');
    r.st().RealStack[0] = x;
    r.st().PrevSxgMode = 'Z';
    r.Ext(scan::AltV).Ext(scan::AltV);
    r.Go();
    if (!ok) {
      EXPECT_EQ(r.st().NumberMode, 'D');
      continue;
    }
    ASSERT_EQ(r.st().SxgStack[0], expected);
    ASSERT_EQ(r.st().NumberMode, 'D');
    ASSERT_EQ(r.st().PrevSxgMode, 'Z');
    ASSERT_EQ(r.st().RealStack[1], x);
    if (std::fabs(x) >= 1.0L / 3600 && expected == exact) {
      ASSERT_EQ(r.st().RealStack[0], x);
      ++round_trips;
    }
  }
  EXPECT_GT(round_trips, samples / 4);  // a third of the values are at least 1/3600
  EXPECT_GT(carries, 0);  // the rounding carry was exercised
}

// The nearest 80-bit value to the exact sexagesimal value (ties to even).
TEST(ConvertToDecimal, RandomValuesRoundToTheNearestDecimal) {
  std::mt19937_64 rng(60);
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
    const Q exact = ExactOf(x);
    Q here = ExactOf(R);
    mpq_sub(here, here, exact);
    mpq_abs(here, here);
    for (long double toward : {HUGE_VALL, -HUGE_VALL}) {
      Q there = ExactOf(std::nextafter(R, toward));
      mpq_sub(there, there, exact);
      mpq_abs(there, there);
      const int c = mpq_cmp(here, there);
      ASSERT_LE(c, 0);
      if (c == 0) {  // a tie goes to the even significand
        int e = 0;
        const uint64_t m = static_cast<uint64_t>(std::ldexp(std::frexp(std::fabs(R), &e), 64));
        ASSERT_EQ(m % 2, 0u);
      }
    }
    ASSERT_FALSE(R == 0 && std::signbit(R));
  }
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
