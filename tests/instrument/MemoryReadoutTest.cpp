// Memory readout against the simulated instrument over a real pseudo-terminal: both
// protocols, check-byte faults, retries, silence, garbage, oversized headers and cancel.
#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "SimHarness.h"
#include "instrument/BlockProtocol.h"
#include "instrument/CInstrumentLink.h"
#include "instrument/MemoryReadout.h"
#include "platform/Strings.h"

namespace vantrel::instrument {
namespace {

using sim::SimHarness;
using testing::ScriptedMessages;

class RecordingObserver final : public TransferObserver {
 public:
  void PumpMessages() override {
    ++pumps;
    if (cancelAfterPumps > 0 && pumps == cancelAfterPumps) link->RequestCancel();
  }
  void SetProgressRange(int low, int high) override { range = high - low; }
  void AdvanceProgress() override { ++advanced; }
  void ShowRunningNumber(int number) override { numbers.push_back(number); }

  CInstrumentLink* link = nullptr;
  int cancelAfterPumps = 0;
  int pumps = 0;
  int range = 0;
  int advanced = 0;
  std::vector<int> numbers;
};

struct Readout {
  int result = -1;
  ReadoutList list;
  ScriptedMessages messages;
  RecordingObserver observer;
  sim::SimStatistics statistics;
};

/// Runs a whole readout against a simulator with `options`.
std::unique_ptr<Readout> RunReadout(sim::SimOptions options, int variant = 0,
                                    int cancelAfterPumps = 0, AxisSettings settings = {}) {
  auto readout = std::make_unique<Readout>();
  SimHarness harness(std::move(options));
  EXPECT_TRUE(harness.Ready());
  CInstrumentLink link(&readout->messages);
  link.SetPortSettings(harness.Path(), 38400);
  readout->observer.link = &link;
  readout->observer.cancelAfterPumps = cancelAfterPumps;
  link.SetObserver(&readout->observer);
  EXPECT_TRUE(link.Open(variant));
  readout->result = link.ReadMemory(readout->list, settings);
  readout->list.KeepFirst(readout->result);
  link.Close();
  readout->statistics = harness.Statistics();
  return readout;
}

sim::SimOptions BlockOptions(int count, int channels, int samples) {
  sim::SimOptions options;
  options.measurements = sim::GenerateMeasurements(count, channels, samples, 7);
  return options;
}

void ExpectSameCurve(const model::CKurveObj& a, const model::CKurveObj& b) {
  EXPECT_EQ(a.GetName(), b.GetName());
  EXPECT_EQ(a.GetUnitCode(), b.GetUnitCode());
  EXPECT_EQ(a.GetUnitText(), b.GetUnitText());
  EXPECT_EQ(a.GetSensorRange(), b.GetSensorRange());
  EXPECT_EQ(a.GetStartTime(), b.GetStartTime());
  EXPECT_EQ(a.GetDuration(), b.GetDuration());
  EXPECT_EQ(a.GetSampleInterval(), b.GetSampleInterval());
  EXPECT_EQ(a.GetTriggerMode(), b.GetTriggerMode());
  EXPECT_EQ(a.GetTriggerChannel(), b.GetTriggerChannel());
  EXPECT_EQ(a.GetTriggerLevel(), b.GetTriggerLevel());
  EXPECT_EQ(a.GetTriggerEdge(), b.GetTriggerEdge());
  EXPECT_EQ(a.GetPretrigger(), b.GetPretrigger());
  EXPECT_EQ(a.GetSourceNumber(), b.GetSourceNumber());
  EXPECT_EQ(a.GetChannelNumber(), b.GetChannelNumber());
  EXPECT_EQ(a.GetRecordingKind(), b.GetRecordingKind());
  EXPECT_EQ(a.GetOrigin(), b.GetOrigin());
  EXPECT_EQ(a.GetPeakValue(), b.GetPeakValue());
  EXPECT_EQ(a.GetColor(), b.GetColor());
  EXPECT_EQ(a.GetAxisIndex(), b.GetAxisIndex());
  EXPECT_EQ(a.GetDrawOrder(), b.GetDrawOrder());
  ASSERT_EQ(a.GetSampleCount(), b.GetSampleCount());
  for (long long i = 0; i < a.GetSampleCount(); ++i) {
    EXPECT_EQ(a.GetSample(i)->minimum, b.GetSample(i)->minimum);
    EXPECT_EQ(a.GetSample(i)->maximum, b.GetSample(i)->maximum);
  }
}

void ExpectSameMeasurements(ReadoutList& a, ReadoutList& b) {
  ASSERT_EQ(a.Count(), b.Count());
  for (int m = 0; m < a.Count(); ++m) {
    const model::CMessungObj& x = *a.At(m);
    const model::CMessungObj& y = *b.At(m);
    EXPECT_EQ(x.GetName(), y.GetName());
    EXPECT_EQ(x.GetStorageNumber(), y.GetStorageNumber());
    EXPECT_EQ(x.GetXAxis().GetMax(), y.GetXAxis().GetMax());
    EXPECT_EQ(x.GetXAxis().GetUnit(nullptr), y.GetXAxis().GetUnit(nullptr));
    ASSERT_EQ(x.GetYAxisCount(), y.GetYAxisCount());
    for (int i = 0; i < x.GetYAxisCount(); ++i) {
      EXPECT_EQ(x.GetYAxis(i)->GetMin(), y.GetYAxis(i)->GetMin());
      EXPECT_EQ(x.GetYAxis(i)->GetMax(), y.GetYAxis(i)->GetMax());
      EXPECT_EQ(x.GetYAxis(i)->GetUnit(nullptr), y.GetYAxis(i)->GetUnit(nullptr));
    }
    ASSERT_EQ(x.GetCurveCount(), y.GetCurveCount());
    for (int c = 0; c < x.GetCurveCount(); ++c) ExpectSameCurve(*x.GetCurve(c), *y.GetCurve(c));
  }
}

TEST(MemoryReadout, BlockReadoutBuildsEveryStoredMeasurement) {
  const sim::SimOptions options = BlockOptions(3, 3, 50);
  const auto readout = RunReadout(options);
  EXPECT_EQ(readout->result, 3);
  EXPECT_TRUE(readout->messages.asked.empty());
  EXPECT_EQ(readout->observer.range, 9);
  EXPECT_EQ(readout->observer.advanced, 9);
  EXPECT_EQ(readout->observer.numbers, (std::vector<int>{1, 2, 3}));
  ASSERT_EQ(readout->list.Count(), 3);
  for (int m = 0; m < 3; ++m) {
    const sim::SimMeasurement& stored = options.measurements[static_cast<std::size_t>(m)];
    model::CMessungObj& measurement = *readout->list.At(m);
    EXPECT_EQ(measurement.GetName(), platform::FromUtf8(stored.name));
    EXPECT_EQ(measurement.GetStorageNumber(), m + 1);
    ASSERT_EQ(measurement.GetCurveCount(), 3);
    for (int c = 0; c < 3; ++c) {
      const sim::SimChannel& channel = stored.channels[static_cast<std::size_t>(c)];
      const model::CKurveObj& curve = *measurement.GetCurve(c);
      EXPECT_EQ(curve.GetName(), platform::FromUtf8(channel.name));
      EXPECT_EQ(curve.GetColor(), PaletteColor(c));
      EXPECT_EQ(curve.GetSampleInterval(), stored.intervalMs * 0.001);
      ASSERT_EQ(curve.GetSampleCount(), 50);
      for (std::size_t s = 0; s < 50; ++s) {
        EXPECT_EQ(curve.GetSample(static_cast<long long>(s))->minimum,
                  static_cast<float>(channel.samples[s].first) * channel.sensorRange * kRawScale);
      }
    }
  }
}

TEST(MemoryReadout, ReadoutWithOneCheckFaultGivesTheSameMeasurementsAsACleanReadout) {
  const auto clean = RunReadout(BlockOptions(3, 4, 40));
  sim::SimOptions faulty = BlockOptions(3, 4, 40);
  faulty.badCheckSends = {2};
  const auto retried = RunReadout(faulty);
  EXPECT_EQ(retried->result, 3);
  EXPECT_EQ(retried->statistics.rejected, 1);
  EXPECT_TRUE(retried->messages.asked.empty());
  ExpectSameMeasurements(clean->list, retried->list);
}

TEST(MemoryReadout, RecoverableFaultsAreRetriedUntilTheMeasurementArrivesIntact) {
  struct Case {
    const char* name;
    void (*apply)(sim::SimOptions&);
  };
  const Case cases[] = {
      {"seven channels announced", [](sim::SimOptions& o) { o.sevenChannelSends = {1}; }},
      {"silence mid-measurement", [](sim::SimOptions& o) { o.silenceAfterBytes = 4 + 100; }},
      {"two garbage start answers", [](sim::SimOptions& o) { o.garbageStarts = 2; }},
      {"three check faults in a row",
       [](sim::SimOptions& o) {
         o.badCheckSends = {1, 2, 3};
       }},
  };
  const auto clean = RunReadout(BlockOptions(2, 2, 30));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::SimOptions options = BlockOptions(2, 2, 30);
    c.apply(options);
    const auto readout = RunReadout(options);
    EXPECT_EQ(readout->result, 2);
    EXPECT_TRUE(readout->messages.asked.empty());
    ExpectSameMeasurements(clean->list, readout->list);
  }
}

TEST(MemoryReadout, FourthFailureInARowEndsWithTheCompletedMeasurements) {
  struct Case {
    const char* name;
    void (*apply)(sim::SimOptions&);
    int result;
  };
  const Case cases[] = {
      {"check faults",
       [](sim::SimOptions& o) {
         o.badCheckSends = {2, 3, 4, 5};
       },
       1},
      {"instrument falls silent", [](sim::SimOptions& o) { o.muteAfterBytes = 4 + 100; }, 0},
      {"three garbage start answers", [](sim::SimOptions& o) { o.garbageStarts = 3; }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::SimOptions options = BlockOptions(3, 2, 30);
    c.apply(options);
    const auto readout = RunReadout(options);
    EXPECT_EQ(readout->result, c.result);
    EXPECT_EQ(readout->list.Count(), c.result);
    EXPECT_EQ(readout->messages.asked, std::vector<int>{kMsgTransferFailed});
  }
}

TEST(MemoryReadout, CancelEndsWithTheCompletedMeasurementsAndNoMessage) {
  // Each measurement of 2 channels x 20 samples pumps 2 + 2 + 40 times.
  for (const int pumps : {3, 44 + 10, 44 + 44 + 1}) {
    SCOPED_TRACE(pumps);
    const auto readout = RunReadout(BlockOptions(3, 2, 20), 0, pumps);
    EXPECT_EQ(readout->result, (pumps - 1) / 44);
    EXPECT_TRUE(readout->messages.asked.empty());
  }
}

TEST(MemoryReadout, EmptyNameBecomesNrWithTheRunningNumber) {
  sim::SimOptions options = BlockOptions(2, 1, 3);
  options.measurements[1].name = "";
  options.measurements[1].channels[0].number = kDerivedChannel;
  options.measurements[1].intervalMs = 0;
  const auto readout = RunReadout(options);
  ASSERT_EQ(readout->result, 2);
  EXPECT_EQ(readout->list.At(1)->GetName(), u"Nr_2");
  const model::CKurveObj& curve = *readout->list.At(1)->GetCurve(0);
  EXPECT_EQ(curve.GetChannelNumber(), 2);
  EXPECT_EQ(curve.GetOrigin(), model::kOriginSpecial);
  EXPECT_EQ(curve.GetSampleInterval(), 0.001);
}

TEST(MemoryReadout, EmptyInstrumentMemoryTransfersNothing) {
  const auto readout = RunReadout(BlockOptions(0, 1, 1));
  EXPECT_EQ(readout->result, 0);
  EXPECT_TRUE(readout->messages.asked.empty());
}

TEST(MemoryReadout, LegacyReadoutScalesSampleGroupsPerChannel) {
  sim::SimOptions options;
  options.mode = sim::SimMode::kLegacy;
  // 5 samples of 3 channels: two full chunks and a short final chunk with the end marker.
  options.legacyMeasurements = sim::GenerateLegacyMeasurements(2, 3, 5, 3);
  const auto readout = RunReadout(options, 1);
  ASSERT_EQ(readout->result, 2) << readout->messages.asked.size() << " pumps "
                                << readout->observer.pumps << " range " << readout->observer.range;
  EXPECT_EQ(readout->observer.range, 4);
  for (int m = 0; m < 2; ++m) {
    const auto& stored = options.legacyMeasurements[static_cast<std::size_t>(m)];
    model::CMessungObj& measurement = *readout->list.At(m);
    EXPECT_EQ(measurement.GetName(), m == 0 ? u"Nr_1" : u"Nr_2");
    ASSERT_EQ(measurement.GetCurveCount(), 3);
    for (int c = 0; c < 3; ++c) {
      const auto& channel = stored.channels[static_cast<std::size_t>(c)];
      const LegacyChannelType type = ClassifyLegacyChannel(channel.type, channel.rangeCode);
      const model::CKurveObj& curve = *measurement.GetCurve(c);
      ASSERT_EQ(curve.GetSampleCount(), 5);
      EXPECT_EQ(curve.GetChannelNumber(), c + 1);
      EXPECT_EQ(curve.GetTriggerInPercent(), 1);
      for (std::size_t s = 0; s < 5; ++s) {
        const int raw = channel.samples[s].first + 32768;
        const std::uint8_t group[4] = {static_cast<std::uint8_t>(raw),
                                       static_cast<std::uint8_t>(raw >> 8), 0, 0x80};
        float minimum = 0.0F;
        float maximum = 0.0F;
        ScaleLegacyGroup(group, type, &minimum, &maximum);
        EXPECT_EQ(curve.GetSample(static_cast<long long>(s))->minimum, minimum);
      }
    }
  }
}

TEST(MemoryReadout, LegacySwappedChannelPairDoesNotSwapTheNextMeasurement) {
  sim::SimOptions options;
  options.mode = sim::SimMode::kLegacy;
  options.legacyMeasurements = sim::GenerateLegacyMeasurements(2, 3, 4, 5);
  auto& swapped = options.legacyMeasurements[0];
  swapped.channelMode = 1;  // channel 2 is left out, channels 1 and 3 come swapped
  auto& plain = options.legacyMeasurements[1];
  plain.channels.pop_back();  // two channels, mode 0
  const auto readout = RunReadout(options, 1);
  ASSERT_EQ(readout->result, 2);
  const model::CMessungObj& first = *readout->list.At(0);
  ASSERT_EQ(first.GetCurveCount(), 2);
  EXPECT_EQ(first.GetCurve(0)->GetOrigin(), model::kOriginSpecial);
  EXPECT_EQ(first.GetCurve(1)->GetChannelNumber(), 3);
  const LegacyChannelType third = ClassifyLegacyChannel(3, swapped.channels[2].rangeCode);
  const int raw = swapped.channels[2].samples[0].second + 32768;
  const std::uint8_t group[4] = {0, 0x80, static_cast<std::uint8_t>(raw),
                                 static_cast<std::uint8_t>(raw >> 8)};
  float minimum = 0.0F;
  float maximum = 0.0F;
  ScaleLegacyGroup(group, third, &minimum, &maximum);
  EXPECT_EQ(first.GetCurve(1)->GetSample(0)->maximum, maximum);
  // The second measurement keeps its channels in order.
  const model::CMessungObj& second = *readout->list.At(1);
  const LegacyChannelType firstType = ClassifyLegacyChannel(1, plain.channels[0].rangeCode);
  const int raw2 = plain.channels[0].samples[0].second + 32768;
  const std::uint8_t group2[4] = {0, 0x80, static_cast<std::uint8_t>(raw2),
                                  static_cast<std::uint8_t>(raw2 >> 8)};
  ScaleLegacyGroup(group2, firstType, &minimum, &maximum);
  EXPECT_EQ(second.GetCurve(0)->GetSample(0)->maximum, maximum);
}

TEST(MemoryReadout, LegacyWrongStartAnswerFailsWithMessage) {
  // A block-protocol instrument answers "*" with "/AN", not the legacy start answer.
  const auto readout = RunReadout(BlockOptions(1, 1, 1), 1);
  EXPECT_EQ(readout->result, 0);
  EXPECT_EQ(readout->messages.asked, std::vector<int>{kMsgTransferFailed});
}

}  // namespace
}  // namespace vantrel::instrument
