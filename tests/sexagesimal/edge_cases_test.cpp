// Tables of the documented edge cases of the Sxg primitives and arithmetic.
#include <gtest/gtest.h>

#include <string>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "support/sxg_text.h"

namespace qirn::test {
namespace {

constexpr const char* kLargest = "59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59";
constexpr const char* kOverflow = "overflow";
constexpr const char* kDivZero = "division by zero";

// A result in the notation, or the name of its mark.
std::string Show(const Sxg& v) {
  if (v.Digits[-4] == SxgOverflowMark) return kOverflow;
  if (v.Digits[-4] == SxgDivZeroMark) return kDivZero;
  return Notation(v);
}

// Every result is checked for a negative zero as well as for its digits.
void ExpectNormal(const Sxg& v, const std::string& what) {
  if (v.Digits[-4] == SxgOverflowMark || v.Digits[-4] == SxgDivZeroMark) return;
  for (int i = -4; i <= 15; ++i) {
    EXPECT_TRUE(v.Digits[i] >= 0 && v.Digits[i] < 60) << what << " place " << i;
  }
  if (IsZero(v)) {
    EXPECT_FALSE(v.Neg) << what << ": negative zero";
  }
}

using Binary = void (*)(Sxg, Sxg, Sxg&);
struct BinaryCase {
  Binary op;
  const char* name;
  const char* a;
  const char* b;
  const char* want;
};

void RunBinary(const BinaryCase& c) {
  Sxg r;
  SxgAddition(S("7"), S("7"), r);  // something stale in the result
  c.op(S(c.a), S(c.b), r);
  std::string what = std::string(c.name) + "(" + c.a + ", " + c.b + ")";
  EXPECT_EQ(Show(r), c.want) << what;
  ExpectNormal(r, what);
}

TEST(SxgPrimitives, Comparisons) {
  EXPECT_FALSE(Larger(S("1,2;3"), S("1,2;3")));
  EXPECT_TRUE(Larger(S("-5"), S("3")));
  EXPECT_FALSE(Larger(S("3"), S("-5")));
  EXPECT_TRUE(Larger(S("0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,2"), S("0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1")));
  EXPECT_TRUE(Larger(S("1,0;0"), S("59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59")));
  // Place -4 may hold a combined value above 59.
  EXPECT_TRUE(Larger(S("3599,0,0,0,0"), S("59,59,59,59,59")));
  EXPECT_TRUE(IsEqual(S("-2"), S("2")));
  EXPECT_FALSE(IsEqual(S("2"), S("2;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1")));
  EXPECT_FALSE(IsZero(S("0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1")));
  EXPECT_FALSE(IsZero(S("1,0,0,0,0")));
  EXPECT_TRUE(IsZero(S("-0")));
}

TEST(SxgPrimitives, ConstantsAreStoredAsTabulated) {
  EXPECT_EQ(Notation(Zero), "0");
  EXPECT_EQ(Notation(One), "1");
  EXPECT_EQ(Notation(Two), "2");
  EXPECT_EQ(Notation(EighthPi), "0;23,33,43,0,5,55,44,8,25,37,12,2,12,53,4");
  EXPECT_EQ(Notation(QuarterPi), "0;47,7,26,0,11,51,28,16,51,14,24,4,25,46,7");
  EXPECT_EQ(Notation(ThreeEighthPi), "1;10,41,9,0,17,47,12,25,16,51,36,6,38,39,11");
  EXPECT_EQ(Notation(HalfPi), "1;34,14,52,0,23,42,56,33,42,28,48,8,51,32,15");
  EXPECT_EQ(Notation(SxgPi), "3;8,29,44,0,47,25,53,7,24,57,36,17,43,4,29");
  EXPECT_EQ(Notation(OneHalfPi), "4;42,44,36,1,11,8,49,41,7,26,24,26,34,36,44");
  EXPECT_EQ(Notation(TwoPi), "6;16,59,28,1,34,51,46,14,49,55,12,35,26,8,58");
  EXPECT_EQ(Notation(CvDeg), "57;17,44,48,22,29,22,22,7,32,46,14,58,15,20,18");
  EXPECT_EQ(Notation(CvRad), "0;1,2,49,54,40,15,48,37,42,28,19,12,5,54,22");
  EXPECT_EQ(Notation(Circle), "6,0");
  EXPECT_EQ(Notation(Wan), "2,46,40");
  EXPECT_EQ(Notation(CapitalX[0]), "0;11,56,5,4,16,52,27,55,9,58,39,26,7,53,50");
  EXPECT_EQ(Notation(CapitalX[1]), "0;40,5,26,35,8,50,45,46,7,2,55,54,59,45,56");
  EXPECT_EQ(Notation(CapitalX[2]), "1;29,47,46,50,41,2,55,15,48,0,38,36,8,38,36");
  EXPECT_EQ(Notation(CapitalX[3]), "5;1,38,25,19,49,4,37,24,50,56,22,7,16,46,30");
  EXPECT_EQ(Notation(X1), "2;24,51,10,7,46,6,4,44,50,28,51,20,34,26,20");
  EXPECT_EQ(Notation(X3), "0;24,51,10,7,46,6,4,44,50,28,51,20,34,26,20");
  for (const Sxg* c : {&Zero, &One, &Two, &EighthPi, &QuarterPi, &ThreeEighthPi, &HalfPi, &SxgPi, &OneHalfPi,
                       &TwoPi, &CvDeg, &CvRad, &Circle, &Wan, &CapitalX[0], &CapitalX[1], &CapitalX[2],
                       &CapitalX[3], &X1, &X3})
    EXPECT_FALSE(c->Neg);
  EXPECT_TRUE(Larger(CapitalX[1], X3));
  EXPECT_TRUE(Larger(X1, CapitalX[2]));
  EXPECT_FALSE(IsEqual(X1, X3));
}

using Placed = void (*)(Sxg, int16_t, Sxg&);
struct PlacedCase {
  Placed op;
  const char* name;
  const char* a;
  int16_t n;
  const char* want;
};

TEST(SxgPrimitives, FracTruncRound) {
  const PlacedCase cases[] = {
      {SxgRound, "SxgRound", "1;29,59", 0, "1"},
      {SxgRound, "SxgRound", "1;30", 0, "2"},
      {SxgRound, "SxgRound", "-1;30", 0, "-2"},
      {SxgRound, "SxgRound", "-1;29,59,59", 0, "-1"},
      {SxgRound, "SxgRound", "59,59,59,59,59;30", 0, kOverflow},
      {SxgRound, "SxgRound", "59,59,59,59,59;29", 0, "59,59,59,59,59"},
      {SxgRound, "SxgRound", "1;2,3", 15, "1;2,3,0,0,0,0,0,0,0,0,0,0,0,0,1"},
      {SxgRound, "SxgRound", "1;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59", 15, "2"},
      {SxgRound, "SxgRound", kLargest, 15, kOverflow},
      {SxgRound, "SxgRound", "-0;0,20", 1, "0"},
      {SxgRound, "SxgRound", "-0;0,30", 1, "-0;1"},
      {SxgRound, "SxgRound", "0;59,59,30", 2, "1"},
      {SxgRound, "SxgRound", "29,0,0,0,0", -4, "29,0,0,0,0"},
      {SxgRound, "SxgRound", "59,30,0,0,0", -4, kOverflow},
      {SxgTrunc, "SxgTrunc", "-0;0,20", 1, "0"},
      {SxgTrunc, "SxgTrunc", "3;10,20,30", 1, "3;10"},
      {SxgTrunc, "SxgTrunc", "-3;10,20,30", 15, "-3;10,20,30"},
      {SxgTrunc, "SxgTrunc", "-3;10,20,30", 0, "-3"},
      {SxgFrac, "SxgFrac", "-5", 0, "0"},
      {SxgFrac, "SxgFrac", "3;10,20,30", 1, "0;0,20,30"},
      {SxgFrac, "SxgFrac", "-1,3;10", 0, "-0;10"},
      {SxgFrac, "SxgFrac", "-1,3;10", -5, "-1,3;10"},
      {SxgFrac, "SxgFrac", "-1,3;10", 15, "0"},
  };
  for (const auto& c : cases) {
    Sxg r;
    c.op(S(c.a), c.n, r);
    std::string what = std::string(c.name) + "(" + c.a + ", " + std::to_string(c.n) + ")";
    EXPECT_EQ(Show(r), c.want) << what;
    ExpectNormal(r, what);
  }
}

TEST(SxgPrimitives, RoundOverflowLeavesTheCarriedPlaces) {
  // The display shows such a value as it is, so the places are defined.
  Sxg r;
  SxgRound(S("59,59,59,59,59;30,15"), 0, r);
  EXPECT_EQ(r.Digits[-4], SxgOverflowMark);
  EXPECT_EQ(r.Digits[0], 0);
  EXPECT_EQ(r.Digits[1], 30);
  EXPECT_EQ(r.Digits[2], 15);
}

TEST(SxgPrimitives, ResultMayAliasTheOperand) {
  Sxg x = S("-1;29,59,30");
  SxgRound(x, 2, x);
  EXPECT_EQ(Notation(x), "-1;30");
  SxgTrunc(x, 0, x);
  EXPECT_EQ(Notation(x), "-1");
  SxgFrac(x, 0, x);
  EXPECT_EQ(Notation(x), "0");
  EXPECT_FALSE(x.Neg);
}

TEST(SxgPrimitives, CleanSxg) {
  const struct {
    const char* a;
    const char* want;
  } cases[] = {
      {"0;6,0,0,0,0,0,0,0,0,0,0,0,0,0,13", "0;6"},
      {"-0;6,0,0,0,0,0,0,0,0,0,0,0,0,0,13", "-0;6"},
      {"0;5,59,59,59,59,59,59,59,59,59,59,59,59,59,40", "0;6"},
      {"0;1,2,3,4,5,6,7,8,9,10,11,0,0,0,1", "0;1,2,3,4,5,6,7,8,9,10,11,0,0,0,1"},
      {"1;30,20,10,5,4,59,59,59,59,7", "1;30,20,10,5,5"},
      {"1;30,20,10,5,4,59,59,59,7", "1;30,20,10,5,4,59,59,59,7"},
      {kLargest, kLargest},
      {"0;0,0,0,0,0,0,0,0,0,0,7", "0"},
      {"-0;0,0,0,0,0,0,0,0,0,0,7", "0"},
      {"2;1,2,3,4,5,6,7,8,9,10,11,12,13,14,15", "2;1,2,3,4,5,6,7,8,9,10,11,12,13,14,15"},
      {"2;1,2,3,4,5,6,7,8,9,10,11,59,59,59,59", "2;1,2,3,4,5,6,7,8,9,10,12"},
      {"2;1,2,3,4,5,6,7,8,9,10,11,59,59,59", "2;1,2,3,4,5,6,7,8,9,10,11,59,59,59"},
      {"59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,3",
       "59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59"},
  };
  for (const auto& c : cases) {
    Sxg a = S(c.a);
    CleanSxg(a);
    EXPECT_EQ(Notation(a), c.want) << c.a;
    ExpectNormal(a, c.a);
  }
}

TEST(SxgAdditive, AdditionAndSubtraction) {
  const BinaryCase cases[] = {
      {SxgAddition, "add", "5", "-3", "2"},
      {SxgAddition, "add", "3", "-5", "-2"},
      {SxgAddition, "add", "-3", "3", "0"},
      {SxgAddition, "add", "3", "-3", "0"},
      {SxgAddition, "add", "-1;30", "-0;30", "-2"},
      {SxgAddition, "add", "0;59,59", "0;0,1", "1"},
      {SxgAddition, "add", kLargest, "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", kOverflow},
      {SxgAddition, "add", "-59,59,59,59,59", "-1", kOverflow},
      {SxgAddition, "add", kLargest, "-0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1",
       "59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,58"},
      {SxgSubtraction, "sub", "3", "5", "-2"},
      {SxgSubtraction, "sub", "-3", "-5", "2"},
      {SxgSubtraction, "sub", "-5", "-3", "-2"},
      {SxgSubtraction, "sub", "5", "-3", "8"},
      {SxgSubtraction, "sub", "-5", "3", "-8"},
      {SxgSubtraction, "sub", "-2", "-2", "0"},
      {SxgSubtraction, "sub", "2", "2", "0"},
      {SxgSubtraction, "sub", "1", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1",
       "0;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59"},
      {SxgSubtraction, "sub", "59,59,59,59,59", "-1", kOverflow},
      {SxgSubtraction, "sub", "-59,59,59,59,59", "1", kOverflow},
      {PerformAddition, "PerformAddition", "-2", "-3", "5"},
      {PerformSubtraction, "PerformSubtraction", "-5", "3", "2"},
      // Place -4 of the minuend may hold a combined value.
      {PerformSubtraction, "PerformSubtraction", "90,0,0,0,0", "59,59,59,59,59;59", "30,0,0,0,0;1"},
  };
  for (const auto& c : cases) RunBinary(c);
}

TEST(SxgAdditive, ResultMayAliasAnOperand) {
  Sxg x = S("1;30"), y = S("-0;45");
  SxgAddition(x, y, x);
  EXPECT_EQ(Notation(x), "0;45");
  SxgSubtraction(x, y, y);
  EXPECT_EQ(Notation(y), "1;30");
  SxgSubtraction(y, y, y);
  EXPECT_EQ(Notation(y), "0");
}

TEST(SxgIntegerOps, AddMultiplyDivide) {
  const PlacedCase cases[] = {
      {AddSxgInteger, "AddSxgInteger", "59,59,59,59,59", 1, kOverflow},
      {AddSxgInteger, "AddSxgInteger", "-2;30", 1, "-3;30"},
      {AddSxgInteger, "AddSxgInteger", "59;59", 1, "1,0;59"},
      {AddSxgInteger, "AddSxgInteger", "0;1", 9999, "2,46,39;1"},
      {AddSxgInteger, "AddSxgInteger", "59,59,59,59,58;59", 1, "59,59,59,59,59;59"},
      {MultiplySxgInteger, "MultiplySxgInteger", "1;30", 2, "3"},
      {MultiplySxgInteger, "MultiplySxgInteger", "-1;30", 2, "-3"},
      {MultiplySxgInteger, "MultiplySxgInteger", "-7", 0, "0"},
      {MultiplySxgInteger, "MultiplySxgInteger", "-0", 5, "0"},
      {MultiplySxgInteger, "MultiplySxgInteger", "30,0,0,0,0", 2, kOverflow},
      {MultiplySxgInteger, "MultiplySxgInteger", "29,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59", 2,
       "59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,58"},
      {MultiplySxgInteger, "MultiplySxgInteger", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", 32767,
       "0;0,0,0,0,0,0,0,0,0,0,0,0,9,6,7"},
      {MultiplySxgInteger, "MultiplySxgInteger", "1;30", -2, "-3"},
      {DivideSxgInteger, "DivideSxgInteger", "1", 3, "0;20"},
      {DivideSxgInteger, "DivideSxgInteger", "-2", 3, "-0;40"},
      {DivideSxgInteger, "DivideSxgInteger", "1", 7, "0;8,34,17,8,34,17,8,34,17,8,34,17,8,34,17"},
      {DivideSxgInteger, "DivideSxgInteger", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,1,59", 2,
       "0;0,0,0,0,0,0,0,0,0,0,0,0,0,1"},
      {DivideSxgInteger, "DivideSxgInteger", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,3", 2,
       "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,2"},
      {DivideSxgInteger, "DivideSxgInteger", "-0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", 2, "0"},
      {DivideSxgInteger, "DivideSxgInteger", "0;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59", 2, "0;30"},
      {DivideSxgInteger, "DivideSxgInteger", kLargest, 1, kLargest},
      {DivideSxgInteger, "DivideSxgInteger", "59,59,59,59,59", 32767, "6,35,31;11,34,34,36,41,56,49,29,28,31,23,33,12,52,15"},
      {DivideSxgInteger, "DivideSxgInteger", "-1", -3, "0;20"},
      {DivideSxgInteger, "DivideSxgInteger", "1", 0, kDivZero},
  };
  for (const auto& c : cases) {
    Sxg r;
    SxgAddition(S("7"), S("7"), r);
    c.op(S(c.a), c.n, r);
    std::string what = std::string(c.name) + "(" + c.a + ", " + std::to_string(c.n) + ")";
    EXPECT_EQ(Show(r), c.want) << what;
    ExpectNormal(r, what);
  }
}

TEST(SxgMultiplicative, Multiplication) {
  const BinaryCase cases[] = {
      {SxgMultiplication, "mul", "0;30", "0;30", "0;15"},
      {SxgMultiplication, "mul", "-1;30", "2", "-3"},
      {SxgMultiplication, "mul", "-1;30", "-2", "3"},
      {SxgMultiplication, "mul", "-1;30", "0", "0"},
      {SxgMultiplication, "mul", "1,0,0", "3,35,59;59", "3,35,59,59,0"},
      {SxgMultiplication, "mul", "1,0,0", "1,0,0,0", kOverflow},
      {SxgMultiplication, "mul", "-1,0,0", "1,0,0,0", kOverflow},
      {SxgMultiplication, "mul", "59,59,59,59,59", "1;0,0,1", kOverflow},
      {SxgMultiplication, "mul", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", "1,0,0,0,0", "0;0,0,0,0,0,0,0,0,0,0,1"},
      {SxgMultiplication, "mul", kLargest, "1", kLargest},
      {SxgMultiplication, "mul", "1", kLargest, kLargest},
      {SxgMultiplication, "mul", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", "0;30", "0"},
      {SxgMultiplication, "mul", "-0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", "0;30", "0"},
      {SxgMultiplication, "mul", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,3", "0;30", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,2"},
      // The extended-precision sum below place 15 carries 15 here, where the
      // exact sum would carry 16.
      {SxgMultiplication, "mul", "0;0,0,0,0,0,0,0,0,0,22,6,40,33,2,51", "0;16,40",
       "0;0,0,0,0,0,0,0,0,0,6,8,31,15,50,47"},
  };
  for (const auto& c : cases) RunBinary(c);
}

TEST(SxgMultiplicative, Division) {
  const BinaryCase cases[] = {
      {SxgDivision, "div", "1", "3", "0;20"},
      {SxgDivision, "div", "2", "3", "0;40"},
      {SxgDivision, "div", "1", "7", "0;8,34,17,8,34,17,8,34,17,8,34,17,8,34,17"},
      {SxgDivision, "div", "2", "7", "0;17,8,34,17,8,34,17,8,34,17,8,34,17,8,34"},
      {SxgDivision, "div", "-10", "4", "-2;30"},
      {SxgDivision, "div", "-1", "-3", "0;20"},
      {SxgDivision, "div", "1", "0", kDivZero},
      {SxgDivision, "div", "0", "0", kDivZero},
      {SxgDivision, "div", "0", "-5", "0"},
      {SxgDivision, "div", "59,59,59,59,59", "0;0,1", kOverflow},
      {SxgDivision, "div", "1", "0;0,0,0,0,1", kOverflow},
      {SxgDivision, "div", "-1", "0;0,0,0,0,1", kOverflow},
      {SxgDivision, "div", "1", "0;0,0,0,0,1,30", "40,0,0,0,0"},
      {SxgDivision, "div", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,59", "1,0", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1"},
      {SxgDivision, "div", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,59", "1,0,0", "0"},
      {SxgDivision, "div", "-0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,59", "1,0,0,0,0", "0"},
      {SxgDivision, "div", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,30", "1,0", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1"},
      {SxgDivision, "div", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,29", "1,0", "0"},
      {SxgDivision, "div", kLargest, "1", kLargest},
      {SxgDivision, "div", kLargest, "-1", "-59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59"},
      {SxgDivision, "div", kLargest, kLargest, "1"},
      {SxgDivision, "div", "0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", kLargest, "0"},
      {SxgDivision, "div", "1", "59,59,59,59,59", "0;0,0,0,0,1,0,0,0,0,1,0,0,0,0,1"},
      {SxgDivision, "div", kLargest, "0;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59", kOverflow},
  };
  for (const auto& c : cases) RunBinary(c);
}

TEST(SxgMultiplicative, DivisionThenMultiplicationRestoresOne) {
  Sxg third, back;
  SxgDivision(S("1"), S("3"), third);
  SxgMultiplication(third, S("3"), back);
  EXPECT_EQ(Notation(back), "1");
}

TEST(SxgMultiplicative, ResultMayAliasAnOperand) {
  Sxg x = S("1;30");
  SxgMultiplication(x, x, x);  // the square command
  EXPECT_EQ(Notation(x), "2;15");
  Sxg y = S("3");
  SxgDivision(x, y, y);
  EXPECT_EQ(Notation(y), "0;45");
  SxgDivision(y, y, y);
  EXPECT_EQ(Notation(y), "1");
}

TEST(SxgMultiplicative, LeftShift) {
  Sxg s = S("0,0,1,2,3;4,5,0,0,0,0,0,0,0,0,0,0,0,0,6");
  LeftShift(s, 2);
  EXPECT_EQ(Notation(s), "1,2,3,4,5;0,0,0,0,0,0,0,0,0,0,0,0,6");
  LeftShift(s, 1);  // the two leading places combine
  EXPECT_EQ(s.Digits[-4], 62);
  EXPECT_EQ(s.Digits[-3], 3);
  EXPECT_EQ(s.Digits[14], 0);
  Sxg t = S("0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,7");
  LeftShift(t, 19);
  EXPECT_EQ(Notation(t), "7,0,0,0,0");
  LeftShift(t, 0);
  EXPECT_EQ(Notation(t), "7,0,0,0,0");
}

TEST(SxgSqrt, Roots) {
  const struct {
    const char* a;
    const char* want;
  } cases[] = {
      {"4", "2"},
      {"0;15", "0;30"},
      {"1,0,0", "1,0"},
      {"2", "1;24,51,10,7,46,6,4,44,50,28,51,20,34,26,20"},
      {"3", "1;43,55,22,58,27,57,56,0,44,25,31,42,1,56,23"},
      {"10", "3;9,44,11,58,28,32,48,57,15,43,14,2,40,15,44"},
      {"-2", "1;24,51,10,7,46,6,4,44,50,28,51,20,34,26,20"},
      {"0;0,0,0,0,0,0,0,0,0,0,0,0,0,0,1", "0;0,0,0,0,0,0,0,7,44,45,28,48,20,1,18"},
      {"0;0,0,0,0,0,0,0,0,0,0,0,0,0,1", "0;0,0,0,0,0,0,1"},
      {kLargest, "7,44,45;28,48,20,1,18,23,20,37,41,32,43,48,49,59"},
      {"0;1", "0;7,44,45,28,48,20,1,18,23,20,37,41,32,43,49"},
      {"0;0,1", "0;1"},
      {"59,59,59,59,59", "7,44,45;28,48,16,8,55,38,56,26,42,47,51,2,28,9,1"},
      {"1", "1"},
      {"0", "0"},
  };
  for (const auto& c : cases) {
    Sxg r;
    SxgAddition(S("7"), S("7"), r);
    ComputeSqrt(S(c.a), r);
    EXPECT_EQ(Notation(r), c.want) << "sqrt " << c.a;
    ExpectNormal(r, c.a);
    EXPECT_FALSE(r.Neg);
  }
}

}  // namespace
}  // namespace qirn::test
