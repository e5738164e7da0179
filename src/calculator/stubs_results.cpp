// Placeholders until the result routines land.
#include "calculator/results.h"
namespace qirn {
void PushRealStack(Calc& c, long double R) { c.st.RealStack[0] = R; }
void PushSxgStack(Calc& c, Sxg New) { c.st.SxgStack[0] = New; }
void RealUnary(Calc& c, long double R) { c.st.RealStack[0] = R; }
void SxgUnary(Calc& c, Sxg New) { c.st.SxgStack[0] = New; }
void RealBinary(Calc& c, long double R) { c.st.RealStack[0] = R; }
void SxgBinary(Calc& c, Sxg New) { c.st.SxgStack[0] = New; }
void RealAddition(Calc&) {}
void RealSubtraction(Calc&) {}
void RealMultiplication(Calc&) {}
void RealSquare(Calc&) {}
void RealDivision(Calc&) {}
}  // namespace qirn
