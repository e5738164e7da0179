// Addition, multiplication, division, square root and the two display texts,
// ours and MPFR's, cycling through the same 64 operands (pairs).
#include <memory>

#include "bench_lines.h"
#include "decimal/real_format.h"
#include "operands.h"
#include "sexagesimal/sxg_arith.h"
#include "sexagesimal/sxg_format.h"

namespace qirn::bench {
namespace {

constexpr size_t kN = 64;  // a power of two

struct Operands {
  std::vector<Sxg> a, b;
  std::vector<Mp120> ma, mb;
  Operands(std::vector<Sxg> x, std::vector<Sxg> y) : a(std::move(x)), b(std::move(y)) {
    for (size_t i = 0; i < kN; ++i) {
      ma.push_back(MpOf(a[i]));
      mb.push_back(MpOf(b[i]));
    }
  }
};

using SxgBinary = void (*)(Sxg, Sxg, Sxg&);
using MpfrBinary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

void AddBinary(Table& t, const char* op, const char* arg, Goal goal, std::shared_ptr<Operands> d,
               SxgBinary ours, MpfrBinary theirs) {
  t.Add(op, arg, goal,
        [d, ours](benchmark::State& s) {
          Sxg r{};
          size_t i = 0;
          for (auto _ : s) {
            ours(d->a[i], d->b[i], r);
            benchmark::DoNotOptimize(r);
            i = (i + 1) & (kN - 1);
          }
        },
        [d, theirs](benchmark::State& s) {
          Mp120 r;
          size_t i = 0;
          for (auto _ : s) {
            theirs(r.v, d->ma[i].v, d->mb[i].v, MPFR_RNDN);
            benchmark::DoNotOptimize(r.v[0]);
            i = (i + 1) & (kN - 1);
          }
        });
}

}  // namespace

void AddArithmetic(Table& t) {
  // Two integer places and fifteen fractional ones: every digit of both
  // operands takes part. Mixed signs for the addition, so that half of the
  // pairs subtract.
  auto add = std::make_shared<Operands>(RandomOperands(kN, 2, true, 1), RandomOperands(kN, 2, true, 2));
  auto mul = std::make_shared<Operands>(RandomOperands(kN, 2, true, 3), RandomOperands(kN, 2, true, 4));
  auto div = std::make_shared<Operands>(RandomOperands(kN, 2, true, 5), RandomOperands(kN, 1, true, 6));
  AddBinary(t, "SxgAddition", "2+15 places", {Goal::Ratio, 1}, add, SxgAddition, mpfr_add);
  AddBinary(t, "SxgMultiplication", "2+15 places", {Goal::Ratio, 3}, mul, SxgMultiplication, mpfr_mul);
  AddBinary(t, "SxgDivision", "2+15 / 1+15", {Goal::Ratio, 20}, div, SxgDivision, mpfr_div);

  auto sq = std::make_shared<Operands>(RandomOperands(kN, 2, false, 7), RandomOperands(kN, 0, false, 8));
  t.Add("ComputeSqrt", "2+15 places", {Goal::Ratio, 20},
        [sq](benchmark::State& s) {
          Sxg r{};
          size_t i = 0;
          for (auto _ : s) {
            ComputeSqrt(sq->a[i], r);
            benchmark::DoNotOptimize(r);
            i = (i + 1) & (kN - 1);
          }
        },
        [sq](benchmark::State& s) {
          Mp120 r;
          size_t i = 0;
          for (auto _ : s) {
            mpfr_sqrt(r.v, sq->ma[i].v, MPFR_RNDN);
            benchmark::DoNotOptimize(r.v[0]);
            i = (i + 1) & (kN - 1);
          }
        });
}

void AddFormatting(Table& t) {
  auto d = std::make_shared<Operands>(RandomOperands(kN, 2, true, 9), RandomOperands(kN, 0, true, 10));
  // mpfr_get_str to 30 significant digits into a caller's buffer: no allocation.
  auto mpfr_text = [d](benchmark::State& s) {
    char buf[40];
    mpfr_exp_t e;
    size_t i = 0;
    for (auto _ : s) {
      mpfr_get_str(buf, &e, 10, 30, d->ma[i].v, MPFR_RNDN);
      benchmark::DoNotOptimize(buf);
      i = (i + 1) & (kN - 1);
    }
  };
  for (char mode : {'G', 'S', 'Z', 'C'}) {
    t.Add("SxgToStr", std::string("mode ") + mode, {Goal::Absolute, 1500},
          [d, mode](benchmark::State& s) {
            size_t i = 0;
            for (auto _ : s) {
              String55 text = SxgToStr(d->a[i], mode);
              benchmark::DoNotOptimize(text);
              i = (i + 1) & (kN - 1);
            }
          },
          mpfr_text);
  }

  // Extended values of varied magnitude: the Sxg operands as decimals, and
  // the same scaled up to whole numbers of up to 18 digits.
  struct Reals {
    std::vector<long double> x;
    std::vector<Mp120> m;
  };
  for (int big = 0; big < 2; ++big) {
    auto r = std::make_shared<Reals>();
    for (size_t i = 0; i < kN; ++i) {
      long double v = mpfr_get_ld(d->ma[i].v, MPFR_RNDN);
      if (big) v *= 1e14L;
      r->x.push_back(v);
      r->m.push_back(MpOf(v));
    }
    t.Add("RealToStr", big ? "up to 4e17" : "up to 3600", {Goal::Absolute, 1500},
          [r](benchmark::State& s) {
            size_t i = 0;
            for (auto _ : s) {
              String55 text = RealToStr(r->x[i]);
              benchmark::DoNotOptimize(text);
              i = (i + 1) & (kN - 1);
            }
          },
          [r](benchmark::State& s) {
            char buf[40];
            mpfr_exp_t e;
            size_t i = 0;
            for (auto _ : s) {
              mpfr_get_str(buf, &e, 10, 30, r->m[i].v, MPFR_RNDN);
              benchmark::DoNotOptimize(buf);
              i = (i + 1) & (kN - 1);
            }
          });
  }
}

}  // namespace qirn::bench
