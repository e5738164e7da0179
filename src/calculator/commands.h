// The command routines the command loop dispatches to. Each works on the
// number system NumberMode selects, reports its own errors and redraws what
// it changed.
#pragma once
#include <cstdint>

#include "state/calc.h"

namespace qirn {

// Number entry: called with the digit that starts it; returns in ch/scan the
// key that ended it (upper-cased; ENTER after ESC).
void StackInput(Calc& c, uint8_t& ch, uint8_t& scan);
void Illegal(Calc& c);  // the tone of a refused key

// Stack commands.
void ReturnKey(Calc& c);
void RollDown(Calc& c);
void RollUp(Calc& c);
void Exchange(Calc& c);
void ClearX(Calc& c);
void ChangeSign(Calc& c);

// Memory registers and clearing.
void Store(Calc& c);
void Recall(Calc& c);
void Description(Calc& c);
void Cancel_Description(Calc& c);
void ScrollDownMemory(Calc& c);
void ScrollUpMemory(Calc& c);
void Clear(Calc& c);

// Fraction, rounding, truncation.
void Fraction(Calc& c);
void Rounding(Calc& c);
void Truncation(Calc& c);

// Number mode and conversion.
void ChangeNumberMode(Calc& c);
void Convert(Calc& c);

// Reciprocal, remainder, decimal square root.
void Reciproke(Calc& c);
void Remainder(Calc& c);
void RealSqrt(Calc& c);

// Angle units, base circle, reduction.
void ChangeBase(Calc& c);
void ChangeTrigMode(Calc& c);
void ConvertDegrees(Calc& c);
void ConvertRadians(Calc& c);
void Modulo(Calc& c);

// Trigonometric commands. The decimal chord, cosine, sine and arc tangent are
// the command loop's own computations; they live here beside their twins.
void RealChord(Calc& c);
void RealCosine(Calc& c);
void RealSine(Calc& c);
void RealArcTan(Calc& c);
void RealTan(Calc& c);
void RealArcChord(Calc& c);
void RealArcCos(Calc& c);
void RealArcSin(Calc& c);
void SxgChord(Calc& c);
void SxgCosine(Calc& c);
void SxgSine(Calc& c);
void SxgTangent(Calc& c);
void SxgArcChord(Calc& c);
void SxgArcCos(Calc& c);
void SxgArcSin(Calc& c);
void SxgArcTan(Calc& c);

}  // namespace qirn
