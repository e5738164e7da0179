// Square root of an Sxg number by the long-hand digit method in base 60.
//
// The radicand is brought down two places at a time; each root digit is the
// largest d with (2r * 60 + d) * d not above the remainder, r the root so
// far. The definition (reference::ComputeSqrt) keeps remainder and 2r as
// digit arrays and estimates d from their leading places in extended
// arithmetic, never below the true digit, then corrects it downwards: its
// digits are the exact ones. Here remainder and 2r are whole numbers below
// 2^121 (128-bit), d is estimated from their quotient in double precision,
// raised by a margin far above that rounding so that it is never below the
// true digit either, and corrected in exact arithmetic. Whether place 15 is
// then rounded up is decided, as defined, on the extended-arithmetic
// estimate of the digit of place 16 from the leading places of the final
// remainder and 2r; that estimate is computed exactly as there.
#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_reference.h"

#ifdef __FAST_MATH__
#error "the digit estimates of ComputeSqrt must not be compiled with -ffast-math"
#endif

namespace qirn {
namespace {

using u128 = unsigned __int128;

double ToDouble(u128 x) {
  return static_cast<double>(static_cast<uint64_t>(x >> 64)) * 18446744073709551616.0 +
         static_cast<double>(static_cast<uint64_t>(x));
}

// The number of base-60 places of x > 0 and its two leading ones (the
// second 0 for a single place).
void Leading(u128 x, int& places, int& first, int& second) {
  const u128 x60 = x / 60;
  u128 p = 1;  // 60^(places - 1) <= x
  places = 1;
  while (x60 >= p) {
    p *= 60;
    ++places;
  }
  if (places >= 2) {
    const uint64_t two = static_cast<uint64_t>(x / (p / 60));
    first = static_cast<int>(two / 60);
    second = static_cast<int>(two % 60);
  } else {
    first = static_cast<int>(x);
    second = 0;
  }
}

bool NormalDigits(const Sxg& A) {
  for (int i = -4; i <= 15; ++i)
    if (A.Digits[i] < 0 || A.Digits[i] > 59) return false;
  return true;
}

}  // namespace

// The root of |A|; always positive and never overflowing. Callers pass a
// non-zero A; a zero A gives Zero rather than an undefined result.
void ComputeSqrt(Sxg A, Sxg& New) {
  if (!NormalDigits(A)) {
    reference::ComputeSqrt(A, New);
    return;
  }
  int K = -4;
  while (K < 15 && A.Digits[K] == 0) ++K;
  if (A.Digits[K] == 0) {
    New = Zero;
    return;
  }
  if (K % 2 != 0) ++K;
  // Root place k comes from the radicand places 2k - 1 and 2k.
  auto pair = [&](int k) -> uint32_t {
    const int hi = 2 * k - 1, lo = 2 * k;
    uint32_t v = hi >= -4 && hi <= 15 ? static_cast<uint32_t>(A.Digits[hi]) * 60 : 0;
    return v + (lo <= 15 ? static_cast<uint32_t>(A.Digits[lo]) : 0);
  };

  Sxg R = Zero;
  int k = K / 2;
  u128 rem = pair(k);
  uint32_t d = 0;
  while ((d + 1) * (d + 1) <= rem) ++d;
  rem -= d * d;
  R.Digits[k] = static_cast<int16_t>(d);
  u128 y = 2 * static_cast<u128>(d) * 60;  // 2r * 60, the trial place empty
  for (++k; k <= 15; ++k) {
    const u128 x = rem * 3600 + pair(k);
    // x / y bounds the digit from above; 1e-6 exceeds the rounding of the
    // quotient (at most 61) many times over.
    uint64_t e = static_cast<uint64_t>(ToDouble(x) / ToDouble(y) + 1e-6);
    if (e > 59) e = 59;
    u128 z = (y + e) * e;
    while (z > x) {
      --e;
      z = (y + e) * e;
    }
    rem = x - z;
    R.Digits[k] = static_cast<int16_t>(e);
    y = (y + 2 * e) * 60;
  }

  // The estimate of the digit of place 16, from the leading places of
  // remainder and 2r as they stand in the definition's arrays.
  const u128 x = rem * 3600;
  int nx = 1, x0 = 0, x1 = 0;
  if (x != 0) Leading(x, nx, x0, x1);
  int ny, y0, y1;
  Leading(y, ny, y0, y1);
  const int I = 1 - nx, J = 1 - ny;
  long double Quotient = (static_cast<long double>(x0) * 60.0L + static_cast<long double>(x1) + 1.0L) /
                         (static_cast<long double>(y0) * 60.0L + static_cast<long double>(y1));
  if (J > I)
    for (int n = 0; n < J - I; ++n) Quotient = Quotient * 60.0L;
  else
    for (int n = 0; n < I - J; ++n) Quotient = Quotient / 60.0L;
  if (Quotient >= 30.0L) SxgRound(R, 15, R);
  New = R;
}

}  // namespace qirn
