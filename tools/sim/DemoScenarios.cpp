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
  return {
      // Triggered on channel 1 rising through 20 bar, one second of history before.
      {.name = "Zylindertest",
       .intervalMs = 10,
       .samples = 3000,
       .pretriggerSamples = 100,
       .triggerLevel = 20.0F,
       .triggerLetter = '1',
       .hour = 9,
       .minute = 12,
       .channels = {{SignalId::kCylinderPressure, "Zylinderdruck", kBar, 400.0F}}},
      // Started by hand.
      {.name = "Pumpenkennlinie",
       .intervalMs = 5,
       .samples = 60000,
       .triggerLetter = 'M',
       .hour = 9,
       .minute = 40,
       .channels = {{SignalId::kPumpSpeed, "Drehzahl", kSpeed, 3000.0F},
                    {SignalId::kPumpFlow, "Volumenstrom", kFlow, 100.0F},
                    {SignalId::kPumpPressure, "Pumpendruck", kBar, 400.0F},
                    {SignalId::kPumpOilTemperature, "Oeltemperatur", kCelsius, 100.0F}}},
      // Triggered on circuit A rising through 150 bar.
      {.name = "Schaltspitzen",
       .intervalMs = 1,
       .samples = 4000,
       .pretriggerSamples = 500,
       .triggerLevel = 150.0F,
       .triggerLetter = '1',
       .hour = 10,
       .minute = 25,
       .channels = {{SignalId::kValvePressureA, "Druck A", kBar, 400.0F},
                    {SignalId::kValvePressureB, "Druck B", kBar, 400.0F}}},
      // Started by the clock.
      {.name = "Warmlauf",
       .intervalMs = 5000,
       .samples = 480,
       .triggerLetter = 'Z',
       .hour = 6,
       .minute = 30,
       .channels = {{SignalId::kWarmUpTemperature, "Oeltemperatur", kCelsius, 100.0F},
                    {SignalId::kWarmUpPressureDrop, "Druckabfall", kBar, 25.0F},
                    {SignalId::kWarmUpFlow, "Volumenstrom", kFlow, 60.0F}}},
      // Started by hand.
      {.name = "Maschinenzyklus",
       .intervalMs = 20,
       .samples = 3000,
       .triggerLetter = 'M',
       .hour = 11,
       .minute = 5,
       .channels = {{SignalId::kCyclePressureP, "Druck P", kBar, 400.0F},
                    {SignalId::kCycleFlow, "Volumenstrom", kFlow, 60.0F},
                    {SignalId::kCycleOilTemperature, "Oeltemperatur", kCelsius, 100.0F},
                    {SignalId::kCycleSpeed, "Drehzahl", kSpeed, 3000.0F},
                    {SignalId::kCyclePressureB, "Druck B", kPsi, 6000.0F},
                    {SignalId::kCycleTankLine, "Tankleitung", kMillibar, 2000.0F}}},
  };
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
