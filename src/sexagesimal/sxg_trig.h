// Sexagesimal trigonometry: conversion between degrees and radians, reduction
// of an angle to one turn, and the sine, cosine and arc tangent series.
// Operands by value, result in New (which may be an operand's variable). No
// routine allocates, throws or keeps state; errors are not reported here.
#pragma once
#include <cstdint>

#include "sexagesimal/sxg.h"

namespace qirn {

void SxgConvertDegrees(Sxg A, Sxg& New);  // A * CvDeg, or the overflow mark
void SxgConvertRadians(Sxg A, Sxg& New);  // A * CvRad

// A reduced to one turn of TwoPi, in [0, TwoPi]; exact up to the places of
// 2 pi beyond the 15th, which are carried by a correction term.
void SxgModulo2Pi(Sxg A, Sxg& New);
// A reduced to one turn of 360 degrees, in [0, 360); exact.
void SxgModulo360(Sxg A, Sxg& New);

// The series. Each ends when its next term computes to zero at place 15.
// Sine and cosine expect |A| <= pi/4, the arc tangent |A| <= tan(pi/16);
// outside those ranges they still end (the term exponent is bounded by the
// 16-bit divisors), but their results are not meaningful.
void ComputeSin(Sxg A, Sxg& New);
void ComputeCos(Sxg A, Sxg& New);
void ComputeArcTan(Sxg A, Sxg& New);
// The same, also giving the exponent of the zero term that ended the series,
// so tests and benchmarks can see how long it ran.
void ComputeSin(Sxg A, Sxg& New, int16_t& Exp);
void ComputeCos(Sxg A, Sxg& New, int16_t& Exp);
void ComputeArcTan(Sxg A, Sxg& New, int16_t& Exp);

// arctan A for A >= 0, in [0, pi/2]: reduced about the nearest of the anchors
// 0, pi/8, pi/4, 3pi/8 and pi/2 so that the series argument stays within
// tan(pi/16).
void DetermineArcTan(Sxg A, Sxg& New);

}  // namespace qirn
