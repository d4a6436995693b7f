#include "ArchiveMeasurements.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <optional>

#include "app/MessageIds.h"
#include "document/MeasurementArchive.h"
#include "instrument/BlockProtocol.h"
#include "instrument/ProtocolText.h"
#include "platform/Error.h"
#include "platform/Strings.h"
#include "platform/TimeStamp.h"

namespace vantrel::sim {
namespace {

/// Message of a document that cannot be served (the file error of the imports).
/// Samples per channel the header's 16-bit count can announce.
constexpr std::size_t kMostSamples = 65535;

/// `text` in the instrument's name alphabet, at most 15 characters: German letters are
/// spelt out (Ä as Ae, ß as ss), other characters outside the alphabet become "-".
std::string InstrumentName(const std::u16string& text) {
  std::string name;
  for (char16_t c : text) {
    switch (c) {
      case u'Ä':
        name += "Ae";
        break;
      case u'Ö':
        name += "Oe";
        break;
      case u'Ü':
        name += "Ue";
        break;
      case u'ä':
        name += "ae";
        break;
      case u'ö':
        name += "oe";
        break;
      case u'ü':
        name += "ue";
        break;
      case u'ß':
        name += "ss";
        break;
      default: {
        const bool known = c < 0x80 && instrument::kNameAlphabet.find(static_cast<char>(c)) !=
                                           std::string_view::npos;
        name += known ? static_cast<char>(c) : '-';
      }
    }
  }
  return name.substr(0, 15);
}

/// The five unit bytes the instrument writes for a unit code (blank padded). Code 2 has no
/// five-byte form the instrument reads back: its text is cut like any other.
std::string InstrumentUnit(const model::CKurveObj& curve) {
  std::u16string text;
  const std::string_view known = instrument::KnownUnitText(curve.GetUnit(&text));
  std::string unit = known.empty() ? platform::ToCp1252(text) : std::string(known);
  unit.resize(5, ' ');
  return unit;
}

/// A sensor range whose raw steps reach the largest value of the curve.
float RangeFor(const model::CKurveObj& curve, std::size_t samples) {
  float largest = 0.0F;
  for (std::size_t i = 0; i < samples; ++i) {
    const model::CValueObj& s = curve.Samples()[i];
    for (float v : {s.minimum, s.maximum}) {
      if (std::isfinite(v)) largest = std::max(largest, std::fabs(v));
    }
  }
  const float stored = curve.GetSensorRange();
  const float needed = largest / (32767.0F * instrument::kRawScale);
  return std::isfinite(stored) && stored >= needed && stored > 0.0F ? stored
                                                                    : std::max(needed, 1.0F);
}

std::int16_t Raw(float value, float range) {
  if (!std::isfinite(value)) return 0;
  const double raw =
      std::round(static_cast<double>(value) /
                 (static_cast<double>(range) * static_cast<double>(instrument::kRawScale)));
  return static_cast<std::int16_t>(std::clamp(raw, -32768.0, 32767.0));
}

/// The trigger letter whose setting is the curve's trigger mode and channel ('1' when none).
std::uint8_t TriggerLetter(const model::CKurveObj& curve) {
  for (int letter = 0; letter < 256; ++letter) {
    const instrument::TriggerSetting setting =
        instrument::TriggerFromLetter(static_cast<std::uint8_t>(letter));
    if (setting.mode == curve.GetTriggerMode() &&
        (setting.channel < 0 || setting.channel == curve.GetTriggerChannel())) {
      return static_cast<std::uint8_t>(letter);
    }
  }
  return '1';
}

void SetStartTime(SimMeasurement& out, platform::TimeStamp startTime) {
  if (startTime == 0) return;
  const std::optional<std::tm> local = platform::LocalTimeOf(startTime);
  if (!local) return;
  out.hour = local->tm_hour;
  out.minute = local->tm_min;
  out.yearByte = local->tm_year % 100;
  out.month = local->tm_mon + 1;
  out.day = local->tm_mday;
}

}  // namespace

SimMeasurement MeasurementFromDocument(const model::CMessungObj& measurement, int storageNumber) {
  std::vector<const model::CKurveObj*> curves;
  for (int i = 0; i < measurement.GetCurveCount(); ++i) {
    const model::CKurveObj* curve = measurement.GetCurve(i);
    const int origin = curve->GetOrigin();
    if (origin == model::kOriginComputed) continue;
    if (static_cast<int>(curves.size()) == instrument::kMaxChannels) break;
    curves.push_back(curve);
  }
  if (curves.empty()) {
    throw platform::VantrelError(ids::kMsgFileError, "the measurement holds no measured curve");
  }
  std::size_t samples = kMostSamples;
  for (const model::CKurveObj* curve : curves) samples = std::min(samples, curve->Samples().size());

  const model::CKurveObj& first = *curves.front();
  SimMeasurement out;
  out.storageNumber =
      measurement.GetStorageNumber() > 0 ? measurement.GetStorageNumber() : storageNumber;
  out.name = InstrumentName(measurement.GetName());
  const double intervalMs = std::round(first.GetSampleInterval() * 1000.0);
  out.intervalMs = std::isfinite(intervalMs) && intervalMs >= 1.0
                       ? static_cast<std::uint32_t>(std::min(intervalMs, 4.0e9))
                       : 1U;
  const double pretrigger = std::round(static_cast<double>(first.GetPretrigger()) * 1000.0 /
                                       static_cast<double>(out.intervalMs));
  out.pretriggerSamples = static_cast<std::uint16_t>(
      std::isfinite(pretrigger) ? std::clamp(pretrigger, 0.0, 65535.0) : 0.0);
  out.triggerLevel = first.GetTriggerLevel();
  out.triggerEdge = static_cast<std::uint8_t>(first.GetTriggerEdge());
  out.triggerLetter = TriggerLetter(first);
  SetStartTime(out, first.GetStartTime());

  for (const model::CKurveObj* curve : curves) {
    SimChannel channel;
    channel.number = curve->GetOrigin() == model::kOriginSpecial
                         ? instrument::kDerivedChannel
                         : std::clamp(curve->GetChannelNumber(), 1, 6);
    channel.name = InstrumentName(curve->GetName());
    channel.unit = InstrumentUnit(*curve);
    channel.sensorRange = RangeFor(*curve, samples);
    channel.samples.reserve(samples);
    for (std::size_t i = 0; i < samples; ++i) {
      const model::CValueObj& s = curve->Samples()[i];
      channel.samples.emplace_back(Raw(s.minimum, channel.sensorRange),
                                   Raw(s.maximum, channel.sensorRange));
    }
    out.channels.push_back(std::move(channel));
  }
  return out;
}

std::vector<SimMeasurement> LoadDocumentMeasurements(
    const std::vector<std::filesystem::path>& paths) {
  std::vector<SimMeasurement> measurements;
  for (const std::filesystem::path& path : paths) {
    try {
      const document::LoadedDocument loaded = document::ReadDocumentFile(path);
      measurements.push_back(
          MeasurementFromDocument(*loaded.measurement, static_cast<int>(measurements.size()) + 1));
    } catch (const platform::VantrelError& error) {
      throw platform::VantrelError(error.MessageId(), path.string() + ": " + error.what());
    }
  }
  return measurements;
}

}  // namespace vantrel::sim
