// The decimal display text. The digits come from the exact binary value of
// the 80-bit number: |X| = m * 2^e with a 64-bit m, so the 17 decimals are
// round(m * 10^17 / 2^-e) in 128-bit integers when e < 0, and a whole number
// (e >= 0) is expanded exactly in a fixed big-integer buffer. The C library's
// fixed-point conversion would round an exact tie at the 17th decimal to
// even; the display rounds it up.
#include "decimal/real_format.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace qirn {
namespace {

constexpr int kDecimals = 17;
constexpr int kWidth = 48;  // the point is the 31st character

// Integer digits of the largest finite value: about 4933.
constexpr int kMaxDigits = 5000;

using u128 = unsigned __int128;

// Writes the decimal digits of v (at least min_digits, zero-padded) to out;
// returns their number.
int U128Digits(u128 v, int min_digits, char* out) {
  char rev[40];
  int n = 0;
  do {
    rev[n++] = static_cast<char>('0' + static_cast<int>(v % 10));
    v /= 10;
  } while (v != 0);
  while (n < min_digits) rev[n++] = '0';
  for (int i = 0; i < n; ++i) out[i] = rev[n - 1 - i];
  return n;
}

// Digits of the whole number m * 2^e (e >= 0), exact; returns their number.
int WholeDigits(uint64_t m, int e, char* out) {
  constexpr uint32_t kLimb = 1000000000;  // base 10^9, least significant first
  static_assert(kMaxDigits / 9 + 2 > 4950 / 9);
  uint32_t limb[kMaxDigits / 9 + 2];
  int n = 0;
  for (uint64_t v = m; v != 0 || n == 0; v /= kLimb) limb[n++] = static_cast<uint32_t>(v % kLimb);
  while (e > 0) {
    int k = e < 29 ? e : 29;  // limb * 2^29 + carry fits 64 bits
    e -= k;
    uint64_t carry = 0;
    for (int i = 0; i < n; ++i) {
      uint64_t v = (static_cast<uint64_t>(limb[i]) << k) + carry;
      limb[i] = static_cast<uint32_t>(v % kLimb);
      carry = v / kLimb;
    }
    while (carry != 0) {
      limb[n++] = static_cast<uint32_t>(carry % kLimb);
      carry /= kLimb;
    }
  }
  int len = U128Digits(limb[n - 1], 1, out);
  for (int i = n - 2; i >= 0; --i) len += U128Digits(limb[i], 9, out + len);
  return len;
}

String55 RightAligned(const char* text, int len) {
  char t[kWidth];
  int pad = kWidth - len;
  std::memset(t, ' ', pad);
  std::memcpy(t + pad, text, len);
  return String55(std::string_view(t, kWidth));
}

}  // namespace

String55 RealToStr(long double X) {
  if (std::isnan(X)) return RightAligned("nan", 3);
  if (std::isinf(X)) return X < 0 ? RightAligned("-inf", 4) : RightAligned("inf", 3);

  // Sign, integer digits, point and 17 decimals.
  char body[1 + kMaxDigits + 1 + kDecimals];
  int n = 0;
  if (std::signbit(X)) body[n++] = '-';
  int exp = 0;
  long double frac = std::frexp(std::fabs(X), &exp);
  uint64_t m = static_cast<uint64_t>(std::ldexp(frac, 64));  // exact: 64 significant bits
  int e = exp - 64;
  if (e >= 0) {
    n += WholeDigits(m, e, body + n);
    body[n++] = '.';
    std::memset(body + n, '0', kDecimals);
    n += kDecimals;
  } else {
    // round(m * 10^17 / 2^s), half up; m * 10^17 < 2^121.
    u128 p = static_cast<u128>(m) * static_cast<u128>(100000000000000000ULL);
    int s = -e;
    u128 q = s >= 128 ? 0 : (p + (static_cast<u128>(1) << (s - 1))) >> s;
    char digits[40];
    int len = U128Digits(q, kDecimals + 1, digits);
    std::memcpy(body + n, digits, len - kDecimals);
    n += len - kDecimals;
    body[n++] = '.';
    std::memcpy(body + n, digits + len - kDecimals, kDecimals);
    n += kDecimals;
  }

  // Right-aligned in 48 characters, of which at most 48 are kept.
  char t[kWidth];
  int pad = n < kWidth ? kWidth - n : 0;
  std::memset(t, ' ', pad);
  std::memcpy(t + pad, body, kWidth - pad);
  // Trailing zeros of the decimals go, the point stays. (A number too long
  // for 48 characters has no point among them; its digits are all kept.)
  const void* point = std::memchr(t, '.', kWidth);
  int k = kWidth;
  if (point != nullptr)
    while (t + k - 1 > static_cast<const char*>(point) && t[k - 1] == '0') --k;
  // A negative value too small to show reads as zero.
  if (k >= 3 && t[k - 1] == '.' && t[k - 2] == '0' && t[k - 3] == '-' && (k == 3 || t[k - 4] == ' '))
    t[k - 3] = ' ';
  return String55(std::string_view(t, k));
}

long double RoundReal(long double X, int16_t N) {
  const bool negative = X < 0;
  long double A = std::fabs(X);
  for (int i = 0; i < N; ++i) A *= 10;
  // Beyond the range only whole numbers are left, and they are their own
  // rounding; NaN stays NaN.
  if (!std::isfinite(A)) return X;
  if (A - std::trunc(A) >= 0.5L) A += 0.5L;
  A -= A - std::trunc(A);
  for (int i = 0; i < N; ++i) A /= 10;
  return negative && A != 0 ? -A : A;
}

}  // namespace qirn
