// The benchmark programs' common run: console output as usual, and the real and CPU time
// per iteration of every benchmark by name, for the ratios each program prints at its end.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vantrel::bench {

struct Timing {
  double real = 0.0;
  double cpu = 0.0;
};

class TimingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, Timing> times;
};

/// Runs the benchmarks the command line selects and returns their times by name.
inline std::map<std::string, Timing> RunBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.times;
}

}  // namespace vantrel::bench
