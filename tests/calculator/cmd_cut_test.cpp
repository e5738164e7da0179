// Fraction (F), rounding (RO) and truncation (TR) through the command loop:
// decimal places, sexagesimal places, and the days and fens of the Chinese
// mode, the last checked against exact rational arithmetic.
#include <gtest/gtest.h>

#include "cmd_exact.h"
#include "cmd_fixture.h"
#include "sexagesimal/sxg_format.h"

namespace qirn::test {
namespace {

TEST(CutDecimal, CutsAtTheDecimalPlace) {
  struct Case {
    long double x;
    const char* keys;
    long double expected;
  } cases[] = {
      {-2.75L, "TR1\r", -2.7L},
      {-2.75L, "F1\r", -0.05L},
      {-3, "F0\r", 0},
      {2.5L, "RO0\r", 3},
      {-2.5L, "RO0\r", -3},
      {2.449L, "RO2\r", 2.45L},
      {123.456L, "TR0\r", 123},
      {-0.004L, "TR2\r", 0},        // no minus sign on the zero
      {7.25L, "F19\r", 0},          // 7.25 is whole at the 19th decimal
      {987654321.5L, "F0\r", 0.5L},
      {5, "TR01\r", 5},  // leading zero accepted
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(static_cast<double>(k.x)) + " " + k.keys);
    CmdRig r('D');
    FillBoth(r.st());
    r.st().RealStack[0] = k.x;
    CmdRig probe('D');
    FillBoth(probe.st());
    probe.Go();
    r.MarkStackRows();
    r.Go(k.keys);
    EXPECT_EQ(r.st().RealStack[0], k.expected);
    EXPECT_FALSE(r.st().RealStack[0] == 0 && std::signbit(r.st().RealStack[0]));
    for (int i = 1; i < 4; ++i) {
      EXPECT_EQ(r.st().RealStack[i], probe.st().RealStack[i]);
      EXPECT_FALSE(r.Drawn(i));
    }
    EXPECT_EQ(r.Shown(0), Pad55(r.st().StackText[0]));
    EXPECT_TRUE(SameSxg(r.st(), probe.st()));
  }
}

TEST(CutSexagesimal, CutsAtTheSexagesimalPlace) {
  struct Case {
    const char* modes;
    const char* x;
    const char* keys;
    const char* expected;
  } cases[] = {
      {"GSZ", "3;10,20,30", "F1\r", "0;0,20,30"},
      {"GSZ", "3;10,20,30", "TR1\r", "3;10"},
      {"GSZ", "1;29,59", "RO0\r", "1"},
      {"GSZ", "1;30", "RO0\r", "2"},
      {"GS", "-1;30", "RO0\r", "-2"},
      {"G", "-0;0,20", "RO1\r", "0"},
      {"G", "-0;0,20", "TR1\r", "0"},
      {"G", "-5", "F0\r", "0"},
      {"Z", "-7,1;2,3,4,5,6,7,8,9,10,11,12,13,14,15", "F13\r", "-0;0,0,0,0,0,0,0,0,0,0,0,0,0,15"},
      {"S", "59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59", "RO14\r", "1,0"},
      {"S", "1;2,3", "TR14\r", "1;2,3"},
  };
  for (const Case& k : cases) {
    for (const char* m = k.modes; *m; ++m) {
      SCOPED_TRACE(std::string(k.x) + " " + k.keys + " mode " + *m);
      CmdRig r(*m);
      FillBoth(r.st());
      r.st().SxgStack[0] = S(k.x);
      CmdRig probe(*m);
      FillBoth(probe.st());
      probe.Go();
      r.Go(k.keys);
      EXPECT_EQ(r.st().SxgStack[0], S(k.expected));
      for (int i = 1; i < 4; ++i) EXPECT_EQ(r.st().SxgStack[i], probe.st().SxgStack[i]);
      EXPECT_EQ(r.st().StackText[0].view(), SxgToStr(S(k.expected), *m).view());
      EXPECT_TRUE(SameDecimal(r.st(), probe.st()));
    }
  }
}

// Rounding that carries out of the highest place, in every sexagesimal mode
// (in the Chinese mode also through the days added back to rounded fens).
TEST(CutSexagesimal, RoundingBeyondTheLargestNumberIsAnOverflow) {
  const char* largest = "59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59";
  struct Case {
    char mode;
    const char* x;
    const char* keys;
  } cases[] = {
      {'G', "59,59,59,59,59;30", "RO0\r "}, {'S', largest, "RO3\r "}, {'Z', largest, "RO14\r "},
      {'C', largest, "ROD "},               {'C', largest, "ROF "},   {'C', largest, "RO11\r "},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(1, k.mode) + " " + k.keys);
    CmdRig r(k.mode);
    FillBoth(r.st());
    r.st().SxgStack[0] = S(k.x);
    CmdRig probe(k.mode);
    FillBoth(probe.st());
    probe.st().SxgStack[0] = S(k.x);
    probe.Go();
    r.Go(k.keys);
    EXPECT_TRUE(r.SawMessage(" SEXAGESIMAL OVERFLOW        Press any key to continue"));
    EXPECT_TRUE(SameState(r.st(), probe.st()));
    EXPECT_EQ(r.Shown(0), Pad55(probe.st().StackText[0]));
  }
}

enum class CutKind { Fraction, Rounding, Truncation };

// What the Chinese mode computes, in exact rationals: the fraction of a day
// in fens cut at place k of a fen, back to days rounded at place 15 (the one
// rounding the division by 10000 makes), the whole days added back for
// rounding and truncation, and the sign of X.
Sxg ChineseOracle(const Sxg& x, int k, CutKind cut, bool* ok) {
  Q ax = ExactOf(x);
  mpq_abs(ax, ax);
  mpz_t whole, units;
  mpz_init(whole);
  mpz_init(units);
  FloorAbs(ax, whole);
  Q w;
  mpq_set_z(w, whole);
  Q fens;
  mpq_sub(fens, ax, w);
  Q wan(10000, 1);
  mpq_mul(fens, fens, wan);
  Q scale;
  mpz_ui_pow_ui(units, 60, static_cast<unsigned long>(k));
  mpq_set_z(scale, units);
  Q scaled;
  mpq_mul(scaled, fens, scale);
  if (cut == CutKind::Rounding) {
    Q h(1, 2);
    mpq_add(scaled, scaled, h);
  }
  FloorAbs(scaled, units);
  Q cutq;
  mpq_set_z(cutq, units);
  mpq_div(cutq, cutq, scale);  // fens cut at place k
  if (cut == CutKind::Fraction) mpq_sub(cutq, fens, cutq);
  mpq_div(cutq, cutq, wan);
  Sxg days = SxgRoundedOf(cutq);
  Q result = ExactOf(days);
  if (cut != CutKind::Fraction) mpq_add(result, result, w);
  if (x.Neg) mpq_neg(result, result);
  mpz_clear(whole);
  mpz_clear(units);
  return SxgRoundedOf(result, ok);  // exact: both parts have 15 places
}

TEST(CutChinese, FenPlacesMatchExactArithmetic) {
  std::mt19937_64 rng(20261211);
  int checked = 0;
  for (int sample = 0; sample < 120; ++sample) {
    const Sxg x = RandomSxg(rng, static_cast<int>(rng() % 6));
    for (int answer = -1; answer <= 11; ++answer) {  // -1 stands for F
      for (CutKind cut : {CutKind::Fraction, CutKind::Rounding, CutKind::Truncation}) {
        const char* cmd = cut == CutKind::Fraction ? "F" : cut == CutKind::Rounding ? "RO" : "TR";
        const std::string keys = std::string(cmd) + (answer < 0 ? "F" : std::to_string(answer) + "\r");
        SCOPED_TRACE(Notation(x) + " " + keys);
        bool ok = true;
        const Sxg expected = ChineseOracle(x, answer < 0 ? 0 : answer, cut, &ok);
        CmdRig r('C');
        r.st().SxgStack[0] = x;
        r.Go(keys + " ");  // the space dismisses a message
        if (ok) {
          ASSERT_EQ(r.st().SxgStack[0], expected);
        } else {
          ASSERT_EQ(r.st().SxgStack[0], x);
          ASSERT_TRUE(r.SawMessage(" SEXAGESIMAL OVERFLOW        Press any key to continue"));
        }
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 120 * 13 * 3);
}

TEST(CutChinese, DaysAndFens) {
  struct Case {
    const char* x;
    const char* keys;
    const char* expected;  // or nullptr: the exact oracle at place `k`
    int k;
    CutKind cut;
  } cases[] = {
      {"5;30", "ROD", "6", 0, CutKind::Rounding},
      {"5;30", "rod", "6", 0, CutKind::Rounding},
      {"5;30", "ROF", "5;30", 0, CutKind::Rounding},  // 5 days and 5000 fens
      {"5;30", "FD", "0;30", 0, CutKind::Fraction},
      {"5;30", "FF", "0", 0, CutKind::Fraction},
      {"-5;30", "TRD", "-5", 0, CutKind::Truncation},
      {"5;0,0,36", "ROF", nullptr, 0, CutKind::Rounding},  // 1.67 fens round to 2
      {"-5;20,30,15", "TRF", nullptr, 0, CutKind::Truncation},
      {"-5;20,30,15", "F3\r", nullptr, 3, CutKind::Fraction},
      {"1;0,0,1", "TR12\r", nullptr, 1, CutKind::Truncation},  // 2 is refused
      {"1;0,0,1", "TR1D\r", nullptr, 1, CutKind::Truncation},  // D only as the first key
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.x) + " " + k.keys);
    CmdRig r('C');
    FillBoth(r.st());
    r.st().SxgStack[0] = S(k.x);
    CmdRig probe('C');
    FillBoth(probe.st());
    probe.Go();
    r.Go(k.keys);
    const Sxg expected = k.expected ? S(k.expected) : ChineseOracle(S(k.x), k.k, k.cut, nullptr);
    EXPECT_EQ(r.st().SxgStack[0], expected);
    EXPECT_TRUE(SameDecimal(r.st(), probe.st()));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(r.st().SxgStack[i], probe.st().SxgStack[i]);
  }
  // A negative value keeps the sign of its days and of its fen part:
  // -(5 days + 3417 fens).
  CmdRig r('C');
  r.st().SxgStack[0] = S("-5;20,30,15");
  r.Go("TRF");
  Q days(-(50000 + 3417), 10000);
  EXPECT_EQ(r.st().SxgStack[0], SxgRoundedOf(days));
}

}  // namespace
}  // namespace qirn::test
