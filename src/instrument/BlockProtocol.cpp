// Decoding of the readout's block protocol: check bytes, header, channel blocks, names.
#include "instrument/BlockProtocol.h"

#include <array>
#include <bit>
#include <cstring>
#include <string_view>

namespace vantrel::instrument {
namespace {

constexpr std::array<std::uint16_t, 256> MakeCrcTable() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    unsigned r = byte << 8;
    for (int bit = 0; bit < 8; ++bit) r = (r & 0x8000U) != 0 ? (r << 1) ^ 0x1021U : r << 1;
    table[byte] = static_cast<std::uint16_t>(r);
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t LittleEndian32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

int LittleEndian16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

}  // namespace

std::uint16_t UpdateCrc16(std::uint16_t crc, const std::uint8_t* data, std::size_t size) {
  // Table form of the bitwise register: shifting a message byte through the register is the
  // same as XOR-ing the table entry of the register's high byte into the shifted register.
  for (std::size_t i = 0; i < size; ++i) {
    crc = static_cast<std::uint16_t>((crc << 8) ^ kCrcTable[((crc >> 8) ^ data[i]) & 0xFFU]);
  }
  return crc;
}

float ReadWordSwappedSingle(const std::uint8_t* field) {
  const std::uint32_t bits =
      static_cast<std::uint32_t>(field[2]) | (static_cast<std::uint32_t>(field[3]) << 8) |
      (static_cast<std::uint32_t>(field[0]) << 16) | (static_cast<std::uint32_t>(field[1]) << 24);
  return std::bit_cast<float>(bits);
}

void WriteWordSwappedSingle(float value, std::uint8_t* field) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  field[0] = static_cast<std::uint8_t>(bits >> 16);
  field[1] = static_cast<std::uint8_t>(bits >> 24);
  field[2] = static_cast<std::uint8_t>(bits);
  field[3] = static_cast<std::uint8_t>(bits >> 8);
}

std::string NameFromBlock(const std::uint8_t* block, std::size_t blockSize, std::size_t skip) {
  // Zero-terminated text from the first byte: a zero among the skipped bytes ends it there.
  for (std::size_t i = 0; i < skip && i < blockSize; ++i) {
    if (block[i] == 0) return {};
  }
  std::string name;
  for (std::size_t i = skip; i < blockSize && name.size() < 15; ++i) {
    const char c = static_cast<char>(block[i]);
    if (c == '\0' || kNameAlphabet.find(c) == std::string_view::npos) break;
    name.push_back(c);
  }
  return name;
}

int BlockYear(int yearByte) {
  return (yearByte == 19 || yearByte >= 70) ? 1900 + yearByte : 2000 + yearByte;
}

TriggerSetting TriggerFromLetter(std::uint8_t letter) {
  if (letter >= '1' && letter <= '6') return {1, letter - '0'};
  switch (letter) {
    case 'M':
      return {2, -1};
    case 'E':
      return {3, -1};
    case 'Z':
      return {4, -1};
    default:
      return {0, -1};
  }
}

BlockHeader ParseBlockHeader(const std::uint8_t* header) {
  BlockHeader parsed;
  parsed.storageNumber = header[2];
  parsed.name = NameFromBlock(header, kBlockHeaderSize, 3);
  parsed.channelCount = header[18];
  parsed.hour = header[19];
  parsed.minute = header[20];
  parsed.year = BlockYear(header[21]);
  parsed.month = header[22];
  parsed.day = header[23];
  parsed.intervalMs = LittleEndian32(header + 24);
  if (parsed.intervalMs == 0) parsed.intervalMs = 1;
  parsed.samplesPerChannel = LittleEndian16(header + 28);
  parsed.pretriggerSamples = LittleEndian16(header + 30);
  parsed.triggerLevel = ReadWordSwappedSingle(header + 32);
  parsed.triggerEdge = header[36];
  parsed.triggerLetter = header[37];
  return parsed;
}

ChannelBlock ParseChannelBlock(const std::uint8_t* block) {
  ChannelBlock parsed;
  parsed.channelNumber = block[3];
  parsed.name = NameFromBlock(block, kChannelBlockSize, 4);
  const std::string_view unit(reinterpret_cast<const char*>(block + 19), 5);
  const int code = KnownUnitCode(unit);
  if (code >= 0) {
    parsed.unit.code = code;
  } else {
    parsed.unit.code = model::kUnitCustom;
    parsed.unit.text = UnitTextUpToBlank(unit, 5);
  }
  parsed.sensorRange = ReadWordSwappedSingle(block + 24);
  return parsed;
}

}  // namespace vantrel::instrument
