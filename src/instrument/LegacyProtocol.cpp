// Decoding of the readout's legacy text protocol.
#include "instrument/LegacyProtocol.h"

#include "instrument/ProtocolText.h"

namespace vantrel::instrument {

LegacyHeader ParseLegacyHeader(std::string_view header) {
  LegacyHeader parsed;
  parsed.storageNumber = IntegerAt(header, 3);
  parsed.hour = IntegerAt(header, 8);
  parsed.minute = IntegerAt(header, 13);
  const int year = IntegerAt(header, 18);
  parsed.year = year > 70 ? 1900 + year : 2000 + year;
  parsed.month = IntegerAt(header, 23);
  parsed.day = IntegerAt(header, 28);
  parsed.channelMode = IntegerAt(header, 33);
  for (std::size_t i = 0; i < 3; ++i) {
    parsed.rangeCodes[i] = IntegerAt(header, 43 + 10 * i);
    parsed.types[i] = IntegerAt(header, 48 + 10 * i);
  }
  parsed.ticks1 = IntegerAt(header, 100);
  parsed.ticks2 = IntegerAt(header, 105);
  parsed.timeBase = IntegerAt(header, 110);
  parsed.pretrigger = IntegerAt(header, 115);
  parsed.triggerMode = IntegerAt(header, 120);
  parsed.triggerLevel = IntegerAt(header, 125);
  parsed.triggerEdge = IntegerAt(header, 130);
  return parsed;
}

double LegacySampleInterval(const LegacyHeader& header) {
  const long long ticks = 10LL * header.ticks2 + 18LL * header.ticks3 + header.ticks1;
  const float base = static_cast<float>(header.timeBase) * 0.00001F;
  return static_cast<double>(ticks) * static_cast<double>(base);
}

int LegacyTriggerMode(int code) {
  if (code == 0) return 2;
  if (code == 1) return 1;
  return -1;
}

LegacyChannelType ClassifyLegacyChannel(int type, int rangeCode) {
  LegacyChannelType channel;
  channel.rangeCode = rangeCode;
  const float range15 = 15.0F * static_cast<float>(rangeCode);
  switch (type) {
    case 1:
      channel = {true, 4, {}, 15, rangeCode, rangeCode == 1 ? 1 : 0, range15};
      break;
    case 2:
      channel = {true, 8, {}, 15, rangeCode, (rangeCode == 4 || rangeCode == 10) ? 1 : 0, range15};
      break;
    case 3:
      channel = {true, 5, {}, 15, rangeCode, 2, range15};
      break;
    case 4:
      channel = {true, model::kUnitCustom, u"%", 100, 1, 0, 100.0F};
      break;
    case 5:
      channel = {true, 1, {}, 100, rangeCode, 0, 100.0F * static_cast<float>(rangeCode)};
      break;
    default:
      break;
  }
  return channel;
}

void ScaleLegacyGroup(const std::uint8_t* group, const LegacyChannelType& channel, float* minimum,
                      float* maximum) {
  const float factor =
      static_cast<float>(static_cast<long long>(channel.rangeMultiplier) * channel.rangeCode) *
      kLegacyScale;
  float low = factor * static_cast<float>(LegacyRaw(group[0], group[1]));
  float high = factor * static_cast<float>(LegacyRaw(group[2], group[3]));
  if (channel.channelKind == 1) {
    low *= 2.0F;
    high *= 2.0F;
  } else if (channel.channelKind == 2) {
    low = low * 2.0F - 50.0F;
    high = high * 2.0F - 50.0F;
  }
  *minimum = low;
  *maximum = high;
}

}  // namespace vantrel::instrument
