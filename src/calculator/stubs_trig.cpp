// Placeholders until the trigonometry lands.
#include "calculator/commands.h"
namespace qirn {
void ChangeBase(Calc&) {}
void ChangeTrigMode(Calc&) {}
void ConvertDegrees(Calc&) {}
void ConvertRadians(Calc&) {}
void Modulo(Calc&) {}
void RealChord(Calc&) {}
void RealCosine(Calc&) {}
void RealSine(Calc&) {}
void RealArcTan(Calc&) {}
void RealTan(Calc&) {}
void RealArcChord(Calc&) {}
void RealArcCos(Calc&) {}
void RealArcSin(Calc&) {}
void SxgChord(Calc&) {}
void SxgCosine(Calc&) {}
void SxgSine(Calc&) {}
void SxgTangent(Calc&) {}
void SxgArcChord(Calc&) {}
void SxgArcCos(Calc&) {}
void SxgArcSin(Calc&) {}
void SxgArcTan(Calc&) {}
}  // namespace qirn
