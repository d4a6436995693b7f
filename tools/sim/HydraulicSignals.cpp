// Time functions of the simulated hydraulic signals.
#include "HydraulicSignals.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "SignalShapes.h"

namespace vantrel::sim {
namespace {

constexpr double kBarToPsi = 14.5038;

// Cylinder test: start of the pressure rise and of the release, seconds.
constexpr double kCylinderRise = 2.0;
constexpr double kCylinderRelease = 24.0;
constexpr double kCylinderBase = 5.0;

// Pump characteristic: load pressure steps.
constexpr std::array<double, 6> kPumpSteps = {10.0, 50.0, 100.0, 150.0, 200.0, 250.0};
constexpr double kPumpStepSeconds = 50.0;

// Valve switching: first switch and the spacing of the switches, seconds.
constexpr double kValveFirstSwitch = 0.5;
constexpr double kValveSwitchSpacing = 1.0;
constexpr int kValveSwitches = 8;

double Sine(double hertz, double t) { return std::sin(2.0 * std::numbers::pi * hertz * t); }

double CylinderPressure(double t) {
  const double rise = SecondOrderStep(t - kCylinderRise, 1.5, 0.55);
  const double release = t < kCylinderRelease ? 1.0 : std::exp(-(t - kCylinderRelease) / 0.35);
  return kCylinderBase + (kReliefSetPoint - kCylinderBase) * rise * release;
}

double PumpPressure(double t) {
  double pressure = kPumpSteps[0];
  for (std::size_t k = 1; k < kPumpSteps.size(); ++k) {
    const double start = kPumpStepSeconds * static_cast<double>(k);
    pressure += (kPumpSteps[k] - kPumpSteps[k - 1]) * SecondOrderStep(t - start, 2.0, 0.7);
  }
  return pressure;
}

// An induction motor slows a little under load.
double PumpSpeed(double t) { return 1480.0 - 0.12 * PumpPressure(t); }

// Displacement flow less the leakage, which grows with the pressure.
double PumpFlow(double t) { return 66.5 * PumpSpeed(t) / 1480.0 - 0.03 * PumpPressure(t); }

// Switch k (0-based) turns circuit A on when k is even, circuit B when it is odd. The switched
// circuit sees a spike, the other a dip; both ring and settle on their base.
double ValvePressure(double t, bool circuitA) {
  const double base = circuitA ? 80.0 : 60.0;
  double pressure = base;
  for (int k = 0; k < kValveSwitches; ++k) {
    const double since = t - kValveFirstSwitch - kValveSwitchSpacing * k;
    if (since <= 0.0) break;
    const bool towardsA = k % 2 == 0;
    if (towardsA == circuitA) {
      pressure +=
          (circuitA ? 135.0 : 120.0) * DampedRinging(since, circuitA ? 38.0 : 44.0, 0.06, 0.4);
    } else {
      pressure -= 25.0 * DampedRinging(since, circuitA ? 52.0 : 47.0, 0.05, 0.5);
    }
  }
  return pressure;
}

double WarmUpTemperature(double t) { return 55.0 - 35.0 * std::exp(-std::max(t, 0.0) / 600.0); }

double WarmUpFlow(double t) { return 41.5 - 0.03 * (WarmUpTemperature(t) - 20.0); }

// Kinematic viscosity of an ISO VG 46 oil (mm^2/s) near its 40 degree point.
double Viscosity(double celsius) { return 46.0 * std::exp(-0.0556 * (celsius - 40.0)); }

// Pressure drop over filter and lines: a laminar part proportional to viscosity and flow.
double WarmUpPressureDrop(double t) {
  return 0.11 * Viscosity(WarmUpTemperature(t)) * WarmUpFlow(t) / 40.0 + 1.2;
}

double CycleTime(double t) { return std::fmod(std::max(t, 0.0), kMachineCyclePeriod); }

double CyclePressureP(double t) {
  const double c = CycleTime(t);
  return 8.0 + 52.0 * SecondOrderStep(c - 1.0, 6.0, 0.35) +
         190.0 * SecondOrderStep(c - 5.0, 4.0, 0.5) - 220.0 * SecondOrderStep(c - 7.0, 5.0, 0.6) -
         22.0 * FirstOrderStep(c - 10.0, 0.3);
}

double CycleFlow(double t) {
  const double c = CycleTime(t);
  return 40.0 * (FirstOrderStep(c - 1.0, 0.1) - FirstOrderStep(c - 5.0, 0.08) +
                 FirstOrderStep(c - 7.0, 0.1) - FirstOrderStep(c - 10.0, 0.08));
}

double CyclePressureBBar(double t) {
  const double c = CycleTime(t);
  return 3.0 + 12.0 * (FirstOrderStep(c - 1.0, 0.1) - FirstOrderStep(c - 5.0, 0.1)) +
         87.0 * SecondOrderStep(c - 7.0, 5.0, 0.45) - 87.0 * FirstOrderStep(c - 10.0, 0.3);
}

}  // namespace

double SignalFloor(SignalId id) {
  switch (id) {
    case SignalId::kCylinderPressure:
    case SignalId::kPumpPressure:
    case SignalId::kValvePressureA:
    case SignalId::kValvePressureB:
    case SignalId::kCyclePressureP:
      return -1.0;
    case SignalId::kCyclePressureB:
      return -kBarToPsi;
    case SignalId::kCycleTankLine:
      return -1000.0;
    default:
      return 0.0;
  }
}

double SignalValue(SignalId id, double t) {
  switch (id) {
    case SignalId::kCylinderPressure:
      return CylinderPressure(t);
    case SignalId::kPumpSpeed:
      return PumpSpeed(t);
    case SignalId::kPumpFlow:
      return PumpFlow(t);
    case SignalId::kPumpPressure:
      return PumpPressure(t);
    case SignalId::kPumpOilTemperature:
      return 38.0 + 9.0 * FirstOrderStep(t, 400.0);
    case SignalId::kValvePressureA:
      return ValvePressure(t, true);
    case SignalId::kValvePressureB:
      return ValvePressure(t, false);
    case SignalId::kWarmUpTemperature:
      return WarmUpTemperature(t);
    case SignalId::kWarmUpPressureDrop:
      return WarmUpPressureDrop(t);
    case SignalId::kWarmUpFlow:
      return WarmUpFlow(t);
    case SignalId::kCyclePressureP:
      return CyclePressureP(t);
    case SignalId::kCycleFlow:
      return CycleFlow(t);
    case SignalId::kCycleOilTemperature:
      return 45.0 + 5.0 * FirstOrderStep(t, 900.0);
    case SignalId::kCycleSpeed:
      return 1480.0 - 0.12 * CyclePressureP(t);
    case SignalId::kCyclePressureB:
      return kBarToPsi * CyclePressureBBar(t);
    case SignalId::kCycleTankLine:
      return 350.0 + 14.0 * CycleFlow(t);
  }
  return 0.0;
}

double RippleAmplitude(SignalId id, double t) {
  switch (id) {
    case SignalId::kCylinderPressure: {
      // The relief valve chatters while it holds the set point.
      const double p = CylinderPressure(t);
      return p > kReliefSetPoint - 10.0 ? 3.5 : 0.3 + 0.004 * p;
    }
    case SignalId::kPumpSpeed:
      return 4.0;
    case SignalId::kPumpFlow:
      return 0.02 * PumpFlow(t);
    case SignalId::kPumpPressure:
      return 0.01 * PumpPressure(t);
    case SignalId::kValvePressureA:
    case SignalId::kValvePressureB:
      return 0.8;
    case SignalId::kWarmUpPressureDrop:
      return 0.15;
    case SignalId::kWarmUpFlow:
      return 0.4;
    case SignalId::kCyclePressureP: {
      const double p = CyclePressureP(t);
      return p > kReliefSetPoint - 10.0 ? 3.0 : 0.5 + 0.01 * p;
    }
    case SignalId::kCycleFlow:
      return 0.3 + 0.02 * CycleFlow(t);
    case SignalId::kCycleSpeed:
      return 4.0;
    case SignalId::kCyclePressureB:
      return kBarToPsi * (0.3 + 0.01 * CyclePressureBBar(t));
    case SignalId::kCycleTankLine:
      return 8.0 + 0.5 * CycleFlow(t);
    default:
      return 0.0;  // temperatures change slowly
  }
}

namespace {

/// Standard deviation-like spread of the sensor noise.
double NoiseSpread(SignalId id) {
  switch (id) {
    case SignalId::kCylinderPressure:
    case SignalId::kPumpPressure:
    case SignalId::kCyclePressureP:
      return 0.4;
    case SignalId::kValvePressureA:
    case SignalId::kValvePressureB:
      return 0.3;
    case SignalId::kPumpSpeed:
    case SignalId::kCycleSpeed:
      return 1.0;
    case SignalId::kPumpFlow:
    case SignalId::kCycleFlow:
    case SignalId::kWarmUpFlow:
      return 0.15;
    case SignalId::kWarmUpPressureDrop:
      return 0.05;
    case SignalId::kCyclePressureB:
      return 3.0;
    case SignalId::kCycleTankLine:
      return 4.0;
    default:
      return 0.0;
  }
}

/// Frequency of the ripple as the value of a sample sees it, Hz.
double RippleHertz(SignalId id) {
  switch (id) {
    case SignalId::kPumpSpeed:
    case SignalId::kCycleSpeed:
      return 24.6;  // once per shaft turn
    case SignalId::kCylinderPressure:
    case SignalId::kCyclePressureP:
      return 63.0;  // relief valve
    default:
      return 221.0;  // nine pistons per turn
  }
}

}  // namespace

PhysicalSample SampleSignal(SignalId id, double t, double interval, std::uint32_t seed,
                            std::uint64_t index) {
  constexpr int kSubSamples = 8;
  const auto stream = static_cast<std::uint32_t>(id);
  const double spread = NoiseSpread(id);
  double low = SignalValue(id, t);
  double high = low;
  for (int k = 1; k < kSubSamples; ++k) {
    const double value = SignalValue(id, t + interval * k / kSubSamples);
    low = std::min(low, value);
    high = std::max(high, value);
  }
  const double ripple = RippleAmplitude(id, t);
  // The ripple is fast: within an interval longer than a few of its periods the sample sees
  // its whole swing, within a short one only part of it.
  const double seen = std::min(1.0, interval * RippleHertz(id) * 2.0);
  PhysicalSample sample;
  sample.value = SignalValue(id, t) + ripple * Sine(RippleHertz(id), t) +
                 spread * Noise(seed, stream, 3 * index);
  sample.minimum = low - ripple * seen - spread * std::abs(Noise(seed, stream, 3 * index + 1));
  sample.maximum = high + ripple * seen + spread * std::abs(Noise(seed, stream, 3 * index + 2));
  const double floor = SignalFloor(id);
  sample.minimum = std::max(std::min(sample.minimum, sample.value), floor);
  sample.maximum = std::max(std::max(sample.maximum, sample.value), floor);
  sample.value = std::clamp(sample.value, sample.minimum, sample.maximum);
  return sample;
}

}  // namespace vantrel::sim
