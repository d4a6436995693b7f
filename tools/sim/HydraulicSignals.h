// The physical signals the simulated instrument measures: each a pure function of the time
// since its measurement began, in the unit of its sensor. A sample covers one sample
// interval and, like the instrument's, carries the smallest and largest value seen in it
// (pump and relief-valve ripple too fast for the interval widen that span) and the value at
// its start. Noise comes from the seed and the sample's index, so the same seed gives the same
// curves on every run.
#pragma once

#include <cstdint>

namespace vantrel::sim {

enum class SignalId {
  // Cylinder pressure test: 5 bar, rise to the 250 bar set point, hold, release.
  kCylinderPressure,
  // Pump characteristic: load pressure raised in six steps of 50 s.
  kPumpSpeed,
  kPumpFlow,
  kPumpPressure,
  kPumpOilTemperature,
  // Directional valve switching every second between two circuits.
  kValvePressureA,
  kValvePressureB,
  // Warm-up run of 40 minutes.
  kWarmUpTemperature,
  kWarmUpPressureDrop,
  kWarmUpFlow,
  // Machine cycle of 12 s: idle, extend, end stop on the relief valve, retract, idle.
  kCyclePressureP,
  kCycleFlow,
  kCycleOilTemperature,
  kCycleSpeed,
  kCyclePressureB,  // in PSI
  kCycleTankLine,   // in mbar
};
constexpr int kSignalCount = 16;

/// Samples of a signal are never below this (pressures cannot fall below vacuum, -1 bar).
double SignalFloor(SignalId id);

/// The signal's value at `t` seconds without ripple and noise.
double SignalValue(SignalId id, double t);

/// Half the peak-to-peak amplitude of the fast ripple at `t` (pump pulsation, relief valve).
double RippleAmplitude(SignalId id, double t);

struct PhysicalSample {
  double minimum = 0.0;
  double maximum = 0.0;
  double value = 0.0;
};

/// Sample number `index` covering [`t`, `t` + `interval`): minimum <= value <= maximum.
PhysicalSample SampleSignal(SignalId id, double t, double interval, std::uint32_t seed,
                            std::uint64_t index);

/// Length of the machine cycle in seconds.
constexpr double kMachineCyclePeriod = 12.0;
/// Set point of the relief valve in the cylinder test and the machine cycle, bar.
constexpr double kReliefSetPoint = 250.0;

}  // namespace vantrel::sim
