// Sexagesimal trigonometry: unit conversion, reduction to one turn and the
// series. Every intermediate value is an Sxg of 15 fractional places, so the
// results carry the rounding of the arithmetic routines in their last places.
#include "sexagesimal/sxg_trig.h"

#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_digits.h"
#include "sexagesimal/sxg_series.h"

namespace qirn {
namespace {

// 2 pi in extended precision, only for estimating the number of turns.
constexpr long double kTwoPi = 6.283185307179586476925286766559005768L;

// The 16th to 21st fractional places of 2 pi, the part TwoPi leaves out,
// scaled by 60^15: 2 pi ~ TwoPi + Error * 60^-15.
constexpr Sxg Error = {false, {{0, 0, 0, 0, 0, 14, 20, 7, 22, 35, 45, 0, 0, 0, 0, 0, 0, 0, 0, 0}}};

// The series divisors are 16-bit: (Exp - 1) * Exp for the sine and cosine,
// Exp for the arc tangent. These are the last exponents that still fit; the
// reduced arguments end the series long before.
constexpr int16_t kMaxSinExp = 181;    // 180 * 181 = 32580
constexpr int16_t kMaxCosExp = 180;    // 179 * 180 = 32220
constexpr int16_t kMaxArcTanExp = 32767;

int16_t SeriesDivisor(int16_t Exp) { return static_cast<int16_t>((Exp - 1) * Exp); }

void ClearZeroSign(Sxg& A) {
  if (IsZero(A)) A.Neg = false;
}

// Multiplies the places `first`..15 of M by Quotient into Out (Out's other
// places untouched), the last carry going to place -4.
void MultiplyPlaces(const Sxg& M, int first, int64_t Quotient, Sxg& Out) {
  int64_t Carry = 0;
  for (int k = first; k >= -3; --k) {
    int64_t c = M.Digits[k] * Quotient + Carry;
    Carry = c / 60;
    Out.Digits[k] = static_cast<int16_t>(c - 60 * Carry);
  }
  Out.Digits[-4] = static_cast<int16_t>(Carry);
}

// The sums of the sine and cosine series as whole numbers of units of place
// 15 (signed; |value| below 60^20 fits 128 bits). For places in normal form
// and no carry out of place -4, SxgAddition and SxgSubtraction give exactly
// the places of the sum's magnitude and its sign (none on zero), so the sum
// may be kept in this form and written as places once at the end.
using Whole = __int128;

Whole ValueOf(const Sxg& A) {
  const int16_t* d = A.Digits.v;
  const unsigned __int128 m =
      (static_cast<unsigned __int128>(digits::Join8(d)) * digits::P8 + digits::Join8(d + 8)) * digits::P4 +
      digits::Join4(d + 16);
  return A.Neg ? -static_cast<Whole>(m) : static_cast<Whole>(m);
}

// |V| below 60^16 (the sums stay below 2).
void FromValue(Whole V, Sxg& A) {
  const unsigned __int128 m = static_cast<unsigned __int128>(V < 0 ? -V : V);
  // Places -4..7 and 8..15: m / 60^8 fits 64 bits, and so a single 128-bit
  // by 64-bit division gives both, where the compiler would call a
  // general routine.
  uint64_t upper, lower;
#if defined(__x86_64__)
  asm("divq %4"
      : "=a"(upper), "=d"(lower)
      : "a"(static_cast<uint64_t>(m)), "d"(static_cast<uint64_t>(m >> 64)), "r"(digits::P8)
      : "cc");
#else
  upper = static_cast<uint64_t>(m / digits::P8);
  lower = static_cast<uint64_t>(m % digits::P8);
#endif
  digits::Split8(upper / digits::P4, A.Digits.v);
  digits::Split4(static_cast<uint32_t>(upper % digits::P4), A.Digits.v + 8);
  digits::Split8(lower, A.Digits.v + 12);
  A.Neg = V < 0;
}

// |A| < 1 in normal form: then the square, every term and every product
// of the series are below 1, and the sums below 2, in normal form.
bool BelowOne(const Sxg& A) {
  for (int i = -4; i <= 0; ++i)
    if (A.Digits[i] != 0) return false;
  for (int i = 1; i <= 15; ++i)
    if (A.Digits[i] < 0 || A.Digits[i] > 59) return false;
  return true;
}

// The alternating sum of the sine and cosine series from the first term on:
// Sum - Term, then Term * Sqr / ((Exp - 1) Exp), and so on, until a term
// is zero. For an argument below 1 (Exact) the sum is kept whole and each
// term is computed in one pass (MultiplyDivide); both give the places of
// the routines one by one.
void SumSeries(Sxg& Sum, Sxg Term, const Sxg& Sqr, bool Exact, int16_t& Exp, int16_t MaxExp) {
  bool Pos = true;
  if (Exact) {
    Whole S = ValueOf(Sum), T = ValueOf(Term);
    do {
      Exp = static_cast<int16_t>(Exp + 2);
      Pos = !Pos;
      S = Pos ? S + T : S - T;
      const int16_t K = SeriesDivisor(Exp);
      unsigned __int128 m;
      if (MultiplyDivide(Term, Sqr, K, Term, m)) {
        T = Term.Neg ? -static_cast<Whole>(m) : static_cast<Whole>(m);
      } else {
        SxgMultiplication(Term, Sqr, Term);
        DivideSxgInteger(Term, K, Term);
        T = ValueOf(Term);
      }
    } while (T != 0 && Exp < MaxExp);
    FromValue(S, Sum);
    return;
  }
  do {
    Exp = static_cast<int16_t>(Exp + 2);
    Pos = !Pos;
    if (Pos)
      SxgAddition(Sum, Term, Sum);
    else
      SxgSubtraction(Sum, Term, Sum);
    SxgMultiplication(Term, Sqr, Term);
    DivideSxgInteger(Term, SeriesDivisor(Exp), Term);
  } while (!IsZero(Term) && Exp < MaxExp);
}

}  // namespace

void SxgConvertDegrees(Sxg A, Sxg& New) { SxgMultiplication(A, CvDeg, New); }

void SxgConvertRadians(Sxg A, Sxg& New) { SxgMultiplication(A, CvRad, New); }

void SxgModulo2Pi(Sxg A, Sxg& New) {
  if (IsZero(A)) {
    New = Zero;
    return;
  }
  Sxg R = A;
  if (!Larger(TwoPi, A)) {
    const SxgDigits& D = A.Digits;
    // The whole part fits 32 bits in normal form; 64 keeps any digits defined.
    int64_t whole = ((((int64_t{D[-4]} * 60 + D[-3]) * 60 + D[-2]) * 60 + D[-1]) * 60) + D[0];
    long double V = static_cast<long double>(whole) + D[1] / 60.0L;
    int64_t Quotient = static_cast<int64_t>(V / kTwoPi);  // within one of the turns

    Sxg P = Zero;
    MultiplyPlaces(TwoPi, 15, Quotient, P);
    Sxg E = Zero;
    MultiplyPlaces(Error, 6, Quotient, E);
    SxgRound(E, 0, E);
    for (int k = -4; k <= 0; ++k) {
      E.Digits[k + 15] = E.Digits[k];
      E.Digits[k] = 0;
    }
    PerformAddition(P, E, P);  // Quotient * 2 pi to 15 places
    if (Larger(P, A)) PerformSubtraction(P, TwoPi, P);
    PerformSubtraction(A, P, R);
    if (Larger(R, TwoPi)) PerformSubtraction(R, TwoPi, R);
    R.Neg = A.Neg;
  }
  if (R.Neg) SxgAddition(R, TwoPi, R);  // -r is the angle TwoPi - r
  New = R;
}

void SxgModulo360(Sxg A, Sxg& New) {
  Sxg R = A;
  R.Digits[-4] = R.Digits[-3] = R.Digits[-2] = 0;  // multiples of 3600 are whole turns
  R.Digits[-1] = static_cast<int16_t>(R.Digits[-1] % 6);
  if (R.Digits[-1] < 0) R.Digits[-1] = static_cast<int16_t>(R.Digits[-1] + 6);
  if (IsZero(R))
    R.Neg = false;
  else if (R.Neg)
    SxgAddition(R, Circle, R);
  New = R;
}

void ComputeSin(Sxg A, Sxg& New, int16_t& Exp) {
  Sxg Sqr{}, Term{};  // defined even where an out-of-range argument overflows
  SxgMultiplication(A, A, Sqr);
  const bool Exact = BelowOne(A);
  unsigned __int128 m;
  if (!Exact || !MultiplyDivide(A, Sqr, 6, Term, m)) {
    SxgMultiplication(A, Sqr, Term);
    DivideSxgInteger(Term, 6, Term);
  }
  Sxg Sum = A;
  Exp = 3;
  SumSeries(Sum, Term, Sqr, Exact, Exp, kMaxSinExp);
  ClearZeroSign(Sum);
  New = Sum;
}

void ComputeCos(Sxg A, Sxg& New, int16_t& Exp) {
  Sxg Sqr{}, Term{};
  SxgMultiplication(A, A, Sqr);
  DivideSxgInteger(Sqr, 2, Term);
  Sxg Sum = One;
  Exp = 2;
  SumSeries(Sum, Term, Sqr, BelowOne(A), Exp, kMaxCosExp);
  ClearZeroSign(Sum);
  New = Sum;
}

void ComputeArcTan(Sxg A, Sxg& New, int16_t& Exp) {
  // The sum is kept in A itself; each term is the kept odd power divided
  // afresh, so one term's rounding does not pass into the next.
  Sxg Sqr{}, Power{}, Term{};
  SxgMultiplication(A, A, Sqr);
  SxgMultiplication(A, Sqr, Power);
  Exp = 3;
  bool Pos = false;
  DivideSxgInteger(Power, 3, Term);
  do {
    if (Pos)
      SxgAddition(A, Term, A);
    else
      SxgSubtraction(A, Term, A);
    Exp = static_cast<int16_t>(Exp + 2);
    Pos = !Pos;
    SxgMultiplication(Power, Sqr, Power);
    DivideSxgInteger(Power, Exp, Term);
  } while (!IsZero(Term) && Exp < kMaxArcTanExp);
  ClearZeroSign(A);
  New = A;
}

void ComputeSin(Sxg A, Sxg& New) {
  int16_t Exp;
  ComputeSin(A, New, Exp);
}

void ComputeCos(Sxg A, Sxg& New) {
  int16_t Exp;
  ComputeCos(A, New, Exp);
}

void ComputeArcTan(Sxg A, Sxg& New) {
  int16_t Exp;
  ComputeArcTan(A, New, Exp);
}

void DetermineArcTan(Sxg A, Sxg& New) {
  // With t the tangent of the anchor and t' = 1/t, t' - (1 + t'^2)/(t' + A)
  // is tan(arctan A - anchor), without multiplying A by a tangent.
  Sxg Arg, B, Offset;
  if (Larger(A, CapitalX[3])) {
    SxgDivision(One, A, Arg);
    Arg.Neg = !A.Neg;
    Offset = HalfPi;
  } else if (Larger(A, CapitalX[2])) {
    SxgMultiplication(X3, X3, Arg);
    AddSxgInteger(Arg, 1, Arg);
    SxgAddition(X3, A, B);
    SxgDivision(Arg, B, Arg);
    SxgSubtraction(X3, Arg, Arg);
    Offset = ThreeEighthPi;
  } else if (Larger(A, CapitalX[1])) {
    AddSxgInteger(A, 1, Arg);
    SxgDivision(Two, Arg, Arg);
    SxgSubtraction(One, Arg, Arg);
    Offset = QuarterPi;
  } else if (Larger(A, CapitalX[0])) {
    SxgMultiplication(X1, X1, Arg);
    AddSxgInteger(Arg, 1, Arg);
    SxgAddition(X1, A, B);
    SxgDivision(Arg, B, Arg);
    SxgSubtraction(X1, Arg, Arg);
    Offset = EighthPi;
  } else {
    Arg = A;
    Offset = Zero;
  }
  ComputeArcTan(Arg, New);
  SxgAddition(New, Offset, New);
}

}  // namespace qirn
