// The fast formulations of the arithmetic against the straightforward
// place-by-place ones they replace: the same digits, sign and marks for many
// random operands, including digits outside the normal form (division's
// aligned remainders), halves in the multiplication carry and every kind of
// divisor.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "oracle.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_reference.h"
#include "sexagesimal/sxg_series.h"
#include "sexagesimal/sxg_trig.h"
#include "support/sxg_text.h"

namespace qirn::test {
namespace {

// Results are compared in full, marks included; after a mark only place -4
// is defined, so both results start from the same filler.
bool Same(const Sxg& a, const Sxg& b) {
  if (a.Digits[-4] != b.Digits[-4]) return false;
  if (a.Digits[-4] == SxgOverflowMark || a.Digits[-4] == SxgDivZeroMark) return true;
  return a == b;
}

Sxg Filler() {
  Sxg f;
  f.Neg = true;
  for (int16_t& d : f.Digits.v) d = 7;
  return f;
}

template <typename Fast, typename Ref>
void CompareBinary(const char* what, SxgGen& gen, int n, Fast fast, Ref ref, int lo = -4) {
  for (int k = 0; k < n; ++k) {
    Sxg a = gen.Next(lo), b = gen.Next(gen.Int(lo, 15));
    if (gen.Int(0, 9) == 0) b = a;  // equal magnitudes
    if (gen.Int(0, 19) == 0) b = Sxg{};
    Sxg f = Filler(), r = Filler();
    fast(a, b, f);
    ref(a, b, r);
    ASSERT_TRUE(Same(f, r)) << what << " " << Notation(a) << " , " << Notation(b) << ": fast " << Notation(f)
                            << ", reference " << Notation(r);
  }
}

TEST(FastPaths, AdditionAndSubtractionAsPlaceByPlace) {
  SxgGen gen(11);
  CompareBinary("SxgAddition", gen, 50000, SxgAddition, reference::SxgAddition);
  CompareBinary("SxgSubtraction", gen, 50000, SxgSubtraction, reference::SxgSubtraction);
  CompareBinary("PerformAddition", gen, 30000, PerformAddition, reference::PerformAddition);
  // The larger magnitude first, as callers guarantee, and also not.
  CompareBinary("PerformSubtraction", gen, 30000, PerformSubtraction, reference::PerformSubtraction);
}

TEST(FastPaths, SubtractionWithCombinedLeadingPlace) {
  // Division's aligned remainders: place -4 holds two places (up to 3599).
  SxgGen gen(12);
  for (int k = 0; k < 30000; ++k) {
    Sxg a = gen.Next(), b = gen.Next();
    a.Digits[-4] = static_cast<int16_t>(gen.Int(0, 3599));
    b.Digits[-4] = static_cast<int16_t>(gen.Int(0, 59));
    Sxg f = Filler(), r = Filler();
    PerformSubtraction(a, b, f);
    reference::PerformSubtraction(a, b, r);
    ASSERT_EQ(f, r) << Notation(a) << " - " << Notation(b);
    ASSERT_EQ(Larger(a, b), reference::Larger(a, b)) << Notation(a) << " > " << Notation(b);
  }
}

TEST(FastPaths, MultiplicationAsPlaceByPlace) {
  SxgGen gen(13);
  CompareBinary("SxgMultiplication", gen, 80000, SxgMultiplication, reference::SxgMultiplication);
  // Operands whose fractions alone meet: both below 1, so that the places
  // of weight 16 and 17 carry most of the product.
  CompareBinary("SxgMultiplication", gen, 50000, SxgMultiplication, reference::SxgMultiplication, 1);
}

TEST(FastPaths, MultiplicationCarryAtAHalf) {
  // Pairs whose weight-16 and weight-17 sums put F / 60 exactly on a half:
  // found by search, they take the extended sum.
  std::mt19937 rng(14);
  int halves = 0;
  for (int k = 0; k < 2000000 && halves < 150; ++k) {
    // Fractions only, every place random: cheap to draw, and a half comes
    // about once in 3600 draws.
    Sxg a{}, b{};
    for (int i = 1; i <= 15; ++i) {
      a.Digits[i] = static_cast<int16_t>(rng() % 60);
      b.Digits[i] = static_cast<int16_t>(rng() % 60);
    }
    int64_t w16 = 0, w17 = 0;
    for (int i = 1; i <= 15; ++i) w16 += a.Digits[i] * b.Digits[16 - i];
    for (int i = 2; i <= 15; ++i) w17 += a.Digits[i] * b.Digits[17 - i];
    if ((60 * w16 + w17) % 3600 != 1800) continue;
    ++halves;
    Sxg f = Filler(), r = Filler();
    SxgMultiplication(a, b, f);
    reference::SxgMultiplication(a, b, r);
    ASSERT_TRUE(Same(f, r)) << Notation(a) << " * " << Notation(b);
  }
  EXPECT_GE(halves, 100);
}

TEST(FastPaths, MultiplicationOfDigitsOutsideTheNormalForm) {
  SxgGen gen(15);
  for (int k = 0; k < 5000; ++k) {
    Sxg a = gen.Next(), b = gen.Next();
    a.Digits[gen.Int(-4, 15)] = static_cast<int16_t>(gen.Int(60, 200));
    Sxg f = Filler(), r = Filler();
    SxgMultiplication(a, b, f);
    reference::SxgMultiplication(a, b, r);
    ASSERT_TRUE(Same(f, r)) << Notation(a) << " * " << Notation(b);
  }
}

TEST(FastPaths, DivisionByAWholeNumberAsPlaceByPlace) {
  SxgGen gen(16);
  const int16_t fixed[] = {1, 2, 3, 6, 7, 30, 59, 60, 61, 3599, 3600, 9999, 19998, 32220, 32767, -1, -2, -7, -32768, 0};
  for (int k = 0; k < 80000; ++k) {
    Sxg a = gen.Next();
    int16_t K = k % 3 == 0 ? fixed[gen.Int(0, 19)] : static_cast<int16_t>(gen.Int(-32768, 32767));
    if (k % 50 == 0) a.Digits[gen.Int(-4, 15)] = static_cast<int16_t>(gen.Int(60, 300));
    Sxg f = Filler(), r = Filler();
    DivideSxgInteger(a, K, f);
    reference::DivideSxgInteger(a, K, r);
    ASSERT_TRUE(Same(f, r)) << Notation(a) << " / " << K;
  }
}

TEST(FastPaths, MultiplicationByAWholeNumberAsPlaceByPlace) {
  SxgGen gen(19);
  for (int k = 0; k < 50000; ++k) {
    Sxg a = gen.Next();
    int16_t K = k % 4 == 0 ? static_cast<int16_t>(gen.Int(-3, 3)) : static_cast<int16_t>(gen.Int(-32768, 32767));
    if (k % 50 == 0) a.Digits[gen.Int(-4, 15)] = static_cast<int16_t>(gen.Int(60, 300));
    Sxg f = Filler(), r = Filler();
    MultiplySxgInteger(a, K, f);
    reference::MultiplySxgInteger(a, K, r);
    ASSERT_TRUE(Same(f, r)) << Notation(a) << " * " << K;
  }
}

TEST(FastPaths, ComparisonsAsPlaceByPlace) {
  SxgGen gen(20);
  for (int k = 0; k < 50000; ++k) {
    Sxg a = gen.Next(), b = k % 5 == 0 ? a : gen.Next();
    if (k % 7 == 0) b.Digits[gen.Int(-4, 15)] = a.Digits[gen.Int(-4, 15)];
    if (k % 11 == 0) a.Digits[-4] = static_cast<int16_t>(gen.Int(0, 3599));
    ASSERT_EQ(Larger(a, b), reference::Larger(a, b)) << Notation(a) << " > " << Notation(b);
    ASSERT_EQ(IsZero(a), reference::IsZero(a)) << Notation(a);
  }
  EXPECT_TRUE(IsZero(Sxg{}));
  EXPECT_FALSE(Larger(Sxg{}, Sxg{}));
}

TEST(FastPaths, DivisionAsDigitByDigit) {
  SxgGen gen(17);
  CompareBinary("SxgDivision", gen, 50000, SxgDivision, reference::SxgDivision);
  // Quotients of every size, down to those below the last place.
  for (int k = 0; k < 30000; ++k) {
    Sxg a = gen.Next(gen.Int(-4, 15)), b = gen.Next(gen.Int(-4, 15));
    Sxg f = Filler(), r = Filler();
    SxgDivision(a, b, f);
    reference::SxgDivision(a, b, r);
    ASSERT_TRUE(Same(f, r)) << Notation(a) << " / " << Notation(b);
  }
  // Divisors of one or two places, where the leading places' estimate is
  // exact most often.
  for (int k = 0; k < 30000; ++k) {
    Sxg a = gen.Next(), b{};
    int p = gen.Int(-4, 14);
    b.Digits[p] = static_cast<int16_t>(gen.Int(1, 59));
    if (k % 2) b.Digits[p + 1] = static_cast<int16_t>(gen.Int(0, 59));
    Sxg f = Filler(), r = Filler();
    SxgDivision(a, b, f);
    reference::SxgDivision(a, b, r);
    ASSERT_TRUE(Same(f, r)) << Notation(a) << " / " << Notation(b);
  }
  // Exact quotients and those one unit off, where a remainder is a whole
  // multiple of the divisor and a digit's estimate falls one short.
  for (int k = 0; k < 20000; ++k) {
    Sxg b = gen.Next(gen.Int(-2, 7)), q = gen.Next(gen.Int(-2, 7)), a;
    for (int i = 8; i <= 15; ++i) b.Digits[i] = q.Digits[i] = 0;  // the product is exact
    if (IsZero(b) || IsZero(q)) continue;
    SxgMultiplication(b, q, a);
    if (a.Digits[-4] == SxgOverflowMark) continue;
    Sxg unit{};
    unit.Digits[15] = 1;
    if (k % 3 == 1) SxgAddition(a, unit, a);
    if (k % 3 == 2) SxgSubtraction(a, unit, a);
    Sxg f = Filler(), r = Filler();
    SxgDivision(a, b, f);
    reference::SxgDivision(a, b, r);
    ASSERT_TRUE(Same(f, r)) << Notation(a) << " / " << Notation(b);
  }
}

TEST(FastPaths, SquareRootAsDigitByDigit) {
  SxgGen gen(18);
  for (int k = 0; k < 50000; ++k) {
    Sxg a = gen.Next(gen.Int(-4, 15));
    if (k % 100 == 0) a.Digits[gen.Int(-4, 15)] = static_cast<int16_t>(gen.Int(60, 300));
    Sxg f = Filler(), r = Filler();
    ComputeSqrt(a, f);
    reference::ComputeSqrt(a, r);
    ASSERT_EQ(f, r) << "sqrt " << Notation(a);
  }
  // Squares and near squares: remainders of zero and of one unit.
  for (int k = 0; k < 15000; ++k) {
    Sxg root = gen.Next(gen.Int(2, 9)), a;
    root.Neg = false;
    SxgMultiplication(root, root, a);
    if (a.Digits[-4] == SxgOverflowMark || IsZero(a)) continue;
    Sxg unit{};
    unit.Digits[15] = 1;
    if (k % 3 == 1) SxgAddition(a, unit, a);
    if (k % 3 == 2) SxgSubtraction(a, unit, a);
    if (IsZero(a)) continue;
    Sxg f = Filler(), r = Filler();
    ComputeSqrt(a, f);
    reference::ComputeSqrt(a, r);
    ASSERT_EQ(f, r) << "sqrt " << Notation(a);
  }
}

bool Outside(const Sxg& a) {
  for (int16_t d : a.Digits.v)
    if (d < 0 || d > 59) return true;
  return false;
}

// An unsigned 128-bit whole number as a GMP integer.
Z Wide(unsigned __int128 m) {
  Z r(static_cast<long>(m >> 64 >> 32)), low;
  mpz_mul_2exp(r.get(), r.get(), 32);
  mpz_add_ui(r.get(), r.get(), static_cast<unsigned long>((m >> 64) & 0xFFFFFFFFu));
  mpz_mul_2exp(r.get(), r.get(), 64);
  mpz_set_ui(low.get(), static_cast<unsigned long>(m));
  mpz_add(r.get(), r.get(), low.get());
  return r;
}

// The series step in one pass against the two routines it stands for, on
// random operands, on the operands the series meet (the square of an
// argument below 1 and its terms) and on every kind of divisor; the
// magnitude is checked against the exact value of the places (GMP).
TEST(FastPaths, MultiplyDivideAsMultiplicationThenDivision) {
  SxgGen gen(21);
  const int16_t fixed[] = {1, 2, 3, 6, 12, 20, 30, 56, 59, 60, 3599, 3600, 32220, 32580, 32767, 0, -1, -6};
  int fast = 0;
  for (int k = 0; k < 60000; ++k) {
    Sxg a, b;
    if (k % 4 == 0) {
      a = gen.Next(gen.Int(-4, 15));
      b = gen.Next(gen.Int(-4, 15));
    } else if (k % 4 == 2) {  // a product near 1
      a = gen.Next(gen.Int(0, 2));
      b = gen.Next(gen.Int(0, 2));
    } else {  // a term and the square of a series argument below 1
      Sxg x = gen.Next(1);
      SxgMultiplication(x, x, b);
      a = gen.Next(gen.Int(1, 15));
    }
    if (k % 97 == 0) a.Digits[gen.Int(-4, 15)] = static_cast<int16_t>(gen.Int(60, 300));
    const int16_t K = k % 3 == 0 ? fixed[gen.Int(0, 17)] : static_cast<int16_t>(gen.Int(1, 32767));
    Sxg r = Filler();
    SxgMultiplication(a, b, r);
    DivideSxgInteger(r, K, r);
    Sxg f = Filler();
    unsigned __int128 m = 7;
    const bool taken = MultiplyDivide(a, b, K, f, m);
    Sxg p;
    SxgMultiplication(a, b, p);
    auto below_one = [](const Sxg& x) {
      return x.Digits[-4] == 0 && x.Digits[-3] == 0 && x.Digits[-2] == 0 && x.Digits[-1] == 0 && x.Digits[0] == 0;
    };
    const bool usable = K > 0 && !Outside(a) && !Outside(b) && !IsZero(a) && !IsZero(b);
    if (usable && below_one(a) && below_one(b)) {
      ASSERT_TRUE(taken) << Notation(a) << " * " << Notation(b) << " / " << K;
    }
    if (!usable || p.Digits[-4] == SxgOverflowMark || !below_one(p)) {
      ASSERT_FALSE(taken) << Notation(a) << " * " << Notation(b) << " / " << K;
    }
    if (!taken) {
      ASSERT_EQ(f, Filler());
      continue;
    }
    ++fast;
    ASSERT_EQ(f, r) << Notation(a) << " * " << Notation(b) << " / " << K;
    Z v = Units(f);
    mpz_abs(v.get(), v.get());
    ASSERT_EQ(Cmp(Wide(m), v), 0) << Notation(f);
    // The result may replace an operand.
    Sxg alias = a;
    ASSERT_TRUE(MultiplyDivide(alias, b, K, alias, m));
    ASSERT_EQ(alias, r);
  }
  EXPECT_GT(fast, 25000);
}

// The sine and cosine series step by step, with the public routines, as
// they are defined: the faster summation must give the same places and
// the same number of terms.
void StepByStep(bool sine, const Sxg& A, Sxg& New, int16_t& Exp) {
  Sxg Sqr, Term, Sum;
  SxgMultiplication(A, A, Sqr);
  if (sine) {
    SxgMultiplication(A, Sqr, Term);
    DivideSxgInteger(Term, 6, Term);
    Sum = A;
    Exp = 3;
  } else {
    DivideSxgInteger(Sqr, 2, Term);
    Sum = One;
    Exp = 2;
  }
  bool Pos = true;
  do {
    Exp = static_cast<int16_t>(Exp + 2);
    Pos = !Pos;
    if (Pos)
      SxgAddition(Sum, Term, Sum);
    else
      SxgSubtraction(Sum, Term, Sum);
    SxgMultiplication(Term, Sqr, Term);
    DivideSxgInteger(Term, static_cast<int16_t>((Exp - 1) * Exp), Term);
  } while (!IsZero(Term) && Exp < (sine ? 181 : 180));
  if (IsZero(Sum)) Sum.Neg = false;
  New = Sum;
}

TEST(FastPaths, SineAndCosineSeriesAsStepByStep) {
  SxgGen gen(22);
  std::vector<Sxg> args = {Zero, QuarterPi, EighthPi, One, Two, HalfPi};
  Sxg unit{}, top{};
  unit.Digits[15] = 1;
  for (int i = 1; i <= 15; ++i) top.Digits[i] = 59;  // just below 1
  args.push_back(unit);
  args.push_back(top);
  for (int k = 0; k < 6000; ++k) {
    // Mostly below 1, as the commands hand them on (a tenth up to 4, where
    // the terms still stay far from the largest places).
    Sxg a = gen.Next(k % 10 == 0 ? 0 : gen.Int(1, 15));
    a.Digits[0] = static_cast<int16_t>(a.Digits[0] % 4);
    if (k % 4 == 0) a.Digits[1] = static_cast<int16_t>(gen.Int(0, 47));  // within pi/4
    args.push_back(a);
  }
  for (Sxg a : args) {
    for (bool neg : {false, true}) {
      a.Neg = neg;
      for (bool sine : {true, false}) {
        Sxg f = Filler(), r = Filler();
        int16_t fe = 0, re = 0;
        if (sine)
          ComputeSin(a, f, fe);
        else
          ComputeCos(a, f, fe);
        StepByStep(sine, a, r, re);
        ASSERT_EQ(f, r) << (sine ? "sin " : "cos ") << Notation(a);
        ASSERT_EQ(fe, re) << (sine ? "sin " : "cos ") << Notation(a);
      }
    }
  }
}

}  // namespace
}  // namespace qirn::test
