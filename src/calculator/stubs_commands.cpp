// Placeholders until the stack, memory, rounding, mode and reciprocal commands land.
#include "calculator/commands.h"
namespace qirn {
void ReturnKey(Calc&) {}
void RollDown(Calc&) {}
void RollUp(Calc&) {}
void Exchange(Calc&) {}
void ClearX(Calc&) {}
void ChangeSign(Calc&) {}
void Store(Calc&) {}
void Recall(Calc&) {}
void Description(Calc&) {}
void Cancel_Description(Calc&) {}
void ScrollDownMemory(Calc&) {}
void ScrollUpMemory(Calc&) {}
void Clear(Calc&) {}
void Fraction(Calc&) {}
void Rounding(Calc&) {}
void Truncation(Calc&) {}
void ChangeNumberMode(Calc&) {}
void Convert(Calc&) {}
void Reciproke(Calc&) {}
void Remainder(Calc&) {}
void RealSqrt(Calc&) {}
}  // namespace qirn
