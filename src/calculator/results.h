// The six result routines through which every value reaches a stack, keeping
// StackText in step and redrawing exactly the rows that changed, and the
// decimal arithmetic with its limit 10^18.
#pragma once
#include "sexagesimal/sxg.h"
#include "state/calc.h"

namespace qirn {

inline constexpr long double RealLimit = 1e18L;

void PushRealStack(Calc& c, long double R);
void PushSxgStack(Calc& c, Sxg New);
void RealUnary(Calc& c, long double R);
void SxgUnary(Calc& c, Sxg New);
void RealBinary(Calc& c, long double R);
void SxgBinary(Calc& c, Sxg New);

void RealAddition(Calc& c);
void RealSubtraction(Calc& c);
void RealMultiplication(Calc& c);
void RealSquare(Calc& c);
void RealDivision(Calc& c);

}  // namespace qirn
