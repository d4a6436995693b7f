// Settings and curves of the demonstration scenarios.
#include "DemoScenarios.h"

namespace vantrel::sim {
namespace {

const std::string kBar = "bar  ";
const std::string kFlow = "l/min";
const std::string kCelsius =
    "\xDF"
    "C   ";
const std::string kSpeed = "U/min";
const std::string kPsi = "PSI  ";
const std::string kMillibar = "mbar ";

}  // namespace

std::vector<Scenario> DemoScenarios() {
  std::vector<Scenario> scenarios;
  {
    // Triggered on channel 1 rising through 20 bar, one second of history before.
    Scenario s;
    s.name = "Zylindertest";
    s.intervalMs = 10;
    s.samples = 3000;
    s.pretriggerSamples = 100;
    s.triggerLevel = 20.0F;
    s.triggerLetter = '1';
    s.hour = 9;
    s.minute = 12;
    s.channels = {{SignalId::kCylinderPressure, "Zylinderdruck", kBar, 400.0F}};
    scenarios.push_back(std::move(s));
  }
  {
    Scenario s;
    s.name = "Pumpenkennlinie";
    s.intervalMs = 5;
    s.samples = 60000;
    s.triggerLetter = 'M';  // started by hand
    s.hour = 9;
    s.minute = 40;
    s.channels = {{SignalId::kPumpSpeed, "Drehzahl", kSpeed, 3000.0F},
                  {SignalId::kPumpFlow, "Volumenstrom", kFlow, 100.0F},
                  {SignalId::kPumpPressure, "Pumpendruck", kBar, 400.0F},
                  {SignalId::kPumpOilTemperature, "Oeltemperatur", kCelsius, 100.0F}};
    scenarios.push_back(std::move(s));
  }
  {
    // Triggered on circuit A rising through 150 bar.
    Scenario s;
    s.name = "Schaltspitzen";
    s.intervalMs = 1;
    s.samples = 4000;
    s.pretriggerSamples = 500;
    s.triggerLevel = 150.0F;
    s.triggerLetter = '1';
    s.hour = 10;
    s.minute = 25;
    s.channels = {{SignalId::kValvePressureA, "Druck A", kBar, 400.0F},
                  {SignalId::kValvePressureB, "Druck B", kBar, 400.0F}};
    scenarios.push_back(std::move(s));
  }
  {
    Scenario s;
    s.name = "Warmlauf";
    s.intervalMs = 5000;
    s.samples = 480;
    s.triggerLetter = 'Z';  // started by the clock
    s.hour = 6;
    s.minute = 30;
    s.channels = {{SignalId::kWarmUpTemperature, "Oeltemperatur", kCelsius, 100.0F},
                  {SignalId::kWarmUpPressureDrop, "Druckabfall", kBar, 25.0F},
                  {SignalId::kWarmUpFlow, "Volumenstrom", kFlow, 60.0F}};
    scenarios.push_back(std::move(s));
  }
  {
    Scenario s;
    s.name = "Maschinenzyklus";
    s.intervalMs = 20;
    s.samples = 3000;
    s.triggerLetter = 'M';
    s.hour = 11;
    s.minute = 5;
    s.channels = {{SignalId::kCyclePressureP, "Druck P", kBar, 400.0F},
                  {SignalId::kCycleFlow, "Volumenstrom", kFlow, 60.0F},
                  {SignalId::kCycleOilTemperature, "Oeltemperatur", kCelsius, 100.0F},
                  {SignalId::kCycleSpeed, "Drehzahl", kSpeed, 3000.0F},
                  {SignalId::kCyclePressureB, "Druck B", kPsi, 6000.0F},
                  {SignalId::kCycleTankLine, "Tankleitung", kMillibar, 2000.0F}};
    scenarios.push_back(std::move(s));
  }
  return scenarios;
}

std::vector<ScenarioChannel> DemoSignals() {
  std::vector<ScenarioChannel> signals;
  for (const Scenario& scenario : DemoScenarios()) {
    signals.insert(signals.end(), scenario.channels.begin(), scenario.channels.end());
  }
  return signals;
}

double ScenarioSeconds(const Scenario& scenario) {
  return static_cast<double>(scenario.intervalMs) * 0.001 * scenario.samples;
}

std::vector<std::vector<PhysicalSample>> ScenarioCurves(const Scenario& scenario,
                                                        std::uint32_t seed) {
  const double interval = static_cast<double>(scenario.intervalMs) * 0.001;
  std::vector<std::vector<PhysicalSample>> curves;
  for (const ScenarioChannel& channel : scenario.channels) {
    std::vector<PhysicalSample> curve;
    curve.reserve(static_cast<std::size_t>(scenario.samples));
    for (int i = 0; i < scenario.samples; ++i) {
      curve.push_back(SampleSignal(channel.signal, interval * i, interval, seed,
                                   static_cast<std::uint64_t>(i)));
    }
    curves.push_back(std::move(curve));
  }
  return curves;
}

std::vector<PhysicalSample> StretchedCurve(SignalId signal, double signalSeconds, int samples,
                                           std::uint32_t seed) {
  std::vector<PhysicalSample> curve;
  if (samples <= 0) return curve;
  curve.reserve(static_cast<std::size_t>(samples));
  const double interval = signalSeconds / samples;
  for (int i = 0; i < samples; ++i) {
    curve.push_back(
        SampleSignal(signal, interval * i, interval, seed, static_cast<std::uint64_t>(i)));
  }
  return curve;
}

}  // namespace vantrel::sim
