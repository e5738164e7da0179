// Exact oracle for Sxg tests: a normalised Sxg is a whole number of units of
// 60^-15 below 60^20, held here as a GMP integer (signed), plus a seeded
// generator of normalised operands of varied magnitude.
#pragma once
#include <gmp.h>

#include <cstdint>
#include <random>
#include <string>

#include "sexagesimal/sxg.h"
#include "support/sxg_text.h"

namespace qirn::test {

// RAII wrapper for mpz_t; only what the tests need.
class Z {
 public:
  Z() { mpz_init(v_); }
  explicit Z(long x) { mpz_init_set_si(v_, x); }
  Z(const Z& o) { mpz_init_set(v_, o.v_); }
  Z& operator=(const Z& o) {
    mpz_set(v_, o.v_);
    return *this;
  }
  ~Z() { mpz_clear(v_); }
  mpz_ptr get() { return v_; }
  mpz_srcptr get() const { return v_; }
  std::string str() const {
    char* s = mpz_get_str(nullptr, 10, v_);
    std::string out(s);
    void (*freefunc)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &freefunc);
    freefunc(s, out.size() + 1);
    return out;
  }
  friend int Cmp(const Z& a, const Z& b) { return mpz_cmp(a.v_, b.v_); }

 private:
  mpz_t v_;
};

inline Z Pow60(unsigned long n) {
  Z r;
  mpz_ui_pow_ui(r.get(), 60, n);
  return r;
}

// The value in units of 60^-15, signed.
inline Z Units(const Sxg& a) {
  Z r;
  for (int i = -4; i <= 15; ++i) {
    mpz_mul_ui(r.get(), r.get(), 60);
    mpz_add_ui(r.get(), r.get(), static_cast<unsigned long>(a.Digits[i]));
  }
  if (a.Neg) mpz_neg(r.get(), r.get());
  return r;
}

// Normalised Sxg of a signed unit count; |u| must be below 60^20.
inline Sxg FromUnits(const Z& u) {
  Sxg r{};
  Z m;
  mpz_abs(m.get(), u.get());
  for (int i = 15; i >= -4; --i) r.Digits[i] = static_cast<int16_t>(mpz_fdiv_q_ui(m.get(), m.get(), 60));
  r.Neg = mpz_sgn(u.get()) < 0;
  return r;
}

inline bool Representable(const Z& u) {
  Z m, lim = Pow60(20);
  mpz_abs(m.get(), u.get());
  return Cmp(m, lim) < 0;
}

// Normalised operands: random spans of places, boundary digits, values near
// the largest number, near powers of 60 and small whole numbers.
class SxgGen {
 public:
  explicit SxgGen(uint64_t seed) : rng_(seed) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // First non-zero place in [lo, hi] (or any place from lo on).
  Sxg Next(int lo = -4, int hi = 15) {
    Sxg a{};
    int kind = Int(0, 99);
    int first = Int(lo, hi);
    if (kind < 35) {  // random span of places
      int last = Int(first, 15);
      for (int i = first; i <= last; ++i) a.Digits[i] = static_cast<int16_t>(Int(0, 59));
      if (a.Digits[first] == 0) a.Digits[first] = static_cast<int16_t>(Int(1, 59));
    } else if (kind < 55) {  // boundary digits
      static const int16_t edge[] = {0, 0, 1, 29, 30, 31, 58, 59, 59};
      for (int i = first; i <= 15; ++i) a.Digits[i] = edge[Int(0, 8)];
    } else if (kind < 65) {  // near the top of the range of places from `first`
      for (int i = first; i <= 15; ++i) a.Digits[i] = 59;
      for (int n = Int(0, 2); n > 0; --n) a.Digits[Int(first, 15)] = static_cast<int16_t>(Int(0, 59));
    } else if (kind < 75) {  // a power of 60, a few units off
      Z u = Pow60(static_cast<unsigned long>(15 - first));
      mpz_add_ui(u.get(), u.get(), static_cast<unsigned long>(Int(0, 3)));
      mpz_sub_ui(u.get(), u.get(), static_cast<unsigned long>(Int(0, 3)));
      if (mpz_sgn(u.get()) <= 0) mpz_set_ui(u.get(), 1);
      if (!Representable(u)) mpz_sub_ui(u.get(), u.get(), 4);
      a = FromUnits(u);
    } else if (kind < 85) {  // one or two non-zero places
      a.Digits[first] = static_cast<int16_t>(Int(1, 59));
      if (Int(0, 1)) a.Digits[Int(first, 15)] = static_cast<int16_t>(Int(1, 59));
    } else {  // any digits in the allowed places
      for (int i = lo; i <= 15; ++i) a.Digits[i] = static_cast<int16_t>(Int(0, 59));
    }
    bool zero = true;
    for (int i = -4; i <= 15; ++i) zero = zero && a.Digits[i] == 0;
    if (zero) a.Digits[15] = 1;
    a.Neg = Int(0, 1) == 1;
    return a;
  }

 private:
  std::mt19937_64 rng_;
};

}  // namespace qirn::test
