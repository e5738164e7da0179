// Changing the number mode, and converting X from one number system into the
// other. A conversion pushes the converted value onto the other system's
// stack and switches to that system; the stack it came from keeps its X.
//
// Both directions work step by step in extended arithmetic. Decimal to
// sexagesimal scales the remaining fraction by 60 for each place; 14
// sexagesimal places hold more than the 64 bits of the format, so the last
// places pick up rounding noise, which CleanSxg removes where it forms a
// recognisable run.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "calculator/commands.h"
#include "calculator/results.h"
#include "console/keys.h"
#include "screen/dialog.h"
#include "screen/layout.h"
#include "sexagesimal/sxg_arith.h"

namespace qirn {
namespace {

constexpr uint8_t kEsc = 27;
constexpr std::string_view kModePrompt = "Chinese, Greek, Sexagesimal, Zodiacal or Decimal mode?  ";
constexpr long double kSxgBound = 777600000.0L;  // 60^5
constexpr long double kSixty = 60.0L;
constexpr long double kHalf = 0.5L;
constexpr int kSignificantPlaces = 14;

bool IsSxgMode(char m) { return m == 'G' || m == 'C' || m == 'S' || m == 'Z'; }

// The places of R (0 <= R < 60^5) into S: the whole part, then fractional
// places until 14 significant places in all (at most 15 fractional ones),
// the last one rounded half up on what is left of R. Returns false when the
// rounding would carry out of place -4. That needs 59 in all five integer
// places and in the nine fractional ones, with at least half a unit of place
// 9 left over, a fraction closer to 1 than the 2^-34 spacing of 80-bit values
// of that size allows; the test keeps a non-normal value off the stack.
bool RealToSxgPlaces(long double R, Sxg& S) {
  int32_t L = static_cast<int32_t>(std::trunc(R));
  for (int i = 0; i >= -4; --i) {
    S.Digits[i] = static_cast<int16_t>(L % 60);
    L /= 60;
  }
  int NumNonZero = 0;
  for (int i = -4; i <= 0; ++i)
    if (NumNonZero > 0 || S.Digits[i] != 0) ++NumNonZero;
  int I = 1;
  while (NumNonZero < kSignificantPlaces && I <= 15) {
    R = (R - std::trunc(R)) * kSixty;
    S.Digits[I] = static_cast<int16_t>(std::trunc(R));
    if (NumNonZero > 0 || S.Digits[I] != 0) ++NumNonZero;
    ++I;
  }
  for (int i = I; i <= 15; ++i) S.Digits[i] = 0;
  // At most five integer places count, so place 1 at least was computed.
  const int last = I - 1;
  if (R - std::trunc(R) >= kHalf) {
    ++S.Digits[last];
    for (int J = last; J >= -3; --J) {
      if (S.Digits[J] < 60) break;
      S.Digits[J] = static_cast<int16_t>(S.Digits[J] - 60);
      ++S.Digits[J - 1];
    }
    if (S.Digits[-4] >= 60) return false;
  }
  return true;
}

// The integer places by Horner's rule, then each fractional place divided by
// its power of 60, added in turn.
long double SxgToReal(const Sxg& S) {
  long double R = S.Digits[-4];
  for (int I = -3; I <= 0; ++I) R = R * kSixty + S.Digits[I];
  long double Divider = 1.0L;
  for (int I = 1; I <= 15; ++I) {
    Divider = Divider * kSixty;
    R = R + S.Digits[I] / Divider;
  }
  if (S.Neg && R != 0) R = -R;
  return R;
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
  SwitchSystem(c, IsSxgMode(s.PrevSxgMode) ? s.PrevSxgMode : 'G');
  CleanSxg(S);
  if (IsZero(S)) S.Neg = false;
  PushSxgStack(c, S);
  EraseWindow(c);
  ClearInputLine(c);
}

void ConvertToReal(Calc& c) {
  const long double R = SxgToReal(c.st.SxgStack[0]);
  SwitchSystem(c, 'D');
  PushRealStack(c, R);
  EraseWindow(c);
  ClearInputLine(c);
}

}  // namespace

void ChangeNumberMode(Calc& c) {
  State& s = c.st;
  PutWindow(c, kModePrompt);
  const uint8_t ch = ReadAnswerLetter(c, "CDGSZ");
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
