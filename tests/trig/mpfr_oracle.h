// The reference for the trigonometry tests: exact values of Sxg and extended
// numbers in MPFR at 256 bits, and the true functions of them, so that our
// results are judged against values computed independently of our code.
#pragma once
#include <mpfr.h>

#include <cmath>
#include <cstdint>

#include "sexagesimal/sxg.h"

namespace qirn::test {

inline constexpr mpfr_prec_t kPrec = 256;

// An MPFR number with the lifetime of a local.
struct Mp {
  mpfr_t v;
  Mp() { mpfr_init2(v, kPrec); }
  explicit Mp(long double x) : Mp() { mpfr_set_ld(v, x, MPFR_RNDN); }  // exact
  Mp(const Mp&) = delete;
  Mp& operator=(const Mp&) = delete;
  ~Mp() { mpfr_clear(v); }
  operator mpfr_ptr() { return v; }
  long double ld() const { return mpfr_get_ld(v, MPFR_RNDN); }
  double d() const { return mpfr_get_d(v, MPFR_RNDN); }
};

// The exact value of an Sxg (any digits; 60^20 < 2^119, so nothing rounds).
inline void SxgValue(const Sxg& a, mpfr_ptr out) {
  mpfr_set_ui(out, 0, MPFR_RNDN);
  for (int i = -4; i <= 15; ++i) {
    mpfr_mul_ui(out, out, 60, MPFR_RNDN);
    mpfr_add_si(out, out, a.Digits[i], MPFR_RNDN);
  }
  Mp scale;
  mpfr_ui_pow_ui(scale, 60, 15, MPFR_RNDN);
  mpfr_div(out, out, scale, MPFR_RNDN);
  if (a.Neg) mpfr_neg(out, out, MPFR_RNDN);
}

// x rounded to the nearest Sxg (|x| < 60^5).
inline Sxg SxgOf(mpfr_srcptr x) {
  Sxg a{};
  Mp m, unit;
  mpfr_abs(m, x, MPFR_RNDN);
  mpfr_ui_pow_ui(unit, 60, 15, MPFR_RNDN);
  mpfr_mul(m, m, unit, MPFR_RNDN);
  mpfr_round(m, m);
  Mp rem;
  for (int i = 15; i >= -4; --i) {
    mpfr_fmod_ui(rem, m, 60, MPFR_RNDN);
    a.Digits[i] = static_cast<int16_t>(mpfr_get_si(rem, MPFR_RNDN));
    mpfr_sub(m, m, rem, MPFR_RNDN);
    mpfr_div_ui(m, m, 60, MPFR_RNDN);
  }
  bool zero = true;
  for (int i = -4; i <= 15; ++i) zero = zero && a.Digits[i] == 0;
  a.Neg = !zero && mpfr_sgn(x) < 0;
  return a;
}

// (got - truth) in units of place 15, divided by `per` (the radius).
inline double SxgDiffUnits(const Sxg& got, mpfr_srcptr truth, long per = 1) {
  Mp g, unit;
  SxgValue(got, g);
  mpfr_sub(g, g, truth, MPFR_RNDN);
  mpfr_ui_pow_ui(unit, 60, 15, MPFR_RNDN);
  mpfr_mul(g, g, unit, MPFR_RNDN);
  mpfr_div_si(g, g, per, MPFR_RNDN);
  return std::fabs(g.d());
}

// The unit in the last place of an extended value of magnitude y > 0.
inline long double Ulp(long double y) {
  int e = 0;
  std::frexp(y, &e);  // y = m * 2^e, 0.5 <= m < 1
  return std::ldexp(1.0L, e - 64);
}

// |got - truth| in units of the last place of `scale`.
inline double RealDiffUlps(long double got, mpfr_srcptr truth, long double scale) {
  Mp g(got);
  mpfr_sub(g, g, truth, MPFR_RNDN);
  mpfr_div(g, g, Mp(Ulp(scale)), MPFR_RNDN);
  return std::fabs(g.d());
}

}  // namespace qirn::test
