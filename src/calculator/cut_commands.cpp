// Fraction, rounding and truncation of X at a place the user chooses: a
// decimal place in the Decimal mode, a sexagesimal fractional place in the
// Greek, Sexagesimal and Zodiacal modes, and in the Chinese mode whole days
// (D), whole fens (F) or a sexagesimal place of a fen (0..11). X is replaced;
// the stack does not move.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "calculator/commands.h"
#include "calculator/results.h"
#include "decimal/real_format.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"

namespace qirn {
namespace {

enum class Cut { Fraction, Rounding, Truncation };

constexpr int16_t kAnswerDays = 'D', kAnswerFens = 'F';

struct Prompts {
  std::string_view decimal, chinese, sexagesimal;
};

constexpr Prompts kFractionPrompts = {
    "Fractional part after which decimal ?  (0-19)  ",
    "Fractional part after which sexagesimal ?  (d,f,0-11)  ",
    "Fractional part after which sexagesimal ?  (0-14)  ",
};
constexpr Prompts kRoundingPrompts = {
    "Round after which decimal ?  (0-19)  ",
    "Round after which sexagesimal ?  (d,f,0-11)  ",
    "Round after which sexagesimal ?  (0-14)  ",
};
constexpr Prompts kTruncationPrompts = {
    "Truncate after which decimal ?  (0-19)  ",
    "Truncate after which sexagesimal ?  (d,f,0-11)  ",
    "Truncate after which sexagesimal ?  (0-14)  ",
};

// Decimal fraction and truncation: the place is reached one step of 10 at a
// time, as the magnitude is cut there and scaled back.
long double RealCut(long double X, int16_t N, Cut cut) {
  const bool negative = X < 0;
  long double R = std::fabs(X);
  for (int i = 0; i < N; ++i) R *= 10.0L;
  const long double fraction = R - std::trunc(R);
  R = cut == Cut::Fraction ? fraction : R - fraction;
  for (int i = 0; i < N; ++i) R /= 10.0L;
  if (negative && R != 0) R = -R;
  return R;
}

void SxgCutAt(const Sxg& A, int16_t N, Cut cut, Sxg& New) {
  switch (cut) {
    case Cut::Fraction: SxgFrac(A, N, New); break;
    case Cut::Rounding: SxgRound(A, N, New); break;
    case Cut::Truncation: SxgTrunc(A, N, New); break;
  }
}

// Chinese mode with F (k = 0) or a place k of a fen: the fraction of a day is
// cut in fens; rounding and truncation keep the whole days.
void ChineseFenCut(const Sxg& X, int16_t k, Cut cut, Sxg& New) {
  New = X;
  for (int i = -4; i <= 0; ++i) New.Digits[i] = 0;
  if (IsZero(New)) New.Neg = false;
  Sxg Int{};
  if (cut != Cut::Fraction) SxgTrunc(X, 0, Int);
  SxgMultiplication(New, Wan, New);  // below 10000 fens: cannot overflow
  SxgCutAt(New, k, cut, New);
  SxgDivision(New, Wan, New);
  if (cut != Cut::Fraction) SxgAddition(Int, New, New);
}

void CutCommand(Calc& c, Cut cut, const Prompts& prompts) {
  State& s = c.st;
  const bool dec = IsDecimalMode(s);
  PutWindow(c, dec ? prompts.decimal : s.NumberMode == 'C' ? prompts.chinese : prompts.sexagesimal);
  const int16_t N = dec ? WindowNumber(c, 0, 19) : WindowNumber(c, 0, 14);
  EraseWindow(c);
  if (N == -1) return;

  if (dec) {
    const long double X = s.RealStack[0];
    RealUnary(c, cut == Cut::Rounding ? RoundReal(X, N) : RealCut(X, N, cut));
    return;
  }

  const Sxg X = s.SxgStack[0];
  Sxg New{};
  if (s.NumberMode != 'C' || N == kAnswerDays)
    SxgCutAt(X, N == kAnswerDays ? 0 : N, cut, New);
  else
    ChineseFenCut(X, N == kAnswerFens ? 0 : N, cut, New);

  // A rounding may carry out of the highest place (and, in the Chinese mode,
  // the days added back may); X then stays as it was.
  if (cut != Cut::Fraction && New.Digits[-4] == SxgOverflowMark) {
    HandleOverflow(c, true);
    return;
  }
  SxgUnary(c, New);
}

}  // namespace

void Fraction(Calc& c) { CutCommand(c, Cut::Fraction, kFractionPrompts); }
void Rounding(Calc& c) { CutCommand(c, Cut::Rounding, kRoundingPrompts); }
void Truncation(Calc& c) { CutCommand(c, Cut::Truncation, kTruncationPrompts); }

}  // namespace qirn
