// The straightforward formulations of the routines that have faster ones:
// digit by digit, exactly as the algorithms are stated. They define the
// results; the fast routines must give the same digits for every operand,
// use them for operands outside their fast paths, and are tested against
// them.
#pragma once
#include <cstdint>

#include "sexagesimal/sxg.h"

namespace qirn::reference {

void PerformAddition(Sxg A, Sxg B, Sxg& New);
void PerformSubtraction(Sxg A, Sxg B, Sxg& New);
void SxgAddition(Sxg A, Sxg B, Sxg& New);
void SxgSubtraction(Sxg A, Sxg B, Sxg& New);
void DivideSxgInteger(Sxg A, int16_t K, Sxg& New);
void MultiplySxgInteger(Sxg A, int16_t K, Sxg& New);
void SxgMultiplication(Sxg A, Sxg B, Sxg& New);
void SxgDivision(Sxg A, Sxg B, Sxg& New);
void ComputeSqrt(Sxg A, Sxg& New);
bool Larger(const Sxg& A, const Sxg& B);
bool IsZero(const Sxg& A);

// The carry into place 15 of A * B: the products of weight 16 and a sixtieth
// of those of weight 17, summed in 80-bit extended arithmetic in a fixed
// order, rounded half to even.
int32_t MultiplicationCarry(const Sxg& A, const Sxg& B);

}  // namespace qirn::reference
