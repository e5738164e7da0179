// Placeholders until the sexagesimal arithmetic lands.
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"

namespace qirn {
const Sxg Zero{}, One{}, Two{}, EighthPi{}, QuarterPi{}, ThreeEighthPi{}, HalfPi{}, SxgPi{},
    OneHalfPi{}, TwoPi{}, CvDeg{}, CvRad{}, Circle{}, Wan{}, CapitalX[4]{}, X1{}, X3{};
bool Larger(const Sxg&, const Sxg&) { return false; }
bool IsEqual(const Sxg&, const Sxg&) { return false; }
bool IsZero(const Sxg&) { return true; }
void SxgFrac(Sxg A, int16_t, Sxg& New) { New = A; }
void SxgTrunc(Sxg A, int16_t, Sxg& New) { New = A; }
void SxgRound(Sxg A, int16_t, Sxg& New) { New = A; }
void CleanSxg(Sxg&) {}
void PerformAddition(Sxg A, Sxg, Sxg& New) { New = A; }
void PerformSubtraction(Sxg A, Sxg, Sxg& New) { New = A; }
void SxgAddition(Sxg A, Sxg, Sxg& New) { New = A; }
void SxgSubtraction(Sxg A, Sxg, Sxg& New) { New = A; }
void AddSxgInteger(Sxg A, int16_t, Sxg& New) { New = A; }
void MultiplySxgInteger(Sxg A, int16_t, Sxg& New) { New = A; }
void DivideSxgInteger(Sxg A, int16_t, Sxg& New) { New = A; }
void SxgMultiplication(Sxg A, Sxg, Sxg& New) { New = A; }
void LeftShift(Sxg&, int16_t) {}
void SxgDivision(Sxg A, Sxg, Sxg& New) { New = A; }
void ComputeSqrt(Sxg A, Sxg& New) { New = A; }
}  // namespace qirn
