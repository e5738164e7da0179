// Operands shared by our routines and MPFR: every MPFR operand is the value
// of the very Sxg (or extended) operand our routine gets, rounded to 120 bits.
#pragma once
#include <mpfr.h>

#include <cstdint>
#include <random>
#include <vector>

#include "sexagesimal/sxg.h"
#include "trig/mpfr_oracle.h"

namespace qirn::bench {

inline constexpr mpfr_prec_t kMpfrBits = 120;

// A 120-bit MPFR number that lives as long as its owner.
struct Mp120 {
  mpfr_t v;
  Mp120() { mpfr_init2(v, kMpfrBits); }
  Mp120(const Mp120& o) : Mp120() { mpfr_set(v, o.v, MPFR_RNDN); }
  Mp120& operator=(const Mp120&) = delete;
  ~Mp120() { mpfr_clear(v); }
};

inline Mp120 MpOf(const Sxg& a) {
  test::Mp exact;
  test::SxgValue(a, exact);
  Mp120 m;
  mpfr_set(m.v, exact, MPFR_RNDN);
  return m;
}

inline Mp120 MpOf(long double x) {
  Mp120 m;
  mpfr_set_ld(m.v, x, MPFR_RNDN);  // exact: 64 bits fit 120
  return m;
}

// The Sxg nearest to x (|x| < 60^5), x given in decimal.
inline Sxg SxgOfDecimal(const char* x) {
  test::Mp v;
  mpfr_set_str(v, x, 10, MPFR_RNDN);
  return test::SxgOf(v);
}

// Seeded operands in normal form: `int_places` random integer places
// (0..2), all fifteen fractional places random; random signs on request.
inline std::vector<Sxg> RandomOperands(size_t n, int int_places, bool signs, uint32_t seed) {
  std::mt19937 gen(seed);
  std::uniform_int_distribution<int> digit(0, 59), coin(0, 1);
  std::vector<Sxg> out(n);
  for (Sxg& a : out) {
    a = Sxg{};
    for (int i = 1 - int_places; i <= 15; ++i) a.Digits[i] = static_cast<int16_t>(digit(gen));
    if (int_places > 0 && a.Digits[1 - int_places] == 0) a.Digits[1 - int_places] = 1;
    a.Neg = signs && coin(gen) == 1;
  }
  return out;
}

}  // namespace qirn::bench
