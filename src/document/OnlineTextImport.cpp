#include "document/OnlineTextImport.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>
#include <string>

#include "model/Units.h"
#include "platform/MessageService.h"

namespace vantrel::document {

namespace {

constexpr platform::Color kCurveColor = 0x0000FF;
constexpr int kSlots = 3;
constexpr int kSamplesPerLine = 5;

ImportResult Failure(int messageId, std::string detail) {
  ImportResult result;
  result.messageId = messageId;
  result.detail = std::move(detail);
  return result;
}

/// The text of a raw field from character `position` on; empty past its end.
std::string_view From(std::string_view field, std::size_t position) {
  return position < field.size() ? field.substr(position) : std::string_view{};
}

ImportResult Run(TextFileReader& reader, model::CMessungObj& measurement,
                 const ImportSettings& settings) {
  if (reader.ReadLine() != "Vantrel") {
    return Failure(kMsgImportFailed, "the identification line \"Vantrel\" is missing");
  }
  if (reader.ReadLine() != "Online-Messung") {
    return Failure(kMsgImportFailed, "the second line is not \"Online-Messung\"");
  }
  ImportResult result;
  reader.SkipLines(4);

  const std::string_view date = reader.ReadRaw(17);
  const std::string_view time = reader.ReadRaw(17);
  LocalDateTime start;
  start.day = ParseInt(From(date, 2));
  start.month = ParseInt(From(date, 7));
  start.year = ExpandYear(ParseInt(From(date, 12)));
  start.hour = ParseInt(From(time, 2));
  start.minute = ParseInt(From(time, 7));
  start.second = ParseInt(From(time, 12));
  const std::optional<platform::TimeStamp> stamp = settings.toTimeStamp(start);
  if (!stamp) result.warnings.emplace_back("invalid start date or time; start time 0");
  const platform::TimeStamp startTime = stamp.value_or(0);

  const double interval = ParseDecimal(reader.ReadRaw(3));
  const std::string header = reader.ReadLine();
  const std::int32_t fullScale = ParseInt(Field(header, 1));
  std::int32_t count = ParseInt(Field(header, 2));
  if (count < 0) {
    result.warnings.emplace_back("negative sample count read as 0");
    count = 0;
  }

  for (int slot = 1; slot <= kSlots; ++slot) {
    if (ParseInt(reader.ReadRaw(3)) != 1) continue;

    model::CKurveObj* curve = measurement.AddCurve();
    model::CAchse* axis = curve != nullptr ? measurement.AddYAxis() : nullptr;
    if (axis == nullptr) return Failure(kMsgImportFailed, "out of memory while adding a curve");
    curve->SetAxisIndex(measurement.GetYAxisCount() - 1);
    curve->SetTriggerInPercent(1);
    curve->SetDrawOrder(0);
    curve->SetColor(kCurveColor);
    curve->SetValueMode(model::kModeValue);
    curve->SetRecordingKind(0);
    curve->SetStartTime(startTime);
    curve->SetSampleInterval(interval);
    curve->SetChannelNumber(slot);
    axis->SetMax(static_cast<float>(fullScale));

    ApplyFileUnit(reader.ReadLine(), *curve, *axis, '\xDF');
    reader.SkipLines(1);

    // Every line holds at least one byte, so the file bounds the samples it can carry.
    curve->MutableSamples().reserve(std::min(static_cast<std::size_t>(count), reader.Remaining()));
    float smallestMinimum = FLT_MIN;
    std::string line;
    std::string_view rest;
    for (std::int32_t j = 0; j < count; ++j) {
      if (j % kSamplesPerLine == 0) {
        if (reader.AtEnd()) {
          result.warnings.emplace_back("the file ends after " + std::to_string(j) + " of " +
                                       std::to_string(count) + " samples of channel " +
                                       std::to_string(slot));
          break;
        }
        line = reader.ReadLine();
        rest = line;
      }
      const float value = ToFloat(ParseInt(rest) * kOnlineScale);
      rest = After(rest, ',');
      const float minimum = ToFloat(ParseInt(rest) * kOnlineScale);
      rest = After(rest, ',');
      const float maximum = ToFloat(ParseInt(rest) * kOnlineScale);
      rest = After(rest, ',');
      if (!curve->AddSample(minimum, maximum, value)) {
        return Failure(kMsgImportFailed, "out of memory while adding a sample");
      }
      if (minimum < smallestMinimum) smallestMinimum = minimum;
      if (maximum >= curve->GetPeakValue()) curve->SetPeakValue(maximum);
    }

    const double seconds = static_cast<double>(count) * interval;
    const std::int32_t duration = CeilSeconds(seconds);
    curve->SetDuration(duration);
    axis->SetMin(smallestMinimum);

    // The x range stays in seconds even for recordings of more than four hours: the axis
    // always stores seconds and only its time unit changes the display.
    model::CXAchse& xAxis = measurement.GetXAxis();
    xAxis.SetMax(ToFloat(std::ceil(seconds)));
    if (duration / 3600 > 4) {
      // Long recordings keep the time unit the x axis has.
    } else if (duration / 60 > 4 && xAxis.GetTimeUnit() != model::kTimeHours) {
      xAxis.SetUnit(model::kTimeMinutes, {});
    } else {
      xAxis.SetUnit(model::kTimeSeconds, {});
    }
  }

  if (reader.OverlongLines() > 0) {
    result.warnings.emplace_back(std::to_string(reader.OverlongLines()) +
                                 " overlong lines were cut");
  }
  return result;
}

}  // namespace

ImportResult ImportOnlineText(std::span<const std::uint8_t> bytes, model::CMessungObj& measurement,
                              const ImportSettings& settings) {
  try {
    TextFileReader reader(bytes);
    return Run(reader, measurement, settings);
  } catch (const std::bad_alloc&) {
    return Failure(platform::kMsgOutOfMemory, "out of memory while importing");
  }
}

}  // namespace vantrel::document
