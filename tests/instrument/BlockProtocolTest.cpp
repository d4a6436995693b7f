// Decoding of the readout's block protocol: check bytes, names, header fields, units.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "instrument/BlockProtocol.h"

namespace vantrel::instrument {
namespace {

const std::uint8_t* Bytes(const char* text) { return reinterpret_cast<const std::uint8_t*>(text); }

TEST(BlockProtocol, CheckBytesAreCrc16Xmodem) {
  EXPECT_EQ(UpdateCrc16(0, Bytes("123456789"), 9), 0x31C3);
  EXPECT_EQ(UpdateCrc16(0, Bytes(""), 0), 0);
}

TEST(BlockProtocol, RunningTheCheckOverMessageAndCheckBytesGivesZeroOnlyWhenIntact) {
  std::vector<std::uint8_t> message = {'/', 'D', 'A', 'T', 1, 2, 3, 4, 0xFF, 0x00};
  const std::uint16_t crc = UpdateCrc16(0, message.data(), message.size());
  message.push_back(static_cast<std::uint8_t>(crc >> 8));
  message.push_back(static_cast<std::uint8_t>(crc));
  EXPECT_EQ(UpdateCrc16(0, message.data(), message.size()), 0);
  for (std::size_t i = 0; i < message.size(); ++i) {
    auto damaged = message;
    damaged[i] ^= 0x01;
    EXPECT_NE(UpdateCrc16(0, damaged.data(), damaged.size()), 0) << "byte " << i;
  }
}

TEST(BlockProtocol, WordSwappedSingleSendsTheHighWordFirst) {
  // 600.0f is 0x44160000: high word 0x4416 first, each word little-endian.
  const std::uint8_t field[4] = {0x16, 0x44, 0x00, 0x00};
  EXPECT_EQ(ReadWordSwappedSingle(field), 600.0F);
  std::uint8_t written[4] = {};
  WriteWordSwappedSingle(-1.5F, written);
  EXPECT_EQ(ReadWordSwappedSingle(written), -1.5F);
}

TEST(BlockProtocol, NameRuleSkipsLeadingBytesAndStopsOutsideTheAlphabet) {
  struct Case {
    const char* block;
    std::size_t skip;
    const char* name;
  };
  const Case cases[] = {
      {"HD\x01"
       "AB#CD",
       3, "AB"},
      {"HD\x01Pumpe 1 +5%/x.y-z", 3, "Pumpe 1 +5%/x.y"},
      {"H\0\x01"
       "Name",
       3, ""},
      {"KBL\x01"
       "Druck\0xx",
       4, "Druck"},
      {"HD\x01\xE4rger", 3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::uint8_t block[32] = {};
    std::memcpy(block, c.block, std::strlen(c.block + 3) + 3);
    EXPECT_EQ(NameFromBlock(block, sizeof block, c.skip), c.name);
  }
}

TEST(BlockProtocol, YearByteGivesNineteenHundredsFor19AndFrom70) {
  const std::pair<int, int> cases[] = {{19, 1919}, {20, 2020}, {69, 2069},
                                       {70, 1970}, {0, 2000},  {255, 2155}};
  for (const auto& [byte, year] : cases) EXPECT_EQ(BlockYear(byte), year) << byte;
}

TEST(BlockProtocol, TriggerLetterGivesModeAndChannel) {
  struct Case {
    std::uint8_t letter;
    int mode, channel;
  };
  for (const Case& c : {Case{'1', 1, 1}, Case{'6', 1, 6}, Case{'M', 2, -1}, Case{'E', 3, -1},
                        Case{'Z', 4, -1}, Case{'7', 0, -1}, Case{0, 0, -1}}) {
    const TriggerSetting setting = TriggerFromLetter(c.letter);
    EXPECT_EQ(setting.mode, c.mode) << c.letter;
    EXPECT_EQ(setting.channel, c.channel) << c.letter;
  }
}

TEST(BlockProtocol, HeaderTakesAZeroIntervalAsOneMillisecond) {
  std::uint8_t header[kBlockHeaderSize] = {};
  header[2] = 7;
  header[18] = 2;
  header[28] = 0x10;
  header[29] = 0x27;  // 10000 samples
  const BlockHeader parsed = ParseBlockHeader(header);
  EXPECT_EQ(parsed.intervalMs, 1U);
  EXPECT_EQ(parsed.storageNumber, 7);
  EXPECT_EQ(parsed.channelCount, 2);
  EXPECT_EQ(parsed.samplesPerChannel, 10000);
}

TEST(BlockProtocol, ChannelBlockUnitsFollowTheInstrumentTable) {
  struct Case {
    const char* unit;
    int code;
    const char16_t* text;
  };
  const Case cases[] = {{"bar  ", 4, u""},
                        {"PSI  ", 3, u""},
                        {"l/min", 8, u""},
                        {"GPM  ", 7, u""},
                        {"\xDF"
                         "C   ",
                         5, u""},
                        {"\xDF"
                         "F   ",
                         6, u""},
                        {"U/min", 1, u""},
                        {"RPM  ", 0, u""},
                        {"tr/mi", model::kUnitCustom, u"tr/mi"},
                        {"mbar ", model::kUnitCustom, u"mbar"},
                        {"%    ", model::kUnitCustom, u"%"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    std::uint8_t block[kChannelBlockSize] = {'K', 'B', 'L', 18, 'P', '1'};
    std::memcpy(block + 19, c.unit, 5);
    const ChannelBlock parsed = ParseChannelBlock(block);
    EXPECT_EQ(parsed.unit.code, c.code);
    EXPECT_EQ(parsed.unit.text, c.text);
    EXPECT_EQ(parsed.channelNumber, 18);
    EXPECT_EQ(parsed.name, "P1");
  }
}

TEST(BlockProtocol, DataRecordsAreSignedLittleEndianPairs) {
  const std::uint8_t record[4] = {0x68, 0xC5, 0x98, 0x3A};  // -15000, 15000
  int minimum = 0;
  int maximum = 0;
  ParseDataRecord(record, &minimum, &maximum);
  EXPECT_EQ(minimum, -15000);
  EXPECT_EQ(maximum, 15000);
  EXPECT_FLOAT_EQ(static_cast<float>(minimum) * 600.0F * kRawScale, -600.0F);
}

}  // namespace
}  // namespace vantrel::instrument
