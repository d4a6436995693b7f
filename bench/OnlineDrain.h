// What the online recording benchmarks share: the CPU clocks, the instrument's stream of six
// channels at 10 000 sample sets per second, the start of the recording, and the owning
// thread's side of it, draining the link every 200 ms as the chart's timer does.
#pragma once

#include <time.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "SimInstrument.h"
#include "instrument/CInstrumentLink.h"

namespace vantrel::bench {

/// Seconds on `clock` (CLOCK_THREAD_CPUTIME_ID, CLOCK_PROCESS_CPUTIME_ID).
inline double CpuSeconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

constexpr double kStreamRate = 10000.0;

/// The instrument's field-format stream of six channels at 10 000 sets per second, ending
/// after `seconds`.
inline sim::SimOptions FastStream(double seconds) {
  sim::SimOptions options;
  options.mode = sim::SimMode::kFieldFormat;
  options.onlineChannels = 6;
  options.onlineRate = kStreamRate;
  options.onlineCount = static_cast<std::uint64_t>(kStreamRate * seconds);
  options.intervalText = "0.0001";
  return options;
}

/// Opens `link` on `path` at 38400 baud and starts recording into `measurement` (axes 0
/// and 1); false when either fails.
inline bool StartRecording(instrument::CInstrumentLink& link, const std::string& path,
                           model::CMessungObj& measurement) {
  link.SetPortSettings(path, 38400);
  return link.Open(0) && link.StartOnline(measurement, {0, 1});
}

struct DrainFigures {
  long long received = 0;
  /// The owning thread's CPU seconds spent draining (queue hand-over and append).
  double ownerCpu = 0.0;
  double wallSeconds = 0.0;
};

/// Drains `link` every 200 ms until `count` sample sets have arrived or `seconds` plus ten
/// seconds have passed.
inline DrainFigures DrainLikeTheChart(instrument::CInstrumentLink& link, long long count,
                                      double seconds) {
  DrainFigures figures;
  const auto start = std::chrono::steady_clock::now();
  const auto limit = start + std::chrono::duration<double>(seconds + 10.0);
  while (figures.received < count && std::chrono::steady_clock::now() < limit) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double cpuStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    figures.received += link.DrainOnline();
    figures.ownerCpu += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart;
  }
  figures.wallSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return figures;
}

}  // namespace vantrel::bench
