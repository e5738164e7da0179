#include "table.h"

#include <cstdio>
#include <iostream>

namespace qirn::bench {
namespace {

// Keeps the median of every benchmark; prints the usual console lines only
// when asked to, and otherwise one progress line per benchmark to stderr.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  MedianReporter(std::map<std::string, double>& medians, bool verbose)
      : medians_(medians), verbose_(verbose) {}
  bool ReportContext(const Context& context) override {
    return verbose_ ? ConsoleReporter::ReportContext(context) : true;
  }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      double ns = run.GetAdjustedCPUTime() * Scale(run.time_unit);
      medians_[run.run_name.function_name] = ns;
      if (!verbose_) std::fprintf(stderr, "  %-40s %12.1f ns\n", run.run_name.function_name.c_str(), ns);
    }
    if (verbose_) ConsoleReporter::ReportRuns(runs);
  }

 private:
  static double Scale(benchmark::TimeUnit u) {
    switch (u) {
      case benchmark::kNanosecond: return 1.0;
      case benchmark::kMicrosecond: return 1e3;
      case benchmark::kMillisecond: return 1e6;
      default: return 1e9;
    }
  }
  std::map<std::string, double>& medians_;
  bool verbose_;
};

}  // namespace

void Table::Add(const std::string& op, const std::string& arg, Goal goal, Body ours, Body mpfr) {
  lines_.push_back({op, arg, goal});
  const std::string base = op + "/" + arg;
  benchmark::RegisterBenchmark((base + "/ours").c_str(), std::move(ours))->Unit(benchmark::kNanosecond);
  benchmark::RegisterBenchmark((base + "/mpfr").c_str(), std::move(mpfr))->Unit(benchmark::kNanosecond);
}

void Table::Run(bool verbose) {
  MedianReporter reporter(median_ns_, verbose);
  benchmark::RunSpecifiedBenchmarks(&reporter);
}

int Table::Print(std::FILE* out) const {
  int missed = 0;
  std::fprintf(out, "| operation | argument | ours ns | MPFR-120 ns | ours/MPFR | goal | met |\n");
  std::fprintf(out, "|---|---|---:|---:|---:|---|---|\n");
  for (const Line& l : lines_) {
    const std::string base = l.op + "/" + l.arg;
    auto o = median_ns_.find(base + "/ours");
    auto m = median_ns_.find(base + "/mpfr");
    if (o == median_ns_.end() || m == median_ns_.end()) continue;  // filtered out
    const double ratio = o->second / m->second;
    char goal[32];
    bool met;
    if (l.goal.kind == Goal::Ratio) {
      std::snprintf(goal, sizeof goal, "ratio <= %g", l.goal.limit);
      met = ratio <= l.goal.limit;
    } else {
      std::snprintf(goal, sizeof goal, "<= %g ns", l.goal.limit);
      met = o->second <= l.goal.limit;
    }
    if (!met) ++missed;
    std::fprintf(out, "| %s | %s | %.0f | %.0f | %.2f | %s | %s |\n", l.op.c_str(), l.arg.c_str(), o->second,
                 m->second, ratio, goal, met ? "yes" : "**no**");
  }
  return missed;
}

}  // namespace qirn::bench
