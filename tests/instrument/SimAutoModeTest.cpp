// The simulated instrument's automatic mode: one simulator serves the block readout and the
// field-format online recording on the same terminal, and a host that opens the port again
// ends a stream that nobody reads any more.
#include <gtest/gtest.h>

#include <cstdint>

#include "FakeTexts.h"
#include "PollUntil.h"
#include "SimHarness.h"
#include "instrument/CInstrumentLink.h"

namespace vantrel::instrument {
namespace {

using sim::SimHarness;
using testing::ScriptedMessages;

int ReadAll(CInstrumentLink& link, ScriptedMessages& messages) {
  ReadoutList list(&messages);
  if (!link.Open(0)) return -1;
  const int count = link.ReadMemory(list, {});
  link.Close();
  return count;
}

/// Records until more than `sets` sample sets have arrived; returns how many there are.
int RecordSets(CInstrumentLink& link, long long sets) {
  model::CMessungObj measurement;
  if (!link.Open(0) || !link.StartOnline(measurement, {})) return -1;
  measurement.SetOnlineActive(1);
  testing::PollUntil(
      [&] {
        return measurement.GetCurveCount() > 0 && measurement.GetCurve(0)->GetSampleCount() > sets;
      },
      [&] { link.DrainOnline(); });
  link.StopOnline();
  link.Close();
  return measurement.GetCurveCount() > 0
             ? static_cast<int>(measurement.GetCurve(0)->GetSampleCount())
             : 0;
}

TEST(SimAutoMode, ServesReadoutAndOnlineRecordingInAnyOrderOnOneTerminal) {
  sim::SimOptions options;
  options.mode = sim::SimMode::kAuto;
  options.measurements = sim::GenerateMeasurements(3, 4, 50, 7);
  options.onlineChannels = 4;
  options.onlineRate = 200.0;
  options.intervalText = "0.005";
  SimHarness harness(options);
  ASSERT_TRUE(harness.Ready());
  ScriptedMessages messages;
  CInstrumentLink link(&messages);
  link.SetPortSettings(harness.Path(), 9600);

  EXPECT_EQ(ReadAll(link, messages), 3);
  EXPECT_GT(RecordSets(link, 10), 10);
  // The stream of the recording above runs on while the port is closed: opening the port
  // again ends it, so the readout starts on a quiet line.
  const std::uint64_t sentAtClose = harness.Statistics().onlineSetsSent;
  EXPECT_TRUE(
      testing::PollUntil([&] { return harness.Statistics().onlineSetsSent > sentAtClose + 5; }));
  EXPECT_EQ(ReadAll(link, messages), 3);
  EXPECT_GT(RecordSets(link, 25), 25);
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_GT(harness.Statistics().onlineSetsSent, 20U);
}

}  // namespace
}  // namespace vantrel::instrument
