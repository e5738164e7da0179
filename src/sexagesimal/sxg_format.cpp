// The display text of an Sxg in the four sexagesimal modes. The integer part
// always ends in the 18th character (";" or "d"), so texts of one mode line
// up in a column. At most 12 fractional places are shown, rounded half up
// at the 13th; trailing zero places are never shown.
#include "sexagesimal/sxg_format.h"

#include <cstdint>

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"

namespace qirn {
namespace {

constexpr int kShownPlaces = 12;
constexpr int kFenPlaces = 9;

void Blanks(String55& t, int n) {
  for (int i = 0; i < n; ++i) t.push_back(' ');
}

// n right-aligned in w characters, "-" before the digits when negative;
// never cut.
void RightAligned(String55& t, int64_t n, bool negative, int w) {
  char digits[24];
  int len = 0;
  uint64_t v = n < 0 ? static_cast<uint64_t>(-n) : static_cast<uint64_t>(n);
  do {
    digits[len++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  if (negative) digits[len++] = '-';
  Blanks(t, w - len);
  while (len > 0) t.push_back(digits[--len]);
}

// A place's digit right-aligned in 2 characters, then ",". The digits of a
// normal place directly, as RightAligned would write them.
void DigitGroup(String55& t, int16_t d) {
  if (d >= 0 && d < 100) {
    t.push_back(d >= 10 ? static_cast<char>('0' + d / 10) : ' ');
    t.push_back(static_cast<char>('0' + d % 10));
  } else {
    RightAligned(t, d, false, 2);
  }
  t.push_back(',');
}

void ReplaceLast(String55& t, char c) {
  if (!t.empty()) t.s[t.len - 1] = c;
}

// The last of places 1..last that is not 0, or 0.
int LastNonZero(const Sxg& V, int last) {
  while (last > 0 && V.Digits[last] == 0) --last;
  return last;
}

void IntegerPart(String55& t, const Sxg& V, char mode) {
  int64_t N = 0;
  for (int i = -4; i <= 0; ++i) N = N * 60 + V.Digits[i];
  switch (mode) {
    case 'S': {
      int first = -4;
      while (first <= 0 && V.Digits[first] == 0) ++first;
      if (first > 0) {
        if (V.Neg) {
          Blanks(t, 15);
          t.append("-0;");
        } else {
          Blanks(t, 16);
          t.append("0;");
        }
        return;
      }
      Blanks(t, 3 + 3 * (first + 4));
      if (V.Neg) ReplaceLast(t, '-');
      for (int i = first; i <= 0; ++i) DigitGroup(t, V.Digits[i]);
      ReplaceLast(t, ';');
      return;
    }
    case 'Z': {
      RightAligned(t, N / 360, V.Neg, 9);
      int64_t M = N % 360;
      t.push_back('r');
      RightAligned(t, M / 30, false, 3);
      t.push_back('s');
      RightAligned(t, M % 30, false, 3);
      t.push_back(';');
      return;
    }
    default:  // G and C
      RightAligned(t, N, V.Neg, 17);
      t.push_back(mode == 'C' ? 'd' : ';');
      return;
  }
}

// The fraction in fens, ten-thousandths of a day, with sexagesimal digits.
void Fens(String55& t, const Sxg& V) {
  Sxg W = V;
  for (int i = -4; i <= 0; ++i) W.Digits[i] = 0;
  W.Neg = false;
  SxgMultiplication(W, Wan, W);  // exact: W has at most 12 places
  SxgRound(W, kFenPlaces, W);
  int first = -2;
  while (first < 0 && W.Digits[first] == 0) {
    Blanks(t, 3);
    ++first;
  }
  for (int i = first; i <= 0; ++i) DigitGroup(t, W.Digits[i]);
  ReplaceLast(t, 'f');
  t.push_back(' ');
  int L = LastNonZero(W, kFenPlaces);
  for (int i = 1; i <= L; ++i) DigitGroup(t, W.Digits[i]);
  t.pop_back();
}

}  // namespace

String55 SxgToStr(const Sxg& A, char NumberMode) {
  // A carry out of place -4 leaves the overflow mark 60 there, which is shown
  // as it stands.
  Sxg V;
  SxgRound(A, kShownPlaces, V);
  String55 t;
  IntegerPart(t, V, NumberMode);
  if (NumberMode == 'C') {
    Fens(t, V);
  } else {
    int L = LastNonZero(V, kShownPlaces);
    for (int i = 1; i <= L; ++i) DigitGroup(t, V.Digits[i]);
    t.pop_back();
  }
  return t;
}

}  // namespace qirn
