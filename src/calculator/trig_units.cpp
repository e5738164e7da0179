// Angle units and the base circle: the radius, the unit switch, conversion of
// X between degrees and radians, and the reduction of X to one turn.
#include <cmath>
#include <cstdio>

#include "calculator/commands.h"
#include "calculator/results.h"
#include "decimal/real_trig.h"
#include "screen/dialog.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_trig.h"

namespace qirn {
namespace {

// A decimal result reaches X only when it is finite and within the limit.
bool RealFits(long double R) { return std::fabs(R) <= RealLimit; }

}  // namespace

void ChangeBase(Calc& c) {
  PutWindow(c, "New radius of the base circle: ");
  const int16_t answer = WindowNumber(c, 1, 9999);
  EraseWindow(c);
  if (answer == -1) return;  // ESC
  c.st.Base = answer;
  char field[8];
  std::snprintf(field, sizeof field, "%4d", static_cast<int>(answer));
  c.scr().GotoXY(76, 1);
  c.scr().Write(field);
}

void ChangeTrigMode(Calc& c) {
  c.st.TrigMode = c.st.TrigMode == 0 ? 1 : 0;
  c.scr().GotoXY(73, 2);
  c.scr().Write(c.st.TrigMode == 0 ? "Degrees" : "Radians");
}

void ConvertDegrees(Calc& c) {
  if (IsDecimalMode(c.st)) {
    const long double R = RealConvertDegrees(c.st.RealStack[0]);
    if (!RealFits(R))
      HandleOverflow(c, false);
    else
      RealUnary(c, R);
    return;
  }
  Sxg N;
  SxgConvertDegrees(c.st.SxgStack[0], N);
  if (N.Digits[-4] == SxgOverflowMark)
    HandleOverflow(c, true);
  else
    SxgUnary(c, N);
}

void ConvertRadians(Calc& c) {
  if (IsDecimalMode(c.st)) {
    const long double R = RealConvertRadians(c.st.RealStack[0]);
    // Smaller than X, so no limit test; only an X that was not a finite
    // number to begin with gives no result.
    if (!std::isfinite(R))
      HandleOverflow(c, false);
    else
      RealUnary(c, R == 0 ? 0.0L : R);
    return;
  }
  Sxg N;
  SxgConvertRadians(c.st.SxgStack[0], N);
  SxgUnary(c, N);
}

void Modulo(Calc& c) {
  if (IsDecimalMode(c.st)) {
    const long double X = c.st.RealStack[0];
    if (!std::isfinite(X)) {
      HandleOverflow(c, false);  // no turn to reduce to
      return;
    }
    const long double R = c.st.TrigMode == 0 ? RealModulo360(X) : RealModulo2Pi(X);
    RealUnary(c, R == 0 ? 0.0L : R);
    return;
  }
  Sxg S = c.st.SxgStack[0];
  if (c.st.TrigMode == 0)
    SxgModulo360(S, S);
  else
    SxgModulo2Pi(S, S);
  SxgUnary(c, S);
}

}  // namespace qirn
