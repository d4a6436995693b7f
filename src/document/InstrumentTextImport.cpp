#include "document/InstrumentTextImport.h"

#include <algorithm>
#include <cfloat>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "model/Units.h"
#include "platform/MessageService.h"

namespace vantrel::document {

namespace {

constexpr int kSamplesPerLine = 6;
constexpr int kNotesLines = 8;
constexpr std::string_view kLineBreak = " \\par ";
constexpr std::string_view kIdentification = "Vantrel";

ImportResult Failure(int messageId, std::string detail) {
  ImportResult result;
  result.messageId = messageId;
  result.detail = std::move(detail);
  return result;
}

void Append(std::vector<std::uint8_t>& notes, std::string_view text) {
  notes.insert(notes.end(), text.begin(), text.end());
}

/// Appends a notes line as RTF text: "\", "{" and "}" get a backslash so they stay text
/// and cannot end the notes or start a control word; every other byte is kept.
void AppendNotesLine(std::vector<std::uint8_t>& notes, std::string_view line) {
  for (const char byte : line) {
    if (byte == '\\' || byte == '{' || byte == '}') notes.push_back('\\');
    notes.push_back(static_cast<std::uint8_t>(byte));
  }
}

/// The header facts every curve block shares.
struct Header {
  bool computed = false;  // A + B = 2: computed curves over a custom x unit
  std::u16string xUnitText;
  platform::TimeStamp startTime = 0;
  std::int32_t pretrigger = 0;
  std::int32_t triggerModeCode = 0;
  std::int32_t triggerLevel = 0;
  std::int32_t triggerEdge = 0;
};

Header ReadHeader(TextFileReader& reader, const ImportSettings& settings, ImportResult& result) {
  Header header;
  reader.SkipLines(2);
  const std::int64_t a = ParseInt(reader.ReadLine());
  const std::int64_t b = ParseInt(reader.ReadLine());
  header.computed = a + b == 2;
  if (header.computed) {
    header.xUnitText = WidenBytes(reader.ReadLine());
    header.startTime = settings.importTime;
    reader.SkipLines(1);
  } else {
    const std::string dateLine = reader.ReadLine();
    const std::string timeLine = reader.ReadLine();
    LocalDateTime start;
    std::string_view date = dateLine;
    start.day = ParseInt(date);
    date = After(date, '.');
    start.month = ParseInt(date);
    date = After(date, '.');
    start.year = ExpandYear(ParseInt(date));
    start.hour = ParseInt(timeLine);
    start.minute = ParseInt(After(timeLine, ':'));
    const std::optional<platform::TimeStamp> stamp = settings.toTimeStamp(start);
    if (!stamp) result.warnings.emplace_back("invalid start date or time; start time 0");
    header.startTime = stamp.value_or(0);
  }
  const std::string trigger = reader.ReadLine();
  header.pretrigger = ParseInt(Field(trigger, 3));
  header.triggerModeCode = ParseInt(Field(trigger, 4));
  header.triggerLevel = ParseInt(Field(trigger, 5));
  header.triggerEdge = ParseInt(Field(trigger, 6));
  return header;
}

/// Reads one curve block (the line "Vantrel" before it has been read) and returns the line
/// after it, or a failure.
std::optional<ImportResult> ReadCurveBlock(TextFileReader& reader, const Header& header,
                                           model::CMessungObj& measurement, ImportResult& result) {
  model::CKurveObj* curve = measurement.AddCurve();
  model::CAchse* axis = curve != nullptr ? measurement.AddYAxis() : nullptr;
  if (axis == nullptr) return Failure(kMsgImportFailed, "out of memory while adding a curve");
  curve->SetRecordingKind(1);
  curve->SetTriggerInPercent(1);
  curve->SetAxisIndex(measurement.GetYAxisCount() - 1);
  curve->SetDrawOrder(measurement.GetYAxisCount());
  curve->SetValueMode(model::kModeMean);
  curve->SetOrigin(header.computed ? model::kOriginComputed : model::kOriginMeasured);
  curve->SetStartTime(header.startTime);
  curve->SetTriggerLevel(static_cast<float>(header.triggerLevel));
  curve->SetPretrigger(static_cast<float>(header.pretrigger));
  if (header.triggerModeCode == 0) {
    curve->SetTriggerMode(2);
  } else if (header.triggerModeCode == 1) {
    curve->SetTriggerMode(1);
  }
  curve->SetTriggerEdge(header.triggerEdge);

  std::int32_t count = ParseInt(Field(reader.ReadLine(), 1));
  if (count < 0) {
    result.warnings.emplace_back("negative sample count read as 0");
    count = 0;
  }
  curve->SetName(WidenBytes(reader.ReadLine()));
  curve->SetSensorRange(ToFloat(ParseDecimal(reader.ReadLine())));
  reader.SkipLines(2);
  const std::string channel = reader.ReadLine();
  const std::int32_t channelField = ParseInt(Field(channel, 1));
  curve->SetChannelNumber(channelField < std::numeric_limits<std::int32_t>::max() ? channelField + 1
                                                                                  : channelField);
  curve->SetColor(static_cast<platform::Color>(ParseInt(Field(channel, 2))));
  axis->SetMax(ToFloat(ParseDecimal(Field(channel, 4))));
  ApplyFileUnit(reader.ReadLine(), *curve, *axis, '\xB0');

  // Every line holds at least one byte, so the file bounds the samples it can carry.
  curve->MutableSamples().reserve(std::min(static_cast<std::size_t>(count), reader.Remaining()));
  float smallestMinimum = FLT_MIN;
  std::int32_t duration = 0;
  std::string line;
  std::string_view rest;
  for (std::int32_t i = 0; i < count; ++i) {
    if (i % kSamplesPerLine == 0) {
      if (reader.AtEnd()) {
        result.warnings.emplace_back("the file ends after " + std::to_string(i) + " of " +
                                     std::to_string(count) + " samples of curve " +
                                     std::to_string(measurement.GetCurveCount()));
        break;
      }
      line = reader.ReadLine();
      rest = line;
    }
    const double time = ParseDecimal(rest);
    rest = After(rest, ',');
    const float minimum = ToFloat(ParseDecimal(rest));
    rest = After(rest, ',');
    const float maximum = ToFloat(ParseDecimal(rest));
    rest = After(rest, ',');
    duration = CeilSeconds(time);
    if (!curve->AddSample(minimum, maximum, 0.0F)) {
      return Failure(kMsgImportFailed, "out of memory while adding a sample");
    }
    if (minimum < smallestMinimum) smallestMinimum = minimum;
    if (maximum >= curve->GetPeakValue()) curve->SetPeakValue(maximum);
    if (!(minimum > axis->GetMin())) axis->SetMin(minimum);
  }
  curve->SetDuration(duration);

  // A block without samples has no interval: it stays 0.
  const long long samples = curve->GetSampleCount();
  if (samples > 0) {
    curve->SetSampleInterval(static_cast<double>(duration) / static_cast<double>(samples));
  }
  axis->SetMin(smallestMinimum);
  model::CXAchse& xAxis = measurement.GetXAxis();
  xAxis.SetMax(static_cast<float>(duration));
  if (header.computed) {
    xAxis.SetUnit(model::kTimeCustom, header.xUnitText);
  } else if (duration / 3600 >= 5) {
    xAxis.SetUnit(model::kTimeHours, {});
  } else if (duration / 60 > 4 && xAxis.GetTimeUnit() != model::kTimeHours) {
    xAxis.SetUnit(model::kTimeMinutes, {});
  }

  if (count % kSamplesPerLine == 0) reader.SkipLines(1);
  return std::nullopt;
}

ImportResult Run(TextFileReader& reader, model::CMessungObj& measurement,
                 const ImportSettings& settings) {
  if (reader.ReadLine() != kIdentification) {
    return Failure(kMsgImportFailed, "the identification line \"Vantrel\" is missing");
  }
  ImportResult result;
  const Header header = ReadHeader(reader, settings, result);

  std::string line;
  do {
    if (measurement.GetCurveCount() >= model::kMaxCurves) {
      return Failure(kMsgImportFailed, "more curve blocks than a measurement may have curves");
    }
    if (auto failure = ReadCurveBlock(reader, header, measurement, result)) return *failure;
    line = reader.ReadLine();
  } while (line == kIdentification);

  // The line after the last block is the first of eight notes lines.
  std::vector<std::uint8_t> notes;
  const bool created = platform::RetryOnOutOfMemory(measurement.GetMessageService(), [&] {
    if (measurement.GetNotes()) {
      notes = *measurement.GetNotes();
    } else {
      notes.assign(kNotesFrame.begin(), kNotesFrame.end() - 1);
    }
  });
  if (!created) return Failure(kMsgImportFailed, "out of memory while creating the notes");
  for (int k = 0; k < kNotesLines; ++k) {
    if (k > 0) line = reader.ReadLine();
    AppendNotesLine(notes, line);
    Append(notes, kLineBreak);
  }
  notes.push_back('}');

  // Unless "Vantrel" closes the file now, two further notes lines come before it.
  line = reader.ReadLine();
  bool closed = line == kIdentification;
  if (!closed) {
    for (int extra = 0; extra < 2; ++extra) {
      if (extra > 0) line = reader.ReadLine();
      notes.pop_back();
      AppendNotesLine(notes, line);
      Append(notes, kLineBreak);
      notes.push_back('}');
    }
    closed = reader.ReadLine() == kIdentification;
  }
  measurement.SetNotes(std::move(notes));
  if (!closed) return Failure(kMsgImportFailed, "the closing line \"Vantrel\" is missing");

  if (reader.OverlongLines() > 0) {
    result.warnings.emplace_back(std::to_string(reader.OverlongLines()) +
                                 " overlong lines were cut");
  }
  return result;
}

}  // namespace

ImportResult ImportInstrumentText(std::span<const std::uint8_t> bytes,
                                  model::CMessungObj& measurement, const ImportSettings& settings) {
  try {
    TextFileReader reader(bytes);
    return Run(reader, measurement, settings);
  } catch (const std::bad_alloc&) {
    return Failure(platform::kMsgOutOfMemory, "out of memory while importing");
  }
}

}  // namespace vantrel::document
