// Exact rational values (GMP) of the calculator's numbers, the oracle of the
// command tests: an Sxg and an 80-bit value as an mpq, and an exact rational
// rounded half up at the fifteenth sexagesimal place.
#pragma once
#include <gmp.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "sexagesimal/sxg.h"

namespace qirn::test {

// An mpq_t with its lifetime tied to a scope.
struct Q {
  mpq_t v;
  Q() { mpq_init(v); }
  Q(long num, unsigned long den) {
    mpq_init(v);
    mpq_set_si(v, num, den);
    mpq_canonicalize(v);
  }
  Q(const Q& o) {
    mpq_init(v);
    mpq_set(v, o.v);
  }
  Q& operator=(const Q& o) {
    mpq_set(v, o.v);
    return *this;
  }
  ~Q() { mpq_clear(v); }
  operator mpq_ptr() { return v; }
  operator mpq_srcptr() const { return v; }
  std::string str() const {
    char* s = mpq_get_str(nullptr, 10, v);
    std::string out(s);
    void (*free_fn)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &free_fn);
    free_fn(s, out.size() + 1);
    return out;
  }
};

inline Q ExactOf(const Sxg& a) {
  mpz_t n;
  mpz_init(n);
  for (int i = -4; i <= 15; ++i) {
    mpz_mul_ui(n, n, 60);
    mpz_add_ui(n, n, static_cast<unsigned long>(a.Digits[i]));
  }
  if (a.Neg) mpz_neg(n, n);
  Q q;
  mpq_set_z(q, n);
  mpz_t d;
  mpz_init(d);
  mpz_ui_pow_ui(d, 60, 15);
  mpq_set_den(q, d);
  mpq_canonicalize(q);
  mpz_clear(n);
  mpz_clear(d);
  return q;
}

inline Q ExactOf(long double x) {
  Q q;
  if (x == 0) return q;
  int e = 0;
  const long double fr = std::frexp(std::fabs(x), &e);
  const uint64_t m = static_cast<uint64_t>(std::ldexp(fr, 64));
  mpz_t z;
  mpz_init(z);
  mpz_import(z, 1, 1, sizeof m, 0, 0, &m);
  mpq_set_z(q, z);
  mpz_clear(z);
  if (e - 64 >= 0)
    mpq_mul_2exp(q, q, static_cast<mp_bitcnt_t>(e - 64));
  else
    mpq_div_2exp(q, q, static_cast<mp_bitcnt_t>(64 - e));
  if (x < 0) mpq_neg(q, q);
  return q;
}

// floor(|q|) for a rational, as an mpz written into out.
inline void FloorAbs(const Q& q, mpz_t out) {
  mpz_t n;
  mpz_init(n);
  mpz_abs(n, mpq_numref(q.v));
  mpz_fdiv_q(out, n, mpq_denref(q.v));
  mpz_clear(n);
}

// q rounded half up in magnitude at the fifteenth sexagesimal place, as an
// Sxg; `ok` is false when the magnitude reaches 60^5.
inline Sxg SxgRoundedOf(const Q& q, bool* ok = nullptr) {
  Q scaled;
  mpq_abs(scaled, q);
  mpz_t p, half;
  mpz_init(p);
  mpz_init(half);
  mpz_ui_pow_ui(p, 60, 15);
  Q f;
  mpq_set_z(f, p);
  mpq_mul(scaled, scaled, f);
  Q h(1, 2);
  mpq_add(scaled, scaled, h);
  mpz_fdiv_q(half, mpq_numref(scaled.v), mpq_denref(scaled.v));  // floor(|q| 60^15 + 1/2)
  Sxg out{};
  for (int i = 15; i >= -4; --i) {
    out.Digits[i] = static_cast<int16_t>(mpz_fdiv_q_ui(half, half, 60));
  }
  if (ok) *ok = mpz_sgn(half) == 0;
  bool zero = true;
  for (int i = -4; i <= 15; ++i) zero &= out.Digits[i] == 0;
  out.Neg = !zero && mpq_sgn(q.v) < 0;
  mpz_clear(p);
  mpz_clear(half);
  return out;
}

// A random Sxg in normal form with `int_places` integer places (0..5) and
// random fractional places, some of them zero runs.
inline Sxg RandomSxg(std::mt19937_64& rng, int int_places) {
  Sxg a{};
  for (int i = 1 - int_places; i <= 0; ++i) a.Digits[i] = static_cast<int16_t>(rng() % 60);
  const int last = static_cast<int>(rng() % 16);
  for (int i = 1; i <= last; ++i) a.Digits[i] = static_cast<int16_t>(rng() % 4 == 0 ? 0 : rng() % 60);
  bool zero = true;
  for (int i = -4; i <= 15; ++i) zero &= a.Digits[i] == 0;
  a.Neg = !zero && rng() % 2 == 0;
  return a;
}

}  // namespace qirn::test
