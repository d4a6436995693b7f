// The simulated instrument's demonstration measurements checked for their physics: set
// points reached, ripple amplitude, monotone warm-up, plausible sample spans, and the same
// curves for the same seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "DemoScenarios.h"
#include "SimMeasurements.h"
#include "instrument/BlockProtocol.h"

namespace vantrel::sim {
namespace {

using Curve = std::vector<PhysicalSample>;

Scenario Named(const std::string& name) {
  const std::vector<Scenario> scenarios = DemoScenarios();
  const auto it = std::find_if(scenarios.begin(), scenarios.end(),
                               [&name](const Scenario& s) { return s.name == name; });
  if (it == scenarios.end()) throw std::runtime_error("no scenario " + name);
  return *it;
}

/// Mean of the values of the samples in [from, to) seconds.
double MeanValue(const Curve& curve, double interval, double from, double to) {
  double sum = 0.0;
  int count = 0;
  for (std::size_t i = 0; i < curve.size(); ++i) {
    const double t = interval * static_cast<double>(i);
    if (t < from || t >= to) continue;
    sum += curve[i].value;
    ++count;
  }
  return count > 0 ? sum / count : 0.0;
}

double Highest(const Curve& curve, std::size_t from = 0, std::size_t to = SIZE_MAX) {
  double high = -1e9;
  for (std::size_t i = from; i < std::min(to, curve.size()); ++i)
    high = std::max(high, curve[i].maximum);
  return high;
}

double Interval(const Scenario& s) { return s.intervalMs * 0.001; }

TEST(DemoScenarios, EveryScenarioFitsTheInstrumentAndItsSamplesAreOrdered) {
  int fewestChannels = 6;
  int mostChannels = 1;
  int shortest = 65535;
  int longest = 0;
  for (const Scenario& scenario : DemoScenarios()) {
    SCOPED_TRACE(scenario.name);
    EXPECT_LE(scenario.name.size(), 15U);
    EXPECT_EQ(scenario.name.find_first_not_of(instrument::kNameAlphabet), std::string::npos);
    const int channels = static_cast<int>(scenario.channels.size());
    ASSERT_GE(channels, 1);
    ASSERT_LE(channels, instrument::kMaxChannels);
    fewestChannels = std::min(fewestChannels, channels);
    mostChannels = std::max(mostChannels, channels);
    shortest = std::min(shortest, scenario.samples);
    longest = std::max(longest, scenario.samples);
    const auto curves = ScenarioCurves(scenario, 1);
    for (std::size_t c = 0; c < curves.size(); ++c) {
      const ScenarioChannel& channel = scenario.channels[c];
      SCOPED_TRACE(channel.name);
      EXPECT_LE(channel.name.size(), 15U);
      EXPECT_EQ(channel.name.find_first_not_of(instrument::kNameAlphabet), std::string::npos);
      EXPECT_EQ(channel.unit.size(), 5U);
      ASSERT_EQ(curves[c].size(), static_cast<std::size_t>(scenario.samples));
      for (std::size_t i = 0; i < curves[c].size(); ++i) {
        const PhysicalSample& s = curves[c][i];
        ASSERT_LE(s.minimum, s.value) << i;
        ASSERT_LE(s.value, s.maximum) << i;
        ASSERT_GE(s.minimum, SignalFloor(channel.signal)) << i;
        // Within the sensor's range, and a span a sensor would see, not the whole range.
        ASSERT_LE(s.maximum, channel.sensorRange) << i;
        ASSERT_LT(s.maximum - s.minimum, 0.35 * channel.sensorRange) << i;
      }
    }
  }
  EXPECT_EQ(fewestChannels, 1);
  EXPECT_EQ(mostChannels, 6);
  EXPECT_LT(shortest, 1000);
  EXPECT_GE(longest, 50000);
}

TEST(DemoScenarios, TheSameSeedGivesTheSameCurvesAndAnotherSeedOtherNoise) {
  const Scenario scenario = Named("Zylindertest");
  const auto first = ScenarioCurves(scenario, 7);
  const auto again = ScenarioCurves(scenario, 7);
  const auto other = ScenarioCurves(scenario, 8);
  int differing = 0;
  for (std::size_t i = 0; i < first[0].size(); ++i) {
    ASSERT_EQ(first[0][i].value, again[0][i].value);
    ASSERT_EQ(first[0][i].minimum, again[0][i].minimum);
    ASSERT_EQ(first[0][i].maximum, again[0][i].maximum);
    if (first[0][i].value != other[0][i].value) ++differing;
    // The noise is small beside the signal.
    ASSERT_NEAR(first[0][i].value, other[0][i].value, 3.0);
  }
  EXPECT_GT(differing, 2000);
  EXPECT_EQ(DemoMeasurements(3)[1].channels[2].samples, DemoMeasurements(3)[1].channels[2].samples);
}

TEST(DemoScenarios, CylinderTestRisesToTheSetPointWithOvershootHoldsWithRippleAndReleases) {
  const Scenario s = Named("Zylindertest");
  const Curve curve = ScenarioCurves(s, 1)[0];
  const double dt = Interval(s);
  EXPECT_NEAR(MeanValue(curve, dt, 0.0, 1.5), 5.0, 1.0);
  const double peak = Highest(curve, 200, 600);  // 2..6 s
  EXPECT_GT(peak, 265.0);
  EXPECT_LT(peak, 300.0);
  EXPECT_NEAR(MeanValue(curve, dt, 8.0, 23.0), kReliefSetPoint, 2.0);
  // Relief-valve ripple: every sample of the hold spans about twice its 3.5 bar amplitude.
  for (std::size_t i = 800; i < 2300; ++i) {
    const double span = curve[i].maximum - curve[i].minimum;
    ASSERT_GT(span, 6.0) << i;
    ASSERT_LT(span, 9.0) << i;
  }
  EXPECT_NEAR(MeanValue(curve, dt, 28.0, 30.0), 5.0, 1.0);
}

TEST(DemoScenarios, PumpFlowFallsStepByStepAsThePressureIsRaisedAtAboutRatedSpeed) {
  const Scenario s = Named("Pumpenkennlinie");
  const auto curves = ScenarioCurves(s, 1);
  const double dt = Interval(s);
  const double setPoints[] = {10.0, 50.0, 100.0, 150.0, 200.0, 250.0};
  double lastFlow = 1e9;
  for (int step = 0; step < 6; ++step) {
    SCOPED_TRACE(step);
    const double from = 50.0 * step + 10.0;
    const double to = 50.0 * step + 49.0;
    EXPECT_NEAR(MeanValue(curves[2], dt, from, to), setPoints[step], 1.0);
    const double speed = MeanValue(curves[0], dt, from, to);
    EXPECT_GT(speed, 1440.0);
    EXPECT_LT(speed, 1485.0);
    const double flow = MeanValue(curves[1], dt, from, to);
    EXPECT_LT(flow, lastFlow - 1.0);
    lastFlow = flow;
  }
  // Speed ripple of a few U/min is visible; the oil warms slowly and never cools.
  const double speedSpan = curves[0][1000].maximum - curves[0][1000].minimum;
  EXPECT_GT(speedSpan, 1.5);
  EXPECT_LT(speedSpan, 20.0);
  for (std::size_t i = 1; i < curves[3].size(); ++i) {
    ASSERT_GE(curves[3][i].value, curves[3][i - 1].value) << i;
  }
  EXPECT_GT(curves[3].back().value - curves[3].front().value, 3.0);
}

TEST(DemoScenarios, ValveSwitchingGivesRingingPeaksOnASteadyBaseInBothCircuits) {
  const Scenario s = Named("Schaltspitzen");
  const auto curves = ScenarioCurves(s, 1);
  const double dt = Interval(s);
  const double bases[] = {80.0, 60.0};
  for (std::size_t c = 0; c < 2; ++c) {
    SCOPED_TRACE(c);
    EXPECT_NEAR(MeanValue(curves[c], dt, 0.0, 0.45), bases[c], 1.0);
    // Circuit A peaks after the switches at 0.5 and 2.5 s, circuit B after 1.5 and 3.5 s.
    const std::size_t peakStart = c == 0 ? 500 : 1500;
    EXPECT_GT(Highest(curves[c], peakStart, peakStart + 100), bases[c] + 80.0);
    // Settled again before the next switch.
    EXPECT_NEAR(MeanValue(curves[c], dt, peakStart * dt + 0.6, peakStart * dt + 0.95), bases[c],
                1.5);
    for (const PhysicalSample& sample : curves[c]) ASSERT_GT(sample.minimum, 0.0);
  }
}

TEST(DemoScenarios, WarmUpApproachesItsEndTemperatureWhileThePressureDropFalls) {
  const Scenario s = Named("Warmlauf");
  const auto curves = ScenarioCurves(s, 1);
  const Curve& temperature = curves[0];
  const Curve& drop = curves[1];
  EXPECT_NEAR(temperature.front().value, 20.0, 0.5);
  EXPECT_GT(temperature.back().value, 53.0);
  EXPECT_LE(temperature.back().value, 55.0);
  for (std::size_t i = 1; i < temperature.size(); ++i) {
    ASSERT_GE(temperature[i].value, temperature[i - 1].value) << i;
  }
  // First order: two thirds of the way after one time constant (600 s).
  const double atTau = MeanValue(temperature, Interval(s), 595.0, 605.0);
  EXPECT_NEAR((atTau - 20.0) / 35.0, 0.632, 0.02);
  // The pressure drop falls with the viscosity: each tenth of the run lower than the last.
  const double tenth = ScenarioSeconds(s) / 10.0;
  double last = 1e9;
  for (int k = 0; k < 10; ++k) {
    const double mean = MeanValue(drop, Interval(s), k * tenth, (k + 1) * tenth);
    EXPECT_LT(mean, last) << k;
    last = mean;
  }
  EXPECT_GT(drop.front().value, 3.0 * drop.back().value);
}

TEST(DemoScenarios, GeneratedMeasurementsTakeTheDemonstrationSignalsInTurn) {
  const std::vector<ScenarioChannel> signals = DemoSignals();
  const auto measurements = GenerateMeasurements(3, 5, 40, 1);
  ASSERT_EQ(measurements.size(), 3U);
  std::size_t next = 0;
  for (const SimMeasurement& m : measurements) {
    ASSERT_EQ(m.channels.size(), 5U);
    for (const SimChannel& channel : m.channels) {
      const ScenarioChannel& expected = signals[next++ % signals.size()];
      EXPECT_EQ(channel.name, expected.name);
      EXPECT_EQ(channel.unit, expected.unit);
      EXPECT_EQ(channel.sensorRange, expected.sensorRange);
      ASSERT_EQ(channel.samples.size(), 40U);
      for (const auto& [low, high] : channel.samples) {
        ASSERT_LE(low, high);
        ASSERT_LE(high, 15000);
        ASSERT_GE(low, -15000);
      }
    }
  }
  EXPECT_EQ(measurements[0].name, "Messung 1");
}

}  // namespace
}  // namespace vantrel::sim
