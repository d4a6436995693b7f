// The simulated instrument's online stream: the machine cycle repeats with the same physics
// at every rate, and its records read back through the program's own record parsers.
#include <gtest/gtest.h>

#include <cmath>

#include "OnlineStream.h"
#include "instrument/OnlineFormats.h"

namespace vantrel::sim {
namespace {

/// The set sent at `seconds` into the stream at `rate` sets per second.
PhysicalSample At(int channel, double seconds, double rate) {
  const auto sequence = static_cast<std::uint64_t>(std::llround(seconds * rate));
  return MachineCycleSet(6, sequence, rate, 1)[static_cast<std::size_t>(channel)];
}

TEST(OnlineStream, MachineCycleShowsTheSamePhasesAtEveryRate) {
  struct Phase {
    double seconds;
    int channel;
    double value;
    double tolerance;
  };
  // Idle, extending against the load, holding on the relief valve, retracting.
  const Phase phases[] = {{0.5, 0, 8.0, 2.0},     {3.0, 0, 60.0, 3.0}, {3.0, 1, 40.0, 2.0},
                          {6.5, 0, 250.0, 6.0},   {6.5, 1, 0.0, 0.8},  {9.0, 0, 30.0, 3.0},
                          {9.0, 4, 1305.0, 40.0}, {11.8, 1, 0.0, 0.8}, {3.0, 3, 1473.0, 8.0},
                          {3.0, 5, 910.0, 40.0}};
  for (const double rate : {10.0, 100.0, 2000.0}) {
    for (const Phase& p : phases) {
      SCOPED_TRACE(testing::Message()
                   << "rate " << rate << " t " << p.seconds << " ch " << p.channel);
      const PhysicalSample now = At(p.channel, p.seconds, rate);
      EXPECT_NEAR(now.value, p.value, p.tolerance);
      EXPECT_LE(now.minimum, now.value);
      EXPECT_LE(now.value, now.maximum);
      // One cycle later the same phase again.
      EXPECT_NEAR(At(p.channel, p.seconds + kMachineCyclePeriod, rate).value, p.value, p.tolerance);
    }
  }
}

TEST(OnlineStream, RecordsOfBothFormatsReadBackToOneDecimal) {
  for (std::uint64_t sequence : {0ULL, 17ULL, 613ULL, 1999ULL}) {
    SCOPED_TRACE(sequence);
    const StreamSet set = MachineCycleSet(6, sequence, 100.0, 3);
    instrument::OnlineSampleSet field;
    // The field parser gets the fields without the time and the TABs, as the recorder does.
    std::string record = FieldFormatRecord(set);
    record = record.substr(8, record.size() - 10);
    std::string fields;
    for (const char c : record) {
      if (c != '\t') fields += c;
    }
    instrument::ParseFieldRecord(fields, 6, &field);
    instrument::OnlineSampleSet line;
    const StreamSet three(set.begin(), set.begin() + 3);
    ASSERT_TRUE(instrument::ParseLineRecord(LineFormatRecord(three), 3, &line));
    for (std::size_t j = 0; j < 6; ++j) {
      EXPECT_NEAR(field.channels[j].value, set[j].value, 0.051) << j;
      EXPECT_NEAR(field.channels[j].minimum, set[j].minimum, 0.051) << j;
      EXPECT_NEAR(field.channels[j].maximum, set[j].maximum, 0.051) << j;
      if (j < 3) {
        EXPECT_NEAR(line.channels[j].value, set[j].value, 0.051) << j;
        EXPECT_NEAR(line.channels[j].minimum, set[j].minimum, 0.051) << j;
        EXPECT_NEAR(line.channels[j].maximum, set[j].maximum, 0.051) << j;
      }
    }
  }
}

TEST(OnlineStream, CountingPatternKeepsLongRunsReadable) {
  instrument::OnlineSampleSet set;
  ASSERT_TRUE(instrument::ParseLineRecord(LineFormatRecord(CountingSet(2, 1234567)), 2, &set));
  EXPECT_EQ(set.channels[1].value, 1234567.0F);
  EXPECT_EQ(set.channels[1].maximum, 1234568.0F);
  EXPECT_EQ(set.channels[1].minimum, 1.5F);
}

}  // namespace
}  // namespace vantrel::sim
