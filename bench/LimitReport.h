// The time limits the unit tests do not check (a loaded machine would make them flaky): each
// benchmark program measures its figure several times and prints the worst against its limit
// with "met" or "NOT MET".
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace vantrel::bench {

/// Milliseconds that `step` takes on the steady clock.
inline double MillisecondsOf(const std::function<void()>& step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

/// Prints "what: worst of N X ms (limit Y ms): met"; returns whether the limit was met.
inline bool PrintLimit(const char* what, double worstMs, int runs, double limitMs) {
  const bool met = worstMs < limitMs;
  std::printf("%s: worst of %d %.1f ms (limit %.0f ms): %s\n", what, runs, worstMs, limitMs,
              met ? "met" : "NOT MET");
  std::fflush(stdout);
  return met;
}

/// Measures `step` (which returns its milliseconds) `runs` times and prints the worst
/// against `limitMs`; returns whether the limit was met.
inline bool ReportLimit(const char* what, double limitMs, int runs,
                        const std::function<double()>& step) {
  double worst = 0.0;
  for (int i = 0; i < runs; ++i) worst = std::max(worst, step());
  return PrintLimit(what, worst, runs, limitMs);
}

/// Prints the machine's load, which the figures depend on.
inline void ReportLoad() {
  double load = 0.0;
  if (std::FILE* file = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(file, "%lf", &load) != 1) load = 0.0;
    std::fclose(file);
  }
  std::printf("machine load (1 min): %.2f\n", load);
}

}  // namespace vantrel::bench
