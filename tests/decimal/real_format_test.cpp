#include "decimal/real_format.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace qirn {
namespace {

std::string Blanks(int n) { return std::string(n, ' '); }

// The exact value of an x87 extended number read from its bytes (64-bit
// significand with explicit integer bit, 15-bit exponent): mant * 2^e.
void Decode(long double x, mpz_t mant, long* e, bool* neg) {
  unsigned char b[16] = {};
  std::memcpy(b, &x, 10);
  uint64_t m = 0;
  for (int i = 7; i >= 0; --i) m = m << 8 | b[i];
  int se = b[9] << 8 | b[8];
  *neg = se & 0x8000;
  int be = se & 0x7fff;
  mpz_import(mant, 1, 1, sizeof m, 0, 0, &m);
  *e = (be == 0 ? 1 : be) - 16383 - 63;
}

// The display text computed independently: the exact value times 10^17,
// rounded half up in rational arithmetic, laid out as the calculator shows
// decimal numbers (valid while the text fits its 48 columns).
std::string Oracle(long double x) {
  mpz_t mant, num, den, q;
  mpz_inits(mant, num, den, q, nullptr);
  long e;
  bool neg;
  Decode(x, mant, &e, &neg);
  mpz_ui_pow_ui(num, 10, 17);
  mpz_mul(num, num, mant);
  if (e >= 0) {
    mpz_mul_2exp(q, num, e);
  } else {
    mpz_set_ui(den, 1);
    mpz_mul_2exp(den, den, -e);
    // floor((2 num + den) / (2 den))
    mpz_mul_2exp(num, num, 1);
    mpz_add(num, num, den);
    mpz_mul_2exp(den, den, 1);
    mpz_fdiv_q(q, num, den);
  }
  char* s = mpz_get_str(nullptr, 10, q);
  std::string digits = s;
  free(s);
  mpz_clears(mant, num, den, q, nullptr);
  if (digits.size() < 18) digits = std::string(18 - digits.size(), '0') + digits;
  std::string t = (neg ? "-" : "") + digits.substr(0, digits.size() - 17) + "." + digits.substr(digits.size() - 17);
  if (t.size() < 48) t = Blanks(48 - t.size()) + t;
  size_t k = 48;
  while (t[k - 1] == '0') --k;
  t.resize(k);
  if (t.size() >= 3 && t.compare(t.size() - 3, 3, "-0.") == 0 && t.find_first_not_of(' ') == t.size() - 3)
    t[t.size() - 3] = ' ';
  return t;
}

TEST(RealToStr, Examples) {
  struct Case {
    long double x;
    std::string text;
  } cases[] = {
      {1, Blanks(29) + "1."},
      {0.5L, Blanks(29) + "0.5"},
      {-2.25L, Blanks(28) + "-2.25"},
      {123456.75L, Blanks(24) + "123456.75"},
      {0.1L, Blanks(29) + "0.1"},
      {0, Blanks(29) + "0."},
      {-0.0L, Blanks(29) + "0."},
      // 2^-18 = 0.000003814697265625: an exact tie after an even 17th digit
      // rounds up.
      {std::ldexp(1.0L, -18), Blanks(29) + "0.00000381469726563"},
      {-std::ldexp(1.0L, -18), Blanks(28) + "-0.00000381469726563"},
      {std::ldexp(3.0L, -18), Blanks(29) + "0.00001144409179688"},  // tie after odd digit
      // Negatives that round to zero read as zero.
      {-1e-18L, Blanks(29) + "0."},
      {-4.9e-18L, Blanks(29) + "0."},
      {-std::ldexp(1.0L, -16445), Blanks(29) + "0."},  // the smallest subnormal
      {-1.2e-17L, Blanks(28) + "-0.00000000000000001"},
      {999999999999999999.0L, Blanks(12) + "999999999999999999."},
      {1e18L, Blanks(11) + "1000000000000000000."},
      {-std::ldexp(1.0L, 95), "-39614081257132168796771975168."},  // 29 digits
      {std::ldexp(1.0L, 64), Blanks(10) + "18446744073709551616."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RealToStr(c.x).view(), c.text) << static_cast<double>(c.x);
    EXPECT_EQ(Oracle(c.x), c.text) << static_cast<double>(c.x);
  }
}

TEST(RealToStr, ShowsTheBinaryApproximation) {
  std::string t(RealToStr(123456.789L).view());
  ASSERT_EQ(t.size(), 48u);
  EXPECT_EQ(t.substr(24, 16), "123456.789000000");
  EXPECT_NE(t.substr(40), "0000000");
}

TEST(RealToStr, PointIsThe31stCharacter) {
  for (long double x : {0.0L, 7.0L, -7.5L, 12345678901234567.125L, 1e-5L, -999999999999.0625L}) {
    std::string t(RealToStr(x).view());
    EXPECT_EQ(t.find('.'), 30u) << t;
  }
}

// Random values over the whole shown range, whole numbers, ties at the 17th
// decimal and tiny values, against the exact rational oracle.
TEST(RealToStr, MatchesExactOracle) {
  std::mt19937_64 rng(20261211);
  int checked = 0;
  auto check = [&](long double x) {
    ASSERT_EQ(RealToStr(x).view(), Oracle(x)) << std::ldexp(x, 0);
    ++checked;
  };
  for (int i = 0; i < 60000; ++i) {
    uint64_t m = rng() | (1ULL << 63);
    int e = static_cast<int>(rng() % 220) - 190;  // about 1e-38 .. 1e29
    long double x = std::ldexp(static_cast<long double>(m), e - 63);
    check(rng() & 1 ? -x : x);
  }
  for (int i = 0; i < 20000; ++i) {
    // Ties: an odd multiple of 2^-18, up to 2^45.
    uint64_t k = (rng() >> (rng() % 45 + 19)) | 1;
    long double x = std::ldexp(static_cast<long double>(k), -18);
    check(rng() & 1 ? -x : x);
    // Just beside a tie.
    check(std::nextafter(x, 0.0L));
    check(std::nextafter(x, 1e30L));
  }
  for (int i = 0; i < 20000; ++i) {
    // Short binary fractions and whole numbers.
    long double x = std::ldexp(static_cast<long double>(rng() >> (rng() % 64)), static_cast<int>(rng() % 80) - 70);
    check(rng() & 1 ? -x : x);
  }
  EXPECT_EQ(checked, 140000);
}

TEST(RealToStr, HugeAndNonFiniteValuesKeepTheLayout) {
  // Beyond 29 integer digits the text is cut at 48 characters; the digits
  // cut out are not replaced by dropping zeros.
  long double big = std::ldexp(1.0L, 200);  // 1606938044258990275541962092341162602522202993782792835301376
  EXPECT_EQ(RealToStr(big).view(), "160693804425899027554196209234116260252220299378");
  EXPECT_EQ(RealToStr(std::ldexp(121.0L, 160)).view(), "176841698117039253102645864758670245378367837700");
  EXPECT_EQ(RealToStr(-1e40L).view(), "-9999999999999999999783686092270256259072.");
  EXPECT_EQ(RealToStr(1e50L).view(), "100000000000000000003583830118858923890798487404");
  std::string maxv(RealToStr(std::numeric_limits<long double>::max()).view());
  EXPECT_EQ(maxv.substr(0, 10), "1189731495");
  EXPECT_EQ(maxv.size(), 48u);
  EXPECT_EQ(RealToStr(INFINITY).view(), Blanks(45) + "inf");
  EXPECT_EQ(RealToStr(-INFINITY).view(), Blanks(44) + "-inf");
  EXPECT_EQ(RealToStr(NAN).view(), Blanks(45) + "nan");
}

TEST(RoundReal, RoundsHalfAwayFromZero) {
  struct Case {
    long double x;
    int16_t n;
    long double r;
  } cases[] = {
      {2.5L, 0, 3},        {-2.5L, 0, -3},       {1.25L, 1, 1.3L},   {-1.25L, 1, -1.3L},
      {0.125L, 2, 0.13L},  {2.4999L, 0, 2},      {7.5L, -3, 8},      {123.456L, 2, 123.46L},
      {1e18L, 19, 1e18L},  {0.5L, 19, 0.5L},     {0, 5, 0},          {1e4930L, 19, 1e4930L},
  };
  for (const Case& c : cases) {
    long double got = RoundReal(c.x, c.n);
    // Same steps in extended arithmetic give the value nearest to r.
    EXPECT_EQ(got, c.r) << static_cast<double>(c.x) << " " << c.n;
  }
  long double z = RoundReal(-0.004L, 2);
  EXPECT_EQ(z, 0);
  EXPECT_FALSE(std::signbit(z));
  EXPECT_FALSE(std::signbit(RoundReal(-0.0L, 0)));
  EXPECT_TRUE(std::isnan(RoundReal(NAN, 3)));
}

}  // namespace
}  // namespace qirn
