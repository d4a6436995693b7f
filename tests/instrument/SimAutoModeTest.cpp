// The simulated instrument's automatic mode: one simulator serves the block readout and the
// field-format online recording on the same terminal, and a host that opens the port again
// ends a stream that nobody reads any more.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SimHarness.h"
#include "instrument/CInstrumentLink.h"
#include "FakeTexts.h"

namespace vantrel::instrument {
namespace {

using testing::ScriptedMessages;
using sim::SimHarness;

int ReadAll(CInstrumentLink& link, ScriptedMessages& messages) {
  ReadoutList list(&messages);
  if (!link.Open(0)) return -1;
  const int count = link.ReadMemory(list, {});
  link.Close();
  return count;
}

int RecordSets(CInstrumentLink& link, int milliseconds) {
  model::CMessungObj measurement;
  if (!link.Open(0) || !link.StartOnline(measurement, {})) return -1;
  measurement.SetOnlineActive(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
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
  EXPECT_GT(RecordSets(link, 500), 10);
  // The stream of the recording above ran on while the port was closed: opening the port
  // again ends it, so the readout starts on a quiet line.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(ReadAll(link, messages), 3);
  EXPECT_GT(RecordSets(link, 400), 10);
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_GT(harness.Statistics().onlineSetsSent, 20U);
}

}  // namespace
}  // namespace vantrel::instrument
