// Online recording over a real pseudo-terminal: both formats, the hand-over of sample sets to
// the owning thread, failures of the header and of the stream, and the cooperative stop.
#include <gtest/gtest.h>
#include <unistd.h>

#include "FakeTexts.h"
#include "OnlineStream.h"
#include "PollUntil.h"
#include "SimHarness.h"
#include "instrument/CInstrumentLink.h"
#include "instrument/OnlineRecorder.h"

namespace vantrel::instrument {
namespace {

using sim::SimHarness;
using testing::ScriptedMessages;

/// Drains the link like the chart timer does until `sets` sample sets have arrived, then stops.
void RecordSets(CInstrumentLink& link, const model::CMessungObj& measurement, long long sets) {
  EXPECT_TRUE(testing::PollUntil(
      [&] {
        return measurement.GetCurveCount() > 0 && measurement.GetCurve(0)->GetSampleCount() >= sets;
      },
      [&] { link.DrainOnline(); }));
  link.StopOnline();
}

/// Every curve holds the sample sets 0, 1, 2, ... in order, none missing.
void ExpectCompleteSequence(const model::CMessungObj& measurement, int channels) {
  ASSERT_EQ(measurement.GetCurveCount(), channels);
  const long long count = measurement.GetCurve(0)->GetSampleCount();
  EXPECT_GT(count, 10);
  for (int j = 0; j < channels; ++j) {
    const model::CKurveObj& curve = *measurement.GetCurve(j);
    ASSERT_EQ(curve.GetSampleCount(), count) << "channel " << j;
    for (long long i = 0; i < count; ++i) {
      const model::CValueObj& sample = *curve.GetSample(i);
      ASSERT_EQ(sample.value, static_cast<float>(i)) << "channel " << j << " set " << i;
      ASSERT_EQ(sample.maximum, static_cast<float>(i + j));
      ASSERT_EQ(sample.minimum, static_cast<float>(j) + 0.5F);
    }
  }
}

struct FormatCase {
  sim::SimMode mode;
  int variant;
  int channels;
};

TEST(OnlineRecorder, BothFormatsDeliverEverySampleSetInOrderAndStopKeepsThem) {
  for (const FormatCase& c : {FormatCase{sim::SimMode::kFieldFormat, 0, 6},
                              FormatCase{sim::SimMode::kLineFormat, 1, 3}}) {
    SCOPED_TRACE(c.variant);
    sim::SimOptions options;
    options.mode = c.mode;
    options.onlineChannels = c.channels;
    options.onlineRate = 2000.0;
    options.onlineCounting = true;
    options.intervalText = "0.0005";
    SimHarness harness(options);
    ASSERT_TRUE(harness.Ready());
    ScriptedMessages messages;
    CInstrumentLink link(&messages);
    link.SetPortSettings(harness.Path(), 38400);
    ASSERT_TRUE(link.Open(c.variant));
    model::CMessungObj measurement;
    ASSERT_TRUE(link.StartOnline(measurement, {0, 1}));
    measurement.SetOnlineActive(1);
    EXPECT_EQ(link.State(), kStateIdle);
    EXPECT_TRUE(link.OnlineRunning());
    RecordSets(link, measurement, 200);
    EXPECT_FALSE(link.OnlineRunning());
    EXPECT_EQ(measurement.GetOnlineActive(), 0);
    EXPECT_EQ(measurement.GetFormulaUpdatePending(), 1);
    EXPECT_TRUE(messages.asked.empty());
    ExpectCompleteSequence(measurement, c.channels);
    EXPECT_EQ(measurement.GetCurve(0)->GetSampleInterval(), 0.0005);
    EXPECT_EQ(measurement.GetCurve(0)->GetRecordingKind(), 0);
    EXPECT_GE(measurement.GetYAxisCount(), 1);
  }
}

/// A scripted instrument: the bytes it will answer are waiting when the start byte goes out.
class ScriptedPeerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    terminal_ = sim::PseudoTerminal::Open();
    ASSERT_NE(terminal_, nullptr);
    link_.SetPortSettings(terminal_->SlavePath(), 9600);
  }
  void Answer(const std::string& bytes) {
    ASSERT_EQ(::write(terminal_->MasterFd(), bytes.data(), bytes.size()),
              static_cast<ssize_t>(bytes.size()));
  }

  std::unique_ptr<sim::PseudoTerminal> terminal_;
  ScriptedMessages messages_;
  CInstrumentLink link_{&messages_};
  model::CMessungObj measurement_;
};

TEST_F(ScriptedPeerTest, StartIsRefusedWithMessageWhenTheHeaderIsWrong) {
  struct Case {
    const char* name;
    int variant;
    std::string answer;
  };
  std::string noTab = "a\r\nb\r\nc\r\nd\r\n";
  for (int i = 0; i < 10; ++i) noTab += " 1   bar\r\n";
  const Case cases[] = {
      {"wrong start answer", 1, "\x02\r\nXX"},
      {"header line too long", 1, "\x02\r\n\r\n" + std::string(200, 'x') + "\r\n"},
      {"no TAB line in ten lines", 0, noTab},
      {"header ends early", 0, "a\r\nb\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages_.asked.clear();
    model::CMessungObj measurement;
    ASSERT_TRUE(link_.Open(c.variant));
    Answer(c.answer);
    EXPECT_FALSE(link_.StartOnline(measurement, {}));
    EXPECT_EQ(messages_.asked, std::vector<int>{kMsgTransferFailed});
    EXPECT_FALSE(link_.OnlineRunning());
  }
}

TEST_F(ScriptedPeerTest, ShortDataLineEndsTheRecordingWithOneMessageAndKeepsEarlierSamples) {
  ASSERT_TRUE(link_.Open(1));
  Answer(sim::LineFormatHeader(2, "1.0") + sim::LineFormatRecord(sim::CountingSet(2, 0)) +
         sim::LineFormatRecord(sim::CountingSet(2, 1)) + "   1.0\r\n");
  ASSERT_TRUE(link_.StartOnline(measurement_, {}));
  EXPECT_TRUE(testing::PollUntil([&] { return !link_.OnlineRunning(); }));
  EXPECT_EQ(link_.DrainOnline(), 2);
  link_.DrainOnline();
  EXPECT_EQ(messages_.asked, std::vector<int>{kMsgTransferFailed});
  EXPECT_EQ(measurement_.GetCurve(1)->GetSampleCount(), 2);
  EXPECT_EQ(measurement_.GetCurve(0)->GetDuration(), 1);
}

TEST_F(ScriptedPeerTest, StopWakesAWorkerThatWaitsWithoutTimeout) {
  ASSERT_TRUE(link_.Open(0));
  // Sample period under a second: the worker waits for records without a total time-out.
  Answer(sim::FieldFormatHeader(2, "0.5") + sim::FieldFormatRecord(sim::CountingSet(2, 0)));
  ASSERT_TRUE(link_.StartOnline(measurement_, {}));
  // Once the one record has arrived, the worker waits for the next.
  EXPECT_TRUE(testing::PollUntil([&] { return measurement_.GetCurve(0)->GetSampleCount() == 1; },
                                 [&] { link_.DrainOnline(); }));
  EXPECT_TRUE(link_.OnlineRunning());
  link_.StopOnline();  // returns (how fast is measured in bench/)
  EXPECT_TRUE(messages_.asked.empty());
  EXPECT_EQ(measurement_.GetCurve(0)->GetSampleCount(), 1);
  EXPECT_EQ(measurement_.GetCurve(1)->GetSample(0)->minimum, 1.5F);
}

TEST_F(ScriptedPeerTest, CancelRequestEndsTheFieldWorkerQuietly) {
  ASSERT_TRUE(link_.Open(0));
  Answer(sim::FieldFormatHeader(1, "0.5"));
  ASSERT_TRUE(link_.StartOnline(measurement_, {}));
  link_.RequestCancel();
  EXPECT_TRUE(testing::PollUntil([&] { return !link_.OnlineRunning(); }));
  link_.DrainOnline();
  EXPECT_TRUE(messages_.asked.empty());
}

}  // namespace
}  // namespace vantrel::instrument
