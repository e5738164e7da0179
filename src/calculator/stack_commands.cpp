// The stack commands: duplicate, roll, exchange, delete X, change sign. They
// rearrange the current system's stack without computing; the display texts
// travel with the values, so only the rows that changed are drawn and nothing
// is formatted again (except the negated X).
#include <cstdint>

#include "calculator/commands.h"
#include "calculator/results.h"
#include "decimal/real_format.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_format.h"

namespace qirn {
namespace {

constexpr int16_t Row(int level) { return static_cast<int16_t>(6 + 2 * level); }

void DrawLevel(Calc& c, int level) { PutText(c, c.st.StackText[level], Row(level)); }

// Y, Z and T are on screen only in the full layout.
void DrawUpperLevels(Calc& c) {
  if (c.st.DisplayMode != 0) return;
  for (int i = 1; i <= 3; ++i) DrawLevel(c, i);
}

// Level i := level i - 1 for i = 3..1, values and texts alike; X keeps its
// value and text, the old T is lost.
template <typename T>
void LiftInPlace(T (&stack)[4], String55 (&text)[4]) {
  for (int i = 3; i >= 1; --i) stack[i] = stack[i - 1];
  for (int i = 3; i >= 1; --i) text[i] = text[i - 1];
}

template <typename T>
void RollDownOn(T (&stack)[4], String55 (&text)[4]) {
  const T t = stack[3];
  const String55 tt = text[3];
  LiftInPlace(stack, text);
  stack[0] = t;
  text[0] = tt;
}

template <typename T>
void RollUpOn(T (&stack)[4], String55 (&text)[4]) {
  const T x = stack[0];
  const String55 xt = text[0];
  for (int i = 0; i <= 2; ++i) {
    stack[i] = stack[i + 1];
    text[i] = text[i + 1];
  }
  stack[3] = x;
  text[3] = xt;
}

template <typename T>
void ExchangeOn(T (&stack)[4], String55 (&text)[4]) {
  const T x = stack[0];
  stack[0] = stack[1];
  stack[1] = x;
  const String55 xt = text[0];
  text[0] = text[1];
  text[1] = xt;
}

}  // namespace

void ReturnKey(Calc& c) {
  State& s = c.st;
  if (IsDecimalMode(s))
    LiftInPlace(s.RealStack, s.StackText);
  else
    LiftInPlace(s.SxgStack, s.StackText);
  DrawUpperLevels(c);  // X did not change
}

void RollDown(Calc& c) {
  State& s = c.st;
  if (IsDecimalMode(s))
    RollDownOn(s.RealStack, s.StackText);
  else
    RollDownOn(s.SxgStack, s.StackText);
  DrawLevel(c, 0);
  DrawUpperLevels(c);
}

void RollUp(Calc& c) {
  State& s = c.st;
  if (IsDecimalMode(s))
    RollUpOn(s.RealStack, s.StackText);
  else
    RollUpOn(s.SxgStack, s.StackText);
  DrawLevel(c, 0);
  DrawUpperLevels(c);
}

void Exchange(Calc& c) {
  State& s = c.st;
  if (IsDecimalMode(s))
    ExchangeOn(s.RealStack, s.StackText);
  else
    ExchangeOn(s.SxgStack, s.StackText);
  DrawLevel(c, 0);
  if (s.DisplayMode == 0) DrawLevel(c, 1);
}

// Deleting X is a drop with the old Y as the result; the result routines copy
// their argument before any level moves.
void ClearX(Calc& c) {
  State& s = c.st;
  if (IsDecimalMode(s))
    RealBinary(c, s.RealStack[1]);
  else
    SxgBinary(c, s.SxgStack[1]);
}

// A zero is left alone, so no negative zero can arise.
void ChangeSign(Calc& c) {
  State& s = c.st;
  if (IsDecimalMode(s)) {
    if (s.RealStack[0] == 0) return;
    s.RealStack[0] = -s.RealStack[0];
    s.StackText[0] = RealToStr(s.RealStack[0]);
  } else {
    Sxg& x = s.SxgStack[0];
    if (IsZero(x)) return;
    x.Neg = !x.Neg;
    s.StackText[0] = SxgToStr(x, s.NumberMode);
  }
  DrawLevel(c, 0);
}

}  // namespace qirn
