#include "sexagesimal/sxg_format.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/sxg_text.h"

namespace qirn::test {
namespace {

// n blanks followed by rest.
std::string B(int n, const char* rest) { return std::string(n, ' ') + rest; }

struct Row {
  const char* value;
  std::string G, S, Z, C;
};

TEST(SxgToStr, WorkedExamples) {
  const Row rows[] = {
      {"5", B(16, "5"), B(16, "5"), B(8, "0r  0s  5"), B(16, "5d       0f")},
      {"-5", B(15, "-5"), B(14, "- 5"), B(7, "-0r  0s  5"), B(15, "-5d       0f")},
      {"5;30", B(16, "5;30"), B(16, "5;30"), B(8, "0r  0s  5;30"), B(16, "5d 1,23,20f")},
      {"-0;30", B(15, "-0;30"), B(15, "-0;30"), B(7, "-0r  0s  0;30"), B(15, "-0d 1,23,20f")},
      {"0", B(16, "0"), B(16, "0"), B(8, "0r  0s  0"), B(16, "0d       0f")},
      {"1,30;5,0,30", B(15, "90; 5, 0,30"), B(13, "1,30; 5, 0,30"), B(8, "0r  3s  0; 5, 0,30"),
       B(15, "90d   13,54f 43,20")},
      {"6,35;30", B(14, "395;30"), B(13, "6,35;30"), B(8, "1r  1s  5;30"), B(14, "395d 1,23,20f")},
      {"-6,35;15", B(13, "-395;15"), B(11, "- 6,35;15"), B(7, "-1r  1s  5;15"), B(13, "-395d   41,40f")},
      {"0;20", B(16, "0;20"), B(16, "0;20"), B(8, "0r  0s  0;20"), B(16, "0d   55,33f 20")},
      {"0;0,0,21,36", B(16, "0; 0, 0,21,36"), B(16, "0; 0, 0,21,36"), B(8, "0r  0s  0; 0, 0,21,36"),
       B(16, "0d       1f")},
      // Place 13 of 30 or more rounds the display up; 59s to place 15 show as 1.
      {"1;0,0,0,0,0,0,0,0,0,0,0,10,30", B(16, "1; 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,11"),
       B(16, "1; 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,11"), B(8, "0r  0s  1; 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,11"),
       B(16, "1d       0f  0, 0, 0, 0, 0, 0, 0, 0, 1")},
      {"0;59,59,59,59,59,59,59,59,59,59,59,59,59,59,59", B(16, "1"), B(16, "1"), B(8, "0r  0s  1"),
       B(16, "1d       0f")},
      // Place 13 below 30 is cut; only 12 places are ever shown.
      {"2;1,2,3,4,5,6,7,8,9,10,11,12,29,59,59", B(16, "2; 1, 2, 3, 4, 5, 6, 7, 8, 9,10,11,12"),
       B(16, "2; 1, 2, 3, 4, 5, 6, 7, 8, 9,10,11,12"), B(8, "0r  0s  2; 1, 2, 3, 4, 5, 6, 7, 8, 9,10,11,12"), ""},
      // A negative value that rounds to zero loses its sign.
      {"-0;0,0,0,0,0,0,0,0,0,0,0,0,10", B(16, "0"), B(16, "0"), B(8, "0r  0s  0"), B(16, "0d       0f")},
      // The minus sign stands one place before the first digit group.
      {"-12,0;6,7", B(13, "-720; 6, 7"), B(11, "-12, 0; 6, 7"), B(7, "-2r  0s  0; 6, 7"), ""},
      {"-1,0,0,0,0", B(8, "-12960000"), B(2, "- 1, 0, 0, 0, 0"), B(3, "-36000r  0s  0"), ""},
      // Fens that round up to 10000 stay 2,46,40; the days are not raised.
      {"0;59,59,59,59,59,59,59,59,59,59,59,59", B(16, "0;59,59,59,59,59,59,59,59,59,59,59,59"), "", "",
       B(16, "0d 2,46,40f")},
      // Turns are counted without limit.
      {"2,46,40", B(12, "10000"), B(10, "2,46,40"), B(7, "27r  9s 10"), B(12, "10000d       0f")},
      {"59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,29", B(8, "777599999;59,59,59,59,59,59,59,59,59,59,59,59"),
       B(3, "59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59"),
       B(2, "2159999r 11s 29;59,59,59,59,59,59,59,59,59,59,59,59"), B(8, "777599999d 2,46,40f")},
      // A carry out of the largest place is shown with 60 there.
      {"59,59,59,59,59;59,59,59,59,59,59,59,59,59,59,59,59,30", B(8, "777600000"), B(3, "60, 0, 0, 0, 0"),
       B(2, "2160000r  0s  0"), B(8, "777600000d       0f")},
  };
  for (const Row& r : rows) {
    Sxg v = S(r.value);
    const std::pair<char, const std::string*> modes[] = {{'G', &r.G}, {'S', &r.S}, {'Z', &r.Z}, {'C', &r.C}};
    for (auto [mode, want] : modes) {
      if (want->empty()) continue;
      EXPECT_EQ(SxgToStr(v, mode).view(), *want) << mode << " " << r.value;
    }
  }
}

// The exact value of a shown text in rational arithmetic: sign, integer part
// by mode, and the digit groups after the separator (the Chinese fens scaled
// back by 1/10000).
void ParseBack(const std::string& t, char mode, mpq_t out) {
  bool neg = t.find('-') != std::string::npos;
  auto numbers = [](const std::string& s) {
    std::vector<long> v;
    long cur = -1;
    for (char ch : s) {
      if (ch >= '0' && ch <= '9') {
        cur = (cur < 0 ? 0 : cur * 10) + (ch - '0');
      } else if (cur >= 0) {
        v.push_back(cur);
        cur = -1;
      }
    }
    if (cur >= 0) v.push_back(cur);
    return v;
  };
  char sep = mode == 'C' ? 'd' : ';';
  size_t at = t.find(sep);
  std::string ip = at == std::string::npos ? t : t.substr(0, at);
  std::string fp = at == std::string::npos ? "" : t.substr(at + 1);
  mpz_t ints;
  mpz_init(ints);
  std::vector<long> iv = numbers(ip);
  if (mode == 'S') {
    for (long d : iv) mpz_mul_ui(ints, ints, 60), mpz_add_ui(ints, ints, d);
  } else if (mode == 'Z') {
    mpz_set_ui(ints, iv[0] * 360 + iv[1] * 30 + iv[2]);
  } else {
    mpz_set_ui(ints, iv[0]);
  }
  mpq_set_z(out, ints);
  mpq_t part, scale;
  mpq_inits(part, scale, nullptr);
  if (mode == 'C') {
    // whole fens in sexagesimal digits, then their fraction
    size_t f = fp.find('f');
    std::vector<long> whole = numbers(fp.substr(0, f)), frac = numbers(fp.substr(f + 1));
    mpz_t fens;
    mpz_init(fens);
    for (long d : whole) mpz_mul_ui(fens, fens, 60), mpz_add_ui(fens, fens, d);
    mpq_set_z(part, fens);
    mpz_clear(fens);
    // fraction of a fen: digits d1..dL with weights 60^-i
    mpz_t num, den;
    mpz_inits(num, den, nullptr);
    mpz_set_ui(den, 1);
    for (long d : frac) {
      mpz_mul_ui(num, num, 60);
      mpz_add_ui(num, num, d);
      mpz_mul_ui(den, den, 60);
    }
    mpq_set_num(scale, num);
    mpq_set_den(scale, den);
    mpq_canonicalize(scale);
    mpq_add(part, part, scale);
    mpq_set_ui(scale, 1, 10000);
    mpq_mul(part, part, scale);
    mpz_clears(num, den, nullptr);
  } else {
    mpz_t num, den;
    mpz_inits(num, den, nullptr);
    mpz_set_ui(den, 1);
    for (long d : numbers(fp)) {
      mpz_mul_ui(num, num, 60);
      mpz_add_ui(num, num, d);
      mpz_mul_ui(den, den, 60);
    }
    mpq_set_num(part, num);
    mpq_set_den(part, den);
    mpq_canonicalize(part);
    mpz_clears(num, den, nullptr);
  }
  mpq_add(out, out, part);
  if (neg) mpq_neg(out, out);
  mpq_clears(part, scale, nullptr);
  mpz_clear(ints);
}

// round(q * 60^places), half up in magnitude, divided back: the value shown
// at that many places.
void RoundAt(mpq_t q, const mpz_t unit_inv) {
  mpz_t n;
  mpz_init(n);
  mpq_t t;
  mpq_init(t);
  mpq_set_z(t, unit_inv);
  mpq_mul(t, q, t);
  bool neg = mpq_sgn(t) < 0;
  mpq_abs(t, t);
  mpq_t half;
  mpq_init(half);
  mpq_set_ui(half, 1, 2);
  mpq_add(t, t, half);
  mpz_fdiv_q(n, mpq_numref(t), mpq_denref(t));
  if (neg) mpz_neg(n, n);
  mpq_set_num(q, n);
  mpq_set_den(q, unit_inv);
  mpq_canonicalize(q);
  mpq_clears(t, half, nullptr);
  mpz_clear(n);
}

// Random values in every mode: the text, read back, is the value rounded
// half up at place 12 (and in the Chinese mode, its fraction in fens rounded
// at the 9th place of a fen), and the integer part always ends in column 18.
TEST(SxgToStr, ReadsBackAsTheRoundedValue) {
  std::mt19937_64 rng(1211);
  mpz_t p12, p9;
  mpz_inits(p12, p9, nullptr);
  mpz_ui_pow_ui(p12, 60, 12);
  mpz_ui_pow_ui(p9, 60, 9);
  mpq_t exact, shown, intpart;
  mpq_inits(exact, shown, intpart, nullptr);
  int checked = 0;
  for (int i = 0; i < 20000; ++i) {
    Sxg v{};
    v.Neg = rng() & 1;
    int top = static_cast<int>(rng() % 20) - 4;  // the first non-zero place
    for (int k = top; k <= 15; ++k) v.Digits[k] = static_cast<int16_t>(rng() % 4 == 0 ? (rng() & 1) * 59 : rng() % 60);
    // exact value, rounded at place 12
    mpz_t num, den;
    mpz_inits(num, den, nullptr);
    mpz_ui_pow_ui(den, 60, 15);
    for (int k = -4; k <= 15; ++k) mpz_mul_ui(num, num, 60), mpz_add_ui(num, num, v.Digits[k]);
    mpq_set_num(exact, num);
    mpq_set_den(exact, den);
    mpq_canonicalize(exact);
    if (v.Neg) mpq_neg(exact, exact);
    mpz_clears(num, den, nullptr);
    RoundAt(exact, p12);
    if (mpq_cmp_ui(exact, 777600000, 1) >= 0 || mpq_cmp_si(exact, -777600000, 1) <= 0) continue;  // carry out
    for (char mode : {'G', 'S', 'Z'}) {
      std::string t(SxgToStr(v, mode).view());
      ASSERT_EQ(t.size() > 17 ? t[17] : ';', ';') << mode << " " << Notation(v) << " '" << t << "'";
      ParseBack(t, mode, shown);
      ASSERT_TRUE(mpq_equal(shown, exact)) << mode << " " << Notation(v) << " '" << t << "'";
      ++checked;
    }
    // Chinese: days, then the fraction (of the value rounded at 12) in fens
    // rounded at the 9th place.
    std::string t(SxgToStr(v, 'C').view());
    ASSERT_EQ(t[17], 'd') << Notation(v) << " '" << t << "'";
    mpq_abs(shown, exact);
    mpz_t whole;
    mpz_init(whole);
    mpz_fdiv_q(whole, mpq_numref(shown), mpq_denref(shown));
    mpq_set_z(intpart, whole);
    mpq_sub(shown, shown, intpart);  // fraction
    mpq_t wan;
    mpq_init(wan);
    mpq_set_ui(wan, 10000, 1);
    mpq_mul(shown, shown, wan);
    RoundAt(shown, p9);
    mpq_div(shown, shown, wan);
    mpq_add(shown, shown, intpart);
    if (mpq_sgn(exact) < 0) mpq_neg(shown, shown);
    mpq_t back;
    mpq_init(back);
    ParseBack(t, 'C', back);
    ASSERT_TRUE(mpq_equal(back, shown)) << Notation(v) << " '" << t << "'";
    mpq_clears(wan, back, nullptr);
    mpz_clear(whole);
    ++checked;
  }
  EXPECT_GT(checked, 70000);
  mpq_clears(exact, shown, intpart, nullptr);
  mpz_clears(p12, p9, nullptr);
}

}  // namespace
}  // namespace qirn::test
