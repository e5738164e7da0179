// The fast formulations of the arithmetic against the straightforward
// place-by-place ones they replace: the same digits, sign and marks for many
// random operands, including digits outside the normal form (division's
// aligned remainders), halves in the multiplication carry and every kind of
// divisor.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "oracle.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_reference.h"
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

}  // namespace
}  // namespace qirn::test
