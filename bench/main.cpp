// qirn_bench [--micro-only | --keys-only] [--verbose] [--passes=N] [benchmark flags]
// Prints Markdown tables: the machine, ours beside MPFR-120 with ratios, then
// the keystroke replay and the start-up. Exits 0; the tables say which goals
// are met.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench_lines.h"

namespace {

std::string CpuModel() {
  std::ifstream in("/proc/cpuinfo");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("model name", 0) == 0) {
      auto k = line.find(':');
      return k == std::string::npos ? line : line.substr(k + 2);
    }
  return "unknown";
}

bool HasFlag(const std::vector<char*>& args, const char* prefix) {
  for (char* a : args)
    if (std::strncmp(a, prefix, std::strlen(prefix)) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  bool micro = true, keys = true, verbose = false;
  int passes = 5;
  std::vector<char*> args{argv[0]};
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--micro-only") == 0)
      keys = false;
    else if (std::strcmp(argv[i], "--keys-only") == 0)
      micro = false;
    else if (std::strcmp(argv[i], "--verbose") == 0)
      verbose = true;
    else if (std::strncmp(argv[i], "--passes=", 9) == 0)
      passes = std::max(1, std::atoi(argv[i] + 9));
    else
      args.push_back(argv[i]);
  }
  // Defaults that keep the whole run near a minute and the medians steady;
  // the flags given on the command line win.
  static char reps[] = "--benchmark_repetitions=5";
  static char min_time[] = "--benchmark_min_time=0.03";
  static char aggregates[] = "--benchmark_report_aggregates_only=true";
  static char warmup[] = "--benchmark_min_warmup_time=0.02";  // caches, branch predictors, clock
  if (!HasFlag(args, "--benchmark_repetitions")) args.push_back(reps);
  if (!HasFlag(args, "--benchmark_min_time")) args.push_back(min_time);
  if (!HasFlag(args, "--benchmark_report_aggregates_only")) args.push_back(aggregates);
  if (!HasFlag(args, "--benchmark_min_warmup_time")) args.push_back(warmup);
  int n = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&n, args.data());
  if (benchmark::ReportUnrecognizedArguments(n, args.data())) return 2;

  std::printf("Machine: %ld processors, %s\n\n", sysconf(_SC_NPROCESSORS_ONLN), CpuModel().c_str());
  int missed = 0;
  if (micro) {
    qirn::bench::Table table;
    qirn::bench::AddArithmetic(table);
    qirn::bench::AddFormatting(table);
    qirn::bench::AddTrig(table);
    table.Run(verbose);
    std::printf("Medians of the repetitions, CPU time per call\n\n");
    missed += table.Print(stdout);
    std::printf("\n");
    std::fflush(stdout);
  }
  if (keys) missed += qirn::bench::RunKeys(stdout, passes);
  std::printf("\nGoals not met: %d\n", missed);
  benchmark::Shutdown();
  return 0;
}
