// Changing the number mode, and converting X from one number system into the
// other. A conversion pushes the converted value onto the other system's
// stack and switches to that system; the stack it came from keeps its X.
//
// Both directions are exact: decimal to sexagesimal takes its places from the
// exact binary value of X (14 significant places, the last rounded half up),
// sexagesimal to decimal rounds the exact value once, to the nearest 80-bit
// number. Carried out step by step in extended arithmetic, the repeated
// scaling by 60 would put rounding noise into the later places, since 14
// sexagesimal places hold more than the 64 bits of the format.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "calculator/commands.h"
#include "calculator/results.h"
#include "calculator/sxg_units.h"
#include "console/keys.h"
#include "screen/dialog.h"
#include "screen/layout.h"
#include "sexagesimal/sxg_arith.h"

namespace qirn {
namespace {

using U128 = unsigned __int128;

constexpr uint8_t kEsc = 27;
constexpr std::string_view kModePrompt = "Chinese, Greek, Sexagesimal, Zodiacal or Decimal mode?  ";
constexpr long double kSxgBound = 777600000.0L;  // 60^5
constexpr int kSignificantPlaces = 14;
constexpr U128 kPow15_15 = 437893890380859375ULL;  // 15^15; 60^15 = 15^15 * 2^30

bool IsSxgMode(char m) { return m == 'G' || m == 'C' || m == 'S' || m == 'Z'; }

int BitLength(U128 v) {
  int n = 0;
  while (v) {
    v >>= 1;
    ++n;
  }
  return n;
}

// The sexagesimal value of |R| (0 <= R < 60^5) with at most 14 significant
// places in all and at most 15 fractional places, the last one rounded half
// up on the exact remainder. Returns false when the rounding carries out of
// the highest place (a magnitude of 60^5).
bool RealToSxgPlaces(long double R, Sxg& S) {
  const long double whole = std::trunc(R);
  int32_t L = static_cast<int32_t>(whole);
  for (int i = 0; i >= -4; --i) {
    S.Digits[i] = static_cast<int16_t>(L % 60);
    L /= 60;
  }
  // The fraction f = R - whole is exact. As f = m * 2^(e-64) with a 64-bit m,
  // f * 60^15 = m * 15^15 / 2^(34-e), a quotient of integers below 2^123.
  const long double f = R - whole;
  int e = 0;
  const long double fr = std::frexp(f, &e);
  const U128 m = static_cast<uint64_t>(std::ldexp(fr, 64));
  const U128 M = m * kPow15_15;
  const int shift = 34 - e;  // at least 34, since f < 1
  U128 places = shift < 128 ? M >> shift : 0;
  const bool half_beyond_15 = shift - 1 < 128 && ((M >> (shift - 1)) & 1) != 0;
  int16_t frac[16] = {};
  for (int i = 15; i >= 1; --i) {
    frac[i] = static_cast<int16_t>(places % 60);
    places /= 60;
  }

  int num_non_zero = 0;
  for (int i = -4; i <= 0; ++i)
    if (num_non_zero > 0 || S.Digits[i] != 0) ++num_non_zero;
  int I = 1;
  while (num_non_zero < kSignificantPlaces && I <= 15) {
    S.Digits[I] = frac[I];
    if (num_non_zero > 0 || frac[I] != 0) ++num_non_zero;
    ++I;
  }
  const int last = I - 1;
  for (int i = I; i <= 15; ++i) S.Digits[i] = 0;

  const bool round_up = last < 15 ? frac[last + 1] >= 30 : half_beyond_15;
  if (round_up) {
    ++S.Digits[last];
    for (int j = last; j >= -3 && S.Digits[j] >= 60; --j) {
      S.Digits[j] = static_cast<int16_t>(S.Digits[j] - 60);
      ++S.Digits[j - 1];
    }
    if (S.Digits[-4] >= 60) return false;
  }
  return true;
}

// The exact value of S rounded to the nearest 80-bit number (ties to even).
long double SxgToReal(const Sxg& S) {
  SxgUnits u = ToUnits(S);
  const U128 N = static_cast<U128>(u < 0 ? -u : u);
  if (N == 0) return 0.0L;
  // value = N / 60^15 = N / 15^15 * 2^-30. Scale N up so the integer
  // quotient has 68 or 69 bits: 64 for the result, the rest to round with.
  const int up = std::max(0, 126 - BitLength(N));  // N < 60^20 < 2^119 in normal form
  const U128 scaled = N << up;
  const U128 q = scaled / kPow15_15;
  const bool inexact = scaled % kPow15_15 != 0;
  const int drop = BitLength(q) - 64;
  const U128 low = q & ((U128(1) << drop) - 1);
  const U128 half = U128(1) << (drop - 1);
  U128 q64 = q >> drop;
  if (low > half || (low == half && (inexact || (q64 & 1) != 0))) ++q64;
  long double R = std::ldexp(static_cast<long double>(q64), drop - up - 30);
  return S.Neg ? -R : R;
}

// Row 4 from column 10 holds the input line of number entry.
void ClearInputLine(Calc& c) {
  c.scr().GotoXY(10, 4);
  c.scr().ClrEol();
}

void ConvertToSxg(Calc& c) {
  State& s = c.st;
  long double R = s.RealStack[0];
  Sxg S{};
  S.Neg = R < 0;
  R = std::fabs(R);
  // Written as a negation so that a value that is not a number is refused too.
  if (!(R < kSxgBound) || !RealToSxgPlaces(R, S)) {
    HandleError(c, 4);
    return;
  }
  // PrevSxgMode names a sexagesimal mode; anything else (it is not kept in
  // the state file) falls back to the default.
  s.NumberMode = IsSxgMode(s.PrevSxgMode) ? s.PrevSxgMode : 'G';
  WriteMode(c);
  s.MemPtr = 0;
  PrintMem(c);
  PrintStack(c);
  CleanSxg(S);
  if (IsZero(S)) S.Neg = false;
  PushSxgStack(c, S);
  EraseWindow(c);
  ClearInputLine(c);
}

void ConvertToReal(Calc& c) {
  State& s = c.st;
  const long double R = SxgToReal(s.SxgStack[0]);
  s.PrevSxgMode = s.NumberMode;
  s.NumberMode = 'D';
  WriteMode(c);
  s.MemPtr = 0;
  PrintMem(c);
  PrintStack(c);
  PushRealStack(c, R);
  EraseWindow(c);
  ClearInputLine(c);
}

}  // namespace

void ChangeNumberMode(Calc& c) {
  State& s = c.st;
  PutWindow(c, kModePrompt);
  uint8_t ch = 0, ext = 0;
  for (;;) {
    ReadUpChar(*c.io.keys, ch, ext);
    if (ch == kEsc || ch == 'C' || ch == 'D' || ch == 'G' || ch == 'S' || ch == 'Z') break;
  }
  const char mode = static_cast<char>(ch);
  if (ch != kEsc && mode != s.NumberMode) {
    if (mode == 'D') s.PrevSxgMode = s.NumberMode;
    // Between two sexagesimal modes the memory window stays where it is.
    if (mode == 'D' || s.NumberMode == 'D') s.MemPtr = 0;
    s.NumberMode = mode;
    WriteMode(c);
    PrintStack(c);
    PrintMem(c);
  }
  EraseWindow(c);
}

void Convert(Calc& c) {
  if (IsDecimalMode(c.st))
    ConvertToSxg(c);
  else
    ConvertToReal(c);
}

}  // namespace qirn
