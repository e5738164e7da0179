// The result routines: every value reaches a stack through one of them. They
// move the display texts along with the values, so only the one new value is
// formatted, and redraw exactly the rows whose contents changed.
#include "calculator/results.h"

#include <cmath>

#include "decimal/real_format.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_format.h"

namespace qirn {
namespace {

constexpr int16_t Row(int level) { return static_cast<int16_t>(6 + 2 * level); }

// A zero never carries a minus sign, in either system: a stored -0 would
// read as negative to the tests of later commands.
long double Unsigned0(long double R) { return R == 0 ? 0.0L : R; }
Sxg Unsigned0(Sxg A) {
  if (A.Neg && IsZero(A)) A.Neg = false;
  return A;
}

// Lifts values and texts one level and puts value in X; the old T is lost.
template <typename T>
void Lift(Calc& c, T (&stack)[4], const T& value, String55 text) {
  for (int i = 3; i >= 1; --i) {
    stack[i] = stack[i - 1];
    c.st.StackText[i] = c.st.StackText[i - 1];
  }
  stack[0] = value;
  c.st.StackText[0] = text;
  PutText(c, c.st.StackText[0], Row(0));
  if (c.st.DisplayMode == 0)
    for (int i = 1; i <= 3; ++i) PutText(c, c.st.StackText[i], Row(i));
}

// X and Y become value, Z and T move down one level; T keeps its value.
template <typename T>
void Drop(Calc& c, T (&stack)[4], const T& value, String55 text) {
  for (int i = 1; i <= 2; ++i) {
    stack[i] = stack[i + 1];
    c.st.StackText[i] = c.st.StackText[i + 1];
  }
  stack[0] = value;
  c.st.StackText[0] = text;
  PutText(c, c.st.StackText[0], Row(0));
  if (c.st.DisplayMode == 0)
    for (int i = 1; i <= 2; ++i) PutText(c, c.st.StackText[i], Row(i));
}

template <typename T>
void Replace(Calc& c, T (&stack)[4], const T& value, String55 text) {
  stack[0] = value;
  c.st.StackText[0] = text;
  PutText(c, c.st.StackText[0], Row(0));
}

// The limit test is written as a negation so that infinities and NaNs count
// as too large.
bool BeyondLimit(long double R) { return !(std::fabs(R) < RealLimit); }

void StoreBinary(Calc& c, long double R) {
  if (BeyondLimit(R))
    HandleOverflow(c, false);
  else
    RealBinary(c, R);
}

}  // namespace

// The arguments are by value: callers pass stack levels that move here.
void PushRealStack(Calc& c, long double R) {
  R = Unsigned0(R);
  Lift(c, c.st.RealStack, R, RealToStr(R));
}

void PushSxgStack(Calc& c, Sxg New) {
  New = Unsigned0(New);
  Lift(c, c.st.SxgStack, New, SxgToStr(New, c.st.NumberMode));
}

void RealUnary(Calc& c, long double R) {
  R = Unsigned0(R);
  Replace(c, c.st.RealStack, R, RealToStr(R));
}

void SxgUnary(Calc& c, Sxg New) {
  New = Unsigned0(New);
  Replace(c, c.st.SxgStack, New, SxgToStr(New, c.st.NumberMode));
}

void RealBinary(Calc& c, long double R) {
  R = Unsigned0(R);
  Drop(c, c.st.RealStack, R, RealToStr(R));
}

void SxgBinary(Calc& c, Sxg New) {
  New = Unsigned0(New);
  Drop(c, c.st.SxgStack, New, SxgToStr(New, c.st.NumberMode));
}

void RealAddition(Calc& c) { StoreBinary(c, c.st.RealStack[1] + c.st.RealStack[0]); }

void RealSubtraction(Calc& c) { StoreBinary(c, c.st.RealStack[1] - c.st.RealStack[0]); }

void RealMultiplication(Calc& c) { StoreBinary(c, c.st.RealStack[1] * c.st.RealStack[0]); }

void RealSquare(Calc& c) {
  long double R = c.st.RealStack[0] * c.st.RealStack[0];
  if (BeyondLimit(R))
    HandleOverflow(c, false);
  else
    RealUnary(c, R);
}

void RealDivision(Calc& c) {
  const long double X = c.st.RealStack[0];
  if (X == 0) {
    HandleError(c, 1);
    return;
  }
  long double R = c.st.RealStack[1] / X;
  // A quotient of exactly 10^18 is accepted.
  if (!(std::fabs(R) <= RealLimit))
    HandleOverflow(c, false);
  else
    RealBinary(c, R);
}

}  // namespace qirn
