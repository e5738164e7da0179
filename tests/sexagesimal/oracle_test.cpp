// Randomised checks of the Sxg arithmetic against exact integer arithmetic
// (GMP) on unit counts of 60^-15. The seed is fixed; every failure prints it
// with both operands and both results.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "oracle.h"
#include "sexagesimal/sxg_arith.h"

namespace qirn::test {
namespace {

constexpr uint64_t kSeed = 0x5e8a6e51u;
constexpr int kCases = 6000;

const Z& Limit() {
  static const Z lim = Pow60(20);
  return lim;
}

bool IsMark(const Sxg& r, int16_t mark) { return r.Digits[-4] == mark; }

std::string Shown(const Sxg& r) {
  if (IsMark(r, SxgOverflowMark)) return "overflow";
  if (IsMark(r, SxgDivZeroMark)) return "division by zero";
  return Notation(r);
}

std::string Case(const char* op, const Sxg& a, const std::string& b, const Sxg& got, const std::string& want) {
  return std::string("seed ") + std::to_string(kSeed) + ": " + op + "(" + Notation(a) + ", " + b + ") gave " +
         Shown(got) + ", expected " + want;
}

// Normal form: digits 0..59 and no negative zero.
bool Normal(const Sxg& r) {
  bool zero = true;
  for (int i = -4; i <= 15; ++i) {
    if (r.Digits[i] < 0 || r.Digits[i] > 59) return false;
    zero = zero && r.Digits[i] == 0;
  }
  return !(zero && r.Neg);
}

// The exact result if representable, else the overflow mark.
void ExpectExact(const char* op, const Sxg& a, const std::string& b, const Sxg& got, const Z& exact) {
  if (!Representable(exact)) {
    EXPECT_TRUE(IsMark(got, SxgOverflowMark)) << Case(op, a, b, got, "overflow");
    return;
  }
  Sxg want = FromUnits(exact);
  EXPECT_TRUE(got == want && Normal(got)) << Case(op, a, b, got, Notation(want));
}

TEST(SxgOracle, ComparisonAndPlaceOperations) {
  SxgGen gen(kSeed + 5);
  for (int n = 0; n < kCases; ++n) {
    Sxg a = gen.Next(), b = n % 5 == 0 ? a : gen.Next();
    if (n % 5 == 0) b.Digits[gen.Int(-4, 15)] = static_cast<int16_t>(gen.Int(0, 59));
    Z ua = Units(a), ub = Units(b);
    EXPECT_EQ(Larger(a, b), mpz_cmpabs(ua.get(), ub.get()) > 0)
        << "seed " << kSeed << ": Larger(" << Notation(a) << ", " << Notation(b) << ")";

    int N = gen.Int(-4, 15);
    std::string ns = std::to_string(N);
    Z mag, unit = Pow60(static_cast<unsigned long>(15 - N)), low, high;
    mpz_abs(mag.get(), ua.get());
    mpz_fdiv_qr(high.get(), low.get(), mag.get(), unit.get());
    auto sign = [&](Z v) {
      if (a.Neg) mpz_neg(v.get(), v.get());
      return v;
    };
    Sxg r;
    SxgFrac(a, static_cast<int16_t>(N), r);
    ExpectExact("SxgFrac", a, ns, r, sign(low));
    Z cut;
    mpz_mul(cut.get(), high.get(), unit.get());
    SxgTrunc(a, static_cast<int16_t>(N), r);
    ExpectExact("SxgTrunc", a, ns, r, sign(cut));
    // Half up in magnitude; at place 15 always one unit up.
    Z up = mag;
    if (N == 15) {
      mpz_add_ui(up.get(), up.get(), 1);
    } else {
      Z half = Pow60(static_cast<unsigned long>(14 - N));
      mpz_mul_ui(half.get(), half.get(), 30);
      mpz_add(up.get(), up.get(), half.get());
      mpz_fdiv_q(up.get(), up.get(), unit.get());
      mpz_mul(up.get(), up.get(), unit.get());
    }
    SxgRound(a, static_cast<int16_t>(N), r);
    ExpectExact("SxgRound", a, ns, r, sign(up));
  }
}

TEST(SxgOracle, AdditionAndSubtractionAreExact) {
  SxgGen gen(kSeed);
  for (int n = 0; n < kCases; ++n) {
    Sxg a = gen.Next(), b = gen.Next(gen.Int(-4, 15));
    if (n % 3 == 0) b.Neg = !a.Neg;  // plenty of cancellation
    if (n % 50 == 0) b = a;
    Z sum, diff;
    mpz_add(sum.get(), Units(a).get(), Units(b).get());
    mpz_sub(diff.get(), Units(a).get(), Units(b).get());
    Sxg r;
    SxgAddition(a, b, r);
    ExpectExact("SxgAddition", a, Notation(b), r, sum);
    SxgSubtraction(a, b, r);
    ExpectExact("SxgSubtraction", a, Notation(b), r, diff);
    Sxg alias = a;
    SxgSubtraction(alias, b, alias);
    EXPECT_TRUE(alias == r) << Case("SxgSubtraction into A", a, Notation(b), alias, Shown(r));
  }
}

TEST(SxgOracle, IntegerOperationsAreExact) {
  SxgGen gen(kSeed + 1);
  for (int n = 0; n < kCases; ++n) {
    Sxg a = gen.Next();
    int k = n % 4 == 0 ? gen.Int(1, 32767) : n % 4 == 1 ? gen.Int(1, 9999) : gen.Int(1, 120);
    std::string ks = std::to_string(k);
    Z ua = Units(a), prod;
    mpz_mul_si(prod.get(), ua.get(), k);
    Sxg r;
    MultiplySxgInteger(a, static_cast<int16_t>(k), r);
    ExpectExact("MultiplySxgInteger", a, ks, r, prod);

    // |A| + K keeps the sign of A.
    Z plus;
    mpz_abs(plus.get(), ua.get());
    Z kk(k);
    mpz_mul(kk.get(), kk.get(), Pow60(15).get());
    mpz_add(plus.get(), plus.get(), kk.get());
    if (a.Neg) mpz_neg(plus.get(), plus.get());
    AddSxgInteger(a, static_cast<int16_t>(k), r);
    ExpectExact("AddSxgInteger", a, ks, r, plus);

    // Quotient rounded to nearest at place 15, a half to even.
    Z q, rem;
    mpz_abs(q.get(), ua.get());
    mpz_fdiv_qr_ui(q.get(), rem.get(), q.get(), static_cast<unsigned long>(k));
    unsigned long twice = 2 * mpz_get_ui(rem.get());
    if (twice > static_cast<unsigned long>(k) || (twice == static_cast<unsigned long>(k) && mpz_odd_p(q.get())))
      mpz_add_ui(q.get(), q.get(), 1);
    if (a.Neg) mpz_neg(q.get(), q.get());
    DivideSxgInteger(a, static_cast<int16_t>(k), r);
    ExpectExact("DivideSxgInteger", a, ks, r, q);
  }
}

TEST(SxgOracle, DivisionIsTheExactQuotientRoundedHalfUp) {
  SxgGen gen(kSeed + 2);
  int overflows = 0, rounded = 0;
  for (int n = 0; n < kCases; ++n) {
    Sxg a = gen.Next();
    int firstA = -4;
    while (a.Digits[firstA] == 0) ++firstA;
    // Mostly quotients below 60^5, which start at most five places above A.
    Sxg b = n % 4 == 0 ? gen.Next() : gen.Next(-4, firstA + 5 > 15 ? 15 : firstA + 5);
    if (n % 40 == 0) b = a;
    Sxg r;
    SxgDivision(a, b, r);
    // t = |A| * 60^16 / |B|: the quotient in units of place 16.
    Z t, ua = Units(a), ub = Units(b);
    mpz_abs(ua.get(), ua.get());
    mpz_abs(ub.get(), ub.get());
    mpz_mul(t.get(), ua.get(), Pow60(16).get());
    mpz_fdiv_q(t.get(), t.get(), ub.get());
    unsigned long shadow = mpz_fdiv_q_ui(t.get(), t.get(), 60);
    if (Cmp(t, Limit()) >= 0) {
      ++overflows;
      EXPECT_TRUE(IsMark(r, SxgOverflowMark)) << Case("SxgDivision", a, Notation(b), r, "overflow");
      continue;
    }
    if (shadow >= 30) {
      mpz_add_ui(t.get(), t.get(), 1);
      ++rounded;
    }
    if (Cmp(t, Limit()) >= 0) mpz_sub_ui(t.get(), t.get(), 1);  // kept unrounded below 60^5
    if (a.Neg != b.Neg) mpz_neg(t.get(), t.get());
    ExpectExact("SxgDivision", a, Notation(b), r, t);
    if (n % 7 == 0) {
      Sxg alias = b;
      SxgDivision(a, alias, alias);
      EXPECT_TRUE(alias == r) << Case("SxgDivision into B", a, Notation(b), alias, Shown(r));
    }
  }
  EXPECT_GT(overflows, kCases / 50);
  EXPECT_GT(rounded, kCases / 10);
  std::printf("division: %d cases, %d overflow, %d rounded up\n", kCases, overflows, rounded);
}

TEST(SxgOracle, MultiplicationIsWithinOneUnitAndExactWhereNothingIsIgnored) {
  SxgGen gen(kSeed + 3);
  int inexact = 0, exactChecked = 0, overflows = 0, ties = 0;
  for (int n = 0; n < kCases; ++n) {
    Sxg a = gen.Next();
    int firstA = -4;
    while (a.Digits[firstA] == 0) ++firstA;
    // Mostly products that fit, some that overflow.
    int lo = n % 4 == 0 ? -4 : (-4 - firstA < -4 ? -4 : -4 - firstA);
    Sxg b = gen.Next(lo > 15 ? 15 : lo);
    if (n % 3 == 1) {  // short enough that no product falls below weight 17
      int lastA = 15;
      while (a.Digits[lastA] == 0) --lastA;
      for (int j = 17 - lastA + 1; j <= 15; ++j)
        if (j >= -4) b.Digits[j] = 0;
      bool zero = true;
      for (int j = -4; j <= 15; ++j) zero = zero && b.Digits[j] == 0;
      if (zero) b.Digits[17 - lastA < 15 ? 17 - lastA : 15] = 7;
    }
    if (n % 60 == 0) b = a;
    Sxg r;
    SxgMultiplication(a, b, r);

    // Exact product in units of 60^-30; rounded to place 15, a half to even.
    Z p, e, rem;
    mpz_mul(p.get(), Units(a).get(), Units(b).get());
    mpz_abs(p.get(), p.get());
    mpz_fdiv_qr(e.get(), rem.get(), p.get(), Pow60(15).get());
    Z half = Pow60(15);
    mpz_fdiv_q_ui(half.get(), half.get(), 2);
    int c = Cmp(rem, half);
    if (c > 0 || (c == 0 && mpz_odd_p(e.get()))) mpz_add_ui(e.get(), e.get(), 1);
    bool tie = c == 0;

    // Are there non-zero products of weight 18 or more (ignored below place 15)?
    bool ignored = false;
    for (int i = 3; i <= 15 && !ignored; ++i)
      for (int j = 18 - i; j <= 15; ++j)
        if (a.Digits[i] != 0 && b.Digits[j] != 0) {
          ignored = true;
          break;
        }

    std::string want = Cmp(e, Limit()) >= 0 ? "overflow (" + e.str() + " units)" : Notation(FromUnits(e));
    if (tie) ++ties;
    if (IsMark(r, SxgOverflowMark)) {
      ++overflows;
      Z lim1 = Limit();
      mpz_sub_ui(lim1.get(), lim1.get(), 1);
      EXPECT_GE(Cmp(e, lim1), 0) << Case("SxgMultiplication", a, Notation(b), r, want);
      continue;
    }
    Z got = Units(r), d;
    mpz_abs(got.get(), got.get());
    mpz_sub(d.get(), got.get(), e.get());
    mpz_abs(d.get(), d.get());
    bool neg = a.Neg != b.Neg && mpz_sgn(got.get()) != 0;
    EXPECT_TRUE(Normal(r) && r.Neg == neg && mpz_cmp_ui(d.get(), 1) <= 0)
        << Case("SxgMultiplication", a, Notation(b), r, want);
    if (mpz_sgn(d.get()) != 0) ++inexact;
    if (!ignored && !tie) {
      ++exactChecked;
      EXPECT_EQ(mpz_sgn(d.get()), 0) << Case("SxgMultiplication", a, Notation(b), r, want) << " (nothing ignored)";
    }
    if (n % 7 == 0) {
      Sxg alias = a;
      SxgMultiplication(alias, b, alias);
      EXPECT_TRUE(alias == r) << Case("SxgMultiplication into A", a, Notation(b), alias, Shown(r));
    }
  }
  EXPECT_GT(exactChecked, kCases / 5);
  EXPECT_GT(overflows, kCases / 50);
  RecordProperty("inexact_products", inexact);
  std::printf("multiplication: %d cases, %d overflow, %d checked exact, %d off by one unit, %d ties\n", kCases,
              overflows, exactChecked, inexact, ties);
}

TEST(SxgOracle, SquareRootDigitsAreExactAndRoundedOnTheEstimate) {
  SxgGen gen(kSeed + 4);
  int roundedUp = 0, roundedOnLowDigit = 0;
  for (int n = 0; n < kCases; ++n) {
    Sxg a = gen.Next();
    Sxg r;
    ComputeSqrt(a, r);
    // floor(sqrt(|A|)) in units of place 16, then split into place 15 and
    // the true digit of place 16.
    Z ua = Units(a), fl;
    mpz_abs(ua.get(), ua.get());
    mpz_mul(ua.get(), ua.get(), Pow60(17).get());
    mpz_sqrt(fl.get(), ua.get());
    unsigned long next = mpz_fdiv_q_ui(fl.get(), fl.get(), 60);
    Z got = Units(r), d;
    mpz_sub(d.get(), got.get(), fl.get());
    long diff = mpz_get_si(d.get());
    std::string want = Notation(FromUnits(fl)) + " (next digit " + std::to_string(next) + ")";
    bool ok = Normal(r) && !r.Neg && mpz_cmpabs_ui(d.get(), 1) <= 0 && (diff == 0 || diff == 1);
    // A true digit of 30 or more always rounds up (the estimate is never
    // smaller); below 28 it never does (the estimate is close).
    if (next >= 30) ok = ok && diff == 1;
    if (next < 28) ok = ok && diff == 0;
    EXPECT_TRUE(ok) << Case("ComputeSqrt", a, "-", r, want);
    if (diff == 1) ++roundedUp;
    if (diff == 1 && next < 30) ++roundedOnLowDigit;
  }
  EXPECT_GT(roundedUp, kCases / 10);
  RecordProperty("rounded_up_below_30", roundedOnLowDigit);
  std::printf("square root: %d cases, %d rounded up, %d of them on a true digit below 30\n", kCases, roundedUp,
              roundedOnLowDigit);
}

}  // namespace
}  // namespace qirn::test
