// The stored measurements of the simulated instrument's demonstration: a cylinder pressure
// test, a pump characteristic, pressure peaks of a switching directional valve, a warm-up run
// and a machine cycle, each with the names, units, sensor ranges, trigger settings and sample
// interval a technician would have set on the instrument. `ScenarioCurves` turns a scenario
// into its curves; the wire encoding is elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "HydraulicSignals.h"

namespace vantrel::sim {

struct ScenarioChannel {
  SignalId signal = SignalId::kCylinderPressure;
  std::string name;  ///< at most 15 characters of the instrument's name alphabet
  std::string unit;  ///< five unit bytes as the instrument sends them
  float sensorRange = 600.0F;
};

struct Scenario {
  std::string name;  ///< at most 15 characters of the instrument's name alphabet
  std::uint32_t intervalMs = 10;
  int samples = 1000;  ///< per channel, at most 65535 (the readout header's field)
  std::uint16_t pretriggerSamples = 0;
  float triggerLevel = 0.0F;
  std::uint8_t triggerEdge = 1;  ///< 1 rising
  std::uint8_t triggerLetter = 'Z';
  int hour = 8;
  int minute = 0;
  std::vector<ScenarioChannel> channels;
};

/// The five demonstration scenarios, 1 to 6 channels, 480 to 60 000 samples per channel.
std::vector<Scenario> DemoScenarios();

/// Every signal of the demonstration scenarios, scenario by scenario, for measurements whose
/// channel count is chosen by the user.
std::vector<ScenarioChannel> DemoSignals();

/// Seconds a scenario covers.
double ScenarioSeconds(const Scenario& scenario);

/// The curves of `scenario`: per channel its samples, sample i covering
/// [i x interval, (i + 1) x interval).
std::vector<std::vector<PhysicalSample>> ScenarioCurves(const Scenario& scenario,
                                                        std::uint32_t seed);

/// The signal of a demonstration scenario stretched or squeezed onto `samples` samples:
/// sample i lies at the fraction i / `samples` of `signalSeconds`.
std::vector<PhysicalSample> StretchedCurve(SignalId signal, double signalSeconds, int samples,
                                           std::uint32_t seed);

}  // namespace vantrel::sim
