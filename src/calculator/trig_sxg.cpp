// The sexagesimal trigonometric commands: the angle is reduced to one turn,
// folded into [0, pi/4] (the tangent into [-pi/4, pi/4] about its own sign)
// and handed to the series; the inverse functions all go through the arc
// tangent of the tangent (or cotangent) of the wanted angle. No allocation.
#include "calculator/commands.h"
#include "calculator/results.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_constants.h"
#include "sexagesimal/sxg_trig.h"

namespace qirn {
namespace {

bool Overflowed(const Sxg& A) { return A.Digits[-4] == SxgOverflowMark; }

// X as an angle in radians within one turn: [0, 2 pi] up to the last places.
void Reduce(const Calc& c, Sxg X, Sxg& a) {
  if (c.st.TrigMode == 0) {
    SxgModulo360(X, a);
    SxgConvertRadians(a, a);
  } else {
    SxgModulo2Pi(X, a);
  }
}

// sin a for a in [0, pi/2]: the series never sees more than pi/4.
void SineOfFolded(Sxg a, Sxg& s) {
  if (Larger(a, QuarterPi)) {
    SxgSubtraction(HalfPi, a, a);
    ComputeCos(a, s);
  } else {
    ComputeSin(a, s);
  }
}

// cos a for a in [0, pi/2].
void CosineOfFolded(Sxg a, Sxg& v) {
  if (Larger(a, QuarterPi)) {
    SxgSubtraction(HalfPi, a, a);
    ComputeSin(a, v);
  } else {
    ComputeCos(a, v);
  }
}

// phi (radians) in the current unit, without a sign on zero.
void AngleOut(const Calc& c, Sxg& phi) {
  if (c.st.TrigMode == 0) SxgConvertDegrees(phi, phi);
  if (IsZero(phi)) phi.Neg = false;
}

// q = num / den, or false when the quotient overflows (an angle of pi/2).
// den comes from a square root of a positive value or from a nonzero r.
bool Quotient(const Sxg& num, const Sxg& den, Sxg& q) {
  SxgDivision(num, den, q);
  return q.Digits[-4] != SxgOverflowMark && q.Digits[-4] != SxgDivZeroMark;
}

// sqrt(1 - r^2) for 0 < |r| < 1; the difference is never zero there, but a
// zero is given back as zero rather than handed to the square root.
void Complement(const Sxg& r, Sxg& root) {
  Sxg d;
  SxgMultiplication(r, r, d);
  SxgSubtraction(One, d, d);
  if (IsZero(d))
    root = Zero;
  else
    ComputeSqrt(d, root);
}

}  // namespace

void SxgSine(Calc& c) {
  Sxg a;
  Reduce(c, c.st.SxgStack[0], a);
  bool Negative = false;
  if (Larger(a, SxgPi)) {
    SxgSubtraction(TwoPi, a, a);
    Negative = true;
  }
  if (Larger(a, HalfPi)) SxgSubtraction(SxgPi, a, a);
  Sxg s;
  SineOfFolded(a, s);
  MultiplySxgInteger(s, c.st.Base, s);
  if (Negative && !IsZero(s)) s.Neg = true;
  SxgUnary(c, s);
}

void SxgCosine(Calc& c) {
  Sxg a;
  Reduce(c, c.st.SxgStack[0], a);
  if (Larger(a, SxgPi)) SxgSubtraction(TwoPi, a, a);
  bool Negative = false;
  if (Larger(a, HalfPi)) {
    Negative = true;
    SxgSubtraction(SxgPi, a, a);
  }
  Sxg v;
  CosineOfFolded(a, v);
  MultiplySxgInteger(v, c.st.Base, v);
  v.Neg = IsZero(v) ? false : Negative;
  SxgUnary(c, v);
}

void SxgChord(Calc& c) {
  Sxg a;
  DivideSxgInteger(c.st.SxgStack[0], 2, a);
  Reduce(c, a, a);
  // |sin| of the half angle repeats every pi and is symmetric about pi/2.
  if (Larger(a, SxgPi)) SxgSubtraction(a, SxgPi, a);
  if (Larger(a, HalfPi)) SxgSubtraction(SxgPi, a, a);
  Sxg h;
  SineOfFolded(a, h);
  h.Neg = false;
  MultiplySxgInteger(h, static_cast<int16_t>(2 * c.st.Base), h);
  SxgUnary(c, h);
}

void SxgTangent(Calc& c) {
  Sxg a;
  Reduce(c, c.st.SxgStack[0], a);
  if (Larger(a, OneHalfPi))
    SxgSubtraction(a, TwoPi, a);
  else if (Larger(a, HalfPi))
    SxgSubtraction(a, SxgPi, a);
  // a now lies in [-pi/2, pi/2] and keeps its sign.
  Sxg s, co, t;
  if (Larger(QuarterPi, a)) {
    ComputeCos(a, co);
    if (IsZero(co)) {
      HandleError(c, 7);
      return;
    }
    ComputeSin(a, s);
    SxgDivision(s, co, t);
    if (Overflowed(t)) {
      HandleOverflow(c, true);
      return;
    }
  } else {
    Sxg b;
    PerformSubtraction(HalfPi, a, b);  // pi/2 - |a|
    b.Neg = a.Neg;
    ComputeSin(b, co);
    if (IsZero(co)) {
      HandleError(c, 7);  // |a| = pi/2
      return;
    }
    ComputeCos(b, s);
    SxgDivision(s, co, t);
    if (Overflowed(t)) {
      HandleOverflow(c, true);
      return;
    }
    t.Neg = IsZero(t) ? false : a.Neg;
  }
  MultiplySxgInteger(t, c.st.Base, t);
  if (Overflowed(t)) {
    HandleOverflow(c, true);
    return;
  }
  SxgUnary(c, t);
}

void SxgArcSin(Calc& c) {
  const bool Sign = c.st.SxgStack[0].Neg;
  Sxg r;
  DivideSxgInteger(c.st.SxgStack[0], c.st.Base, r);
  if (Larger(r, One)) {
    HandleError(c, 6);
    return;
  }
  Sxg phi;
  if (IsZero(r)) {
    phi = Zero;
  } else {
    if (IsEqual(One, r)) {
      phi = HalfPi;
    } else {
      Sxg root, q;
      Complement(r, root);
      if (!Quotient(r, root, q)) {
        phi = HalfPi;
      } else {
        q.Neg = false;
        DetermineArcTan(q, phi);
      }
    }
    phi.Neg = Sign;
  }
  AngleOut(c, phi);
  SxgUnary(c, phi);
}

void SxgArcCos(Calc& c) {
  Sxg r;
  DivideSxgInteger(c.st.SxgStack[0], c.st.Base, r);
  if (Larger(r, One)) {
    HandleError(c, 5);
    return;
  }
  Sxg phi = Zero;
  if (IsZero(r)) {
    phi = HalfPi;
  } else if (IsEqual(One, r)) {
    if (r.Neg) phi = SxgPi;  // r = +1 leaves phi zero
  } else {
    Sxg root, q;
    Complement(r, root);
    if (!Quotient(root, r, q)) {
      phi = HalfPi;
    } else {
      q.Neg = false;
      DetermineArcTan(q, phi);
      if (r.Neg) SxgSubtraction(SxgPi, phi, phi);
    }
  }
  AngleOut(c, phi);
  SxgUnary(c, phi);
}

void SxgArcChord(Calc& c) {
  Sxg r;
  DivideSxgInteger(c.st.SxgStack[0], static_cast<int16_t>(2 * c.st.Base), r);
  if (r.Neg || Larger(r, One)) {
    HandleError(c, 8);
    return;
  }
  Sxg phi;
  if (IsZero(r)) {
    phi = Zero;
  } else if (IsEqual(One, r)) {
    phi = SxgPi;
  } else {
    Sxg root, q;
    Complement(r, root);
    if (!Quotient(r, root, q)) {
      phi = SxgPi;
    } else {
      DetermineArcTan(q, phi);
      MultiplySxgInteger(phi, 2, phi);
    }
  }
  AngleOut(c, phi);
  SxgUnary(c, phi);
}

void SxgArcTan(Calc& c) {
  Sxg r;
  DivideSxgInteger(c.st.SxgStack[0], c.st.Base, r);
  const bool Negative = r.Neg;
  r.Neg = false;
  Sxg phi;
  DetermineArcTan(r, phi);
  phi.Neg = IsZero(phi) ? false : Negative;
  if (c.st.TrigMode == 0) SxgConvertDegrees(phi, phi);
  SxgUnary(c, phi);
}

}  // namespace qirn
