// The side-by-side table: each line pairs one of our routines with MPFR's
// nearest equivalent on the same operands, both registered as Google
// Benchmark runs; the ratio is taken from the medians of the repetitions so
// that it holds on a noisy machine.
#pragma once
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qirn::bench {

// A line's goal: the ratio ours / MPFR at most `limit`, or (Absolute) our
// median at most `limit` nanoseconds.
struct Goal {
  enum Kind { Ratio, Absolute } kind = Ratio;
  double limit = 1.0;
};

using Body = std::function<void(benchmark::State&)>;

class Table {
 public:
  // Registers "<op>/<arg>/ours" and "<op>/<arg>/mpfr".
  void Add(const std::string& op, const std::string& arg, Goal goal, Body ours, Body mpfr);

  // Runs the registered benchmarks (the flags already parsed by
  // benchmark::Initialize) and collects their medians.
  void Run(bool verbose);

  // The table in Markdown; returns the number of goals not met.
  int Print(std::FILE* out) const;

 private:
  struct Line {
    std::string op, arg;
    Goal goal;
  };
  std::vector<Line> lines_;
  std::map<std::string, double> median_ns_;  // by benchmark name
};

}  // namespace qirn::bench
