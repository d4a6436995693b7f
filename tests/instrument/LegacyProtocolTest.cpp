// Decoding of the readout's legacy text protocol.
#include <gtest/gtest.h>

#include "SimMeasurements.h"
#include "instrument/LegacyProtocol.h"

namespace vantrel::instrument {
namespace {

TEST(LegacyProtocol, RawBytesAreUnsignedLittleEndianLess32768) {
  EXPECT_EQ(LegacyRaw(0x00, 0x80), 0);
  EXPECT_EQ(LegacyRaw(0xFF, 0x7F), -1);
  EXPECT_EQ(LegacyRaw(0x00, 0x00), -32768);
  EXPECT_EQ(LegacyRaw(0xFF, 0xFF), 32767);
}

TEST(LegacyProtocol, HeaderColumnsAreReadAsDecimalNumbers) {
  sim::SimLegacyMeasurement written;
  written.storageNumber = 12;
  written.year = 71;
  written.channelMode = 1;
  written.channels = {{1, 40, {}}, {0, 0, {}}, {5, 3, {}}};
  written.ticks1 = 3;
  written.ticks2 = 2;
  written.timeBase = 100;
  const LegacyHeader header = ParseLegacyHeader(sim::EncodeLegacyHeader(written));
  EXPECT_EQ(header.storageNumber, 12);
  EXPECT_EQ(header.year, 1971);
  EXPECT_EQ(header.channelMode, 1);
  EXPECT_EQ(header.types[0], 1);
  EXPECT_EQ(header.types[1], 0);
  EXPECT_EQ(header.rangeCodes[2], 3);
  EXPECT_EQ(header.triggerEdge, 1);
  // The third tick count lies beyond the header and counts as 0: 10 x 2 + 3 ticks of 1 ms.
  EXPECT_NEAR(LegacySampleInterval(header), 0.023, 1e-6);
  EXPECT_EQ(ParseLegacyHeader(std::string(167, ' ')).year, 2000);
}

TEST(LegacyProtocol, ChannelTypesGiveUnitScaleAndSensorRange) {
  struct Case {
    int type, rangeCode;
    int unit, multiplier, kind;
    float range;
  };
  const Case cases[] = {
      {1, 1, 4, 15, 1, 15.0F},   {1, 40, 4, 15, 0, 600.0F}, {2, 4, 8, 15, 1, 60.0F},
      {2, 10, 8, 15, 1, 150.0F}, {2, 6, 8, 15, 0, 90.0F},   {3, 10, 5, 15, 2, 150.0F},
      {4, 7, 9, 100, 0, 100.0F}, {5, 3, 1, 100, 0, 300.0F}, {9, 3, 0, 15, 0, 0.0F}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type * 100 + c.rangeCode);
    const LegacyChannelType channel = ClassifyLegacyChannel(c.type, c.rangeCode);
    EXPECT_EQ(channel.unitKnown, c.type <= 5);
    if (channel.unitKnown) {
      EXPECT_EQ(channel.unitCode, c.unit);
    }
    EXPECT_EQ(channel.rangeMultiplier, c.multiplier);
    EXPECT_EQ(channel.channelKind, c.kind);
    EXPECT_EQ(channel.sensorRange, c.range);
  }
  EXPECT_EQ(ClassifyLegacyChannel(4, 7).unitText, u"%");
  EXPECT_EQ(ClassifyLegacyChannel(4, 7).rangeCode, 1);
}

TEST(LegacyProtocol, SampleGroupsAreScaledByChannelKind) {
  // Raw 1000 (0x8000 + 1000 = 0x83E8) for both minimum and maximum.
  const std::uint8_t group[4] = {0xE8, 0x83, 0xE8, 0x83};
  float minimum = 0.0F;
  float maximum = 0.0F;
  ScaleLegacyGroup(group, ClassifyLegacyChannel(1, 40), &minimum, &maximum);
  EXPECT_FLOAT_EQ(minimum, 600.0F * 0.000407F * 1000.0F);
  ScaleLegacyGroup(group, ClassifyLegacyChannel(1, 1), &minimum, &maximum);
  EXPECT_FLOAT_EQ(maximum, 15.0F * 0.000407F * 1000.0F * 2.0F);
  ScaleLegacyGroup(group, ClassifyLegacyChannel(3, 10), &minimum, &maximum);
  EXPECT_FLOAT_EQ(minimum, 150.0F * 0.000407F * 1000.0F * 2.0F - 50.0F);
}

}  // namespace
}  // namespace vantrel::instrument
