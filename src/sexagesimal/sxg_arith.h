// Primitives and arithmetic on Sxg numbers. Operands are taken by value, the
// result is written into New, which may be one of the operands' variables.
// An unrepresentable result is marked in place -4 (SxgOverflowMark or
// SxgDivZeroMark) and only that place is then defined. No routine allocates,
// throws or does I/O: they run in the tight loops of the series.
#pragma once
#include <cstdint>

#include "sexagesimal/sxg.h"

namespace qirn {

// Comparisons on magnitudes; signs are not looked at.
bool Larger(const Sxg& A, const Sxg& B);   // |A| > |B| (digit-wise; place -4 may hold any value >= 0)
bool IsEqual(const Sxg& A, const Sxg& B);  // all twenty digits equal
bool IsZero(const Sxg& A);                 // all twenty digits 0

void SxgFrac(Sxg A, int16_t N, Sxg& New);   // A without places -4..N
void SxgTrunc(Sxg A, int16_t N, Sxg& New);  // A cut after place N
void SxgRound(Sxg A, int16_t N, Sxg& New);  // rounded half up at place N+1, or overflow mark
void CleanSxg(Sxg& A);                      // removes the noise of a decimal conversion

void PerformAddition(Sxg A, Sxg B, Sxg& New);     // |A| + |B|, or overflow mark
void PerformSubtraction(Sxg A, Sxg B, Sxg& New);  // |A| - |B|; requires |A| >= |B|
void SxgAddition(Sxg A, Sxg B, Sxg& New);         // A + B, or overflow mark
void SxgSubtraction(Sxg A, Sxg B, Sxg& New);      // A - B, or overflow mark
void AddSxgInteger(Sxg A, int16_t K, Sxg& New);       // |A| + K with A's sign, or overflow mark
void MultiplySxgInteger(Sxg A, int16_t K, Sxg& New);  // A * K, or overflow mark
void DivideSxgInteger(Sxg A, int16_t K, Sxg& New);    // A / K rounded at place 15 (K > 0)

void SxgMultiplication(Sxg A, Sxg B, Sxg& New);  // A * B rounded at place 15, or overflow mark
void LeftShift(Sxg& S, int16_t N);               // S * 60^N for the aligned copies of division
void SxgDivision(Sxg A, Sxg B, Sxg& New);        // A / B rounded half up at place 15, or a mark

void ComputeSqrt(Sxg A, Sxg& New);  // sqrt(|A|) to place 15; A must not be zero

}  // namespace qirn
