// The complete sexagesimal trigonometric commands (reduction, folding,
// series, base circle, display text and the redrawn X row) on a fresh
// calculator with X set before every run, beside MPFR's function of the same
// argument (in radians) at 120 bits.
#include <memory>
#include <string>

#include "bench_lines.h"
#include "calculator/commands.h"
#include "operands.h"
#include "screen/layout.h"
#include "support/rig.h"

namespace qirn::bench {
namespace {

using Command = void (*)(Calc&);
enum class Fn { Sin, Cos, Tan, ASin, ATan, AChord };

struct Case {
  const char* label;
  const char* value;  // decimal, in the unit of the mode
};

// The calculator the commands run on: the working screen drawn, X reset
// before every command.
std::shared_ptr<test::Rig> FreshCalc(int16_t trig_mode) {
  auto r = std::make_shared<test::Rig>();
  r->st().TrigMode = trig_mode;
  InitializeScreen(r->c);
  return r;
}

void AddCase(Table& t, const char* op, Command cmd, Fn fn, int16_t trig_mode, const Case& cs) {
  const Sxg x = SxgOfDecimal(cs.value);
  // MPFR's argument: the value of the same Sxg, in radians for the forward
  // functions (degrees times pi/180, computed in 256 bits, then rounded).
  auto arg = std::make_shared<Mp120>();
  {
    test::Mp exact;
    test::SxgValue(x, exact);
    if (trig_mode == 0 && (fn == Fn::Sin || fn == Fn::Cos || fn == Fn::Tan)) {
      test::Mp pi;
      mpfr_const_pi(pi, MPFR_RNDN);
      mpfr_mul(exact, exact, pi, MPFR_RNDN);
      mpfr_div_ui(exact, exact, 180, MPFR_RNDN);
    }
    mpfr_set(arg->v, exact, MPFR_RNDN);
  }
  auto rig = FreshCalc(trig_mode);
  const std::string label = std::string(cs.label) + (trig_mode == 0 ? " (deg)" : " (rad)");
  t.Add(op, label, {Goal::Ratio, 1},
        [rig, cmd, x](benchmark::State& s) {
          for (auto _ : s) {
            rig->st().SxgStack[0] = x;
            cmd(rig->c);
            benchmark::DoNotOptimize(rig->st().SxgStack[0]);
          }
        },
        [arg, fn](benchmark::State& s) {
          Mp120 r;
          for (auto _ : s) {
            switch (fn) {
              case Fn::Sin: mpfr_sin(r.v, arg->v, MPFR_RNDN); break;
              case Fn::Cos: mpfr_cos(r.v, arg->v, MPFR_RNDN); break;
              case Fn::Tan: mpfr_tan(r.v, arg->v, MPFR_RNDN); break;
              case Fn::ASin: mpfr_asin(r.v, arg->v, MPFR_RNDN); break;
              case Fn::ATan: mpfr_atan(r.v, arg->v, MPFR_RNDN); break;
              case Fn::AChord:  // 2 asin(x / 2)
                mpfr_div_2ui(r.v, arg->v, 1, MPFR_RNDN);
                mpfr_asin(r.v, r.v, MPFR_RNDN);
                mpfr_mul_2ui(r.v, r.v, 1, MPFR_RNDN);
                break;
            }
            benchmark::DoNotOptimize(r.v[0]);
          }
        });
}

constexpr Case kDegrees[] = {
    {"near 0", "0.00123456789"},
    {"near pi/4", "44.987654321"},
    {"near pi/2", "89.987654321"},
    {"large", "123456.789"},
};
constexpr Case kRadians[] = {
    {"near 0", "0.0000215443469"},
    {"near pi/4", "0.785123456789"},
    {"near pi/2", "1.570123456789"},
    {"large", "12345.6789"},
};
constexpr Case kSines[] = {
    {"near 0", "0.000123456789"},
    {"near 0.7071", "0.707106781"},
    {"near 1", "0.99991234567"},
};
constexpr Case kTangents[] = {
    {"near 0", "0.000123456789"},
    {"near 1", "0.99991234567"},
    {"above 1", "1.00012345678"},
    {"large", "1234.56789"},
};
constexpr Case kChords[] = {
    {"near 0", "0.000123456789"},
    {"near 1", "0.99991234567"},
    {"near 2", "1.99991234567"},
};

}  // namespace

void AddTrig(Table& t) {
  struct Forward {
    const char* op;
    Command cmd;
    Fn fn;
  };
  for (const Forward& f : {Forward{"SxgSine", SxgSine, Fn::Sin}, Forward{"SxgCosine", SxgCosine, Fn::Cos},
                           Forward{"SxgTangent", SxgTangent, Fn::Tan}}) {
    for (const Case& cs : kDegrees) AddCase(t, f.op, f.cmd, f.fn, 0, cs);
    for (const Case& cs : kRadians) AddCase(t, f.op, f.cmd, f.fn, 1, cs);
  }
  for (int16_t mode : {int16_t{1}, int16_t{0}}) {
    for (const Case& cs : kSines) AddCase(t, "SxgArcSin", SxgArcSin, Fn::ASin, mode, cs);
    for (const Case& cs : kTangents) AddCase(t, "SxgArcTan", SxgArcTan, Fn::ATan, mode, cs);
    for (const Case& cs : kChords) AddCase(t, "SxgArcChord", SxgArcChord, Fn::AChord, mode, cs);
  }
}

}  // namespace qirn::bench
