#include "tables/CsvExport.h"

#include <algorithm>
#include <vector>

#include "app/MessageIds.h"
#include "platform/AtomicFile.h"
#include "platform/NumberFormat.h"
#include "platform/Strings.h"
#include "tables/CellTexts.h"
#include "tables/Fixed3.h"

namespace vantrel::tables {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;
constexpr char kHyphens[] = "-------------------------------------------------------------";
static_assert(sizeof kHyphens - 1 == 61, "the separator lines have 61 hyphens");

// Collects bytes and hands them to the sink in chunks.
class Output {
 public:
  explicit Output(const ByteSink& sink) : sink_(sink), buffer_(kChunk) {}

  // Makes room for `size` more bytes and returns where they go.
  char* Reserve(std::size_t size) {
    if (buffer_.size() - used_ < size) {
      Flush();
      if (buffer_.size() < size) buffer_.resize(size);
    }
    return buffer_.data() + used_;
  }
  void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

  void Text(std::u16string_view text) { Bytes(platform::ToCp1252(text)); }
  void Bytes(std::string_view bytes) {
    char* p = Reserve(bytes.size());
    std::copy(bytes.begin(), bytes.end(), p);
    Commit(p + bytes.size());
  }
  void Repeat(char c, long long count) {
    if (count <= 0) return;
    const auto n = static_cast<std::size_t>(count);
    char* p = Reserve(n);
    std::fill(p, p + n, c);
    Commit(p + n);
  }
  void Flush() {
    if (used_ != 0) sink_(std::string_view(buffer_.data(), used_));
    used_ = 0;
  }

 private:
  const ByteSink& sink_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
};

/// A text field as the CSV rule writes it: enclosed in double quotes, with inner quotes
/// doubled, when it holds the field separator, a quote, CR or LF; otherwise as it is.
std::u16string Field(const std::u16string& text) {
  if (text.find_first_of(u";\"\r\n") == std::u16string::npos) return text;
  std::u16string quoted = u"\"";
  for (const char16_t c : text) {
    if (c == u'"') quoted += u'"';
    quoted += c;
  }
  quoted += u'"';
  return quoted;
}

void WriteCurveHeader(Output& out, const model::CKurveObj& curve, long long k, long long n,
                      const model::CMessungObj& measurement, const platform::TextSource& texts,
                      const TextConventions& conventions) {
  const char separator = conventions.decimalSeparator;
  const long long trailer = 4 * n + 1;
  auto line = [&](const std::u16string& text, long long semicolons) {
    out.Text(text);
    out.Repeat(';', semicolons);
    out.Bytes("\n");
  };
  line(platform::Widen(kHyphens), trailer);
  line(texts.Text(ids::kStrCsvCurve) + u" " + IntText(k), trailer);
  line(platform::Widen(kHyphens), trailer);
  line(Field(texts.Text(ids::kStrCsvName) + u" " + curve.GetName()), trailer);
  line(Field(texts.Text(ids::kStrCsvStartTime) + u" " + conventions.DateTime(curve.GetStartTime())),
       trailer);

  const bool levelTrigger = curve.GetTriggerMode() == 1;
  std::u16string trigger =
      Field(texts.Text(ids::kStrCsvTriggerMode) + u" " + TriggerModeText(curve, texts)) + u";";
  if (levelTrigger) {
    trigger += Field(texts.Text(ids::kStrInfoTriggerLevel) + u" " +
                     TriggerLevelText(curve, measurement, texts, separator)) +
               u";";
  } else {
    trigger += u" ;";
  }
  trigger +=
      Field(texts.Text(ids::kStrCsvPretrigger) + u" " + PretriggerText(curve, separator)) + u";";
  if (levelTrigger) {
    trigger +=
        Field(texts.Text(ids::kStrInfoTriggerChannel) + u" " + IntText(curve.GetTriggerChannel())) +
        u";";
  } else {
    trigger += u" ;";
  }
  if (HasEdgeText(curve))
    trigger += Field(texts.Text(ids::kStrCsvEdge) + u" " +
                     EdgeText(curve, ids::kStrCsvRising, ids::kStrCsvFalling, texts));
  line(trigger, 4 * n - 3);

  line(Field(texts.Text(ids::kStrCsvChannel) + u" " + IntText(curve.GetChannelNumber())) + u";" +
           Field(texts.Text(ids::kStrCsvDuration) + u" " + IntText(curve.GetDuration()) + u" s"),
       4 * n);
  line(Field(texts.Text(ids::kStrCsvUnit) + u" " + CurveUnitText(curve, texts)), trailer);
}

void WriteRows(Output& out, const model::CMessungObj& measurement, char separator) {
  const auto& curves = measurement.Curves();
  std::vector<const model::CValueObj*> data;
  std::vector<std::size_t> counts;
  std::size_t rows = 0;
  for (const auto& curve : curves) {
    data.push_back(curve->Samples().data());
    counts.push_back(curve->Samples().size());
    rows = std::max(rows, curve->Samples().size());
  }
  if (curves.empty()) return;
  const double interval = curves.front()->GetSampleInterval();
  const std::size_t rowRoom = (1 + 4 * curves.size()) * (kFixed3MaxLength + 1) + 1;
  for (std::size_t r = 0; r < rows; ++r) {
    char* p = out.Reserve(rowRoom);
    p = AppendFixed3Width10(p, static_cast<double>(r) * interval, separator);
    *p++ = ';';
    for (std::size_t c = 0; c < data.size(); ++c) {
      if (r < counts[c]) {
        const model::CValueObj& s = data[c][r];
        p = AppendFixed3Width10(p, static_cast<double>(s.minimum + s.maximum) * 0.5, separator);
        *p++ = ';';
        p = AppendFixed3Width10(p, static_cast<double>(s.minimum), separator);
        *p++ = ';';
        p = AppendFixed3Width10(p, static_cast<double>(s.maximum), separator);
        *p++ = ';';
        p = AppendFixed3Width10(p, static_cast<double>(s.value), separator);
        *p++ = ';';
      } else {
        p[0] = p[1] = p[2] = p[3] = ';';
        p += 4;
      }
    }
    *p++ = '\n';
    out.Commit(p);
  }
}

}  // namespace

void WriteCsv(const model::CMessungObj& measurement, const platform::TextSource& texts,
              const TextConventions& conventions, const ByteSink& sink) {
  Output out(sink);
  const auto& curves = measurement.Curves();
  const auto n = static_cast<long long>(curves.size());

  out.Text(Field(texts.Text(ids::kStrCsvMeasurement) + measurement.GetName()));
  out.Repeat(';', 4 * n + 1);
  out.Bytes("\n");
  for (long long i = 0; i < n; ++i) {
    WriteCurveHeader(out, *curves[static_cast<std::size_t>(i)], i + 1, n, measurement, texts,
                     conventions);
  }

  const std::u16string curveTitle = texts.Text(ids::kStrCsvCurveTitle);
  for (long long k = 1; k <= n; ++k) {
    out.Bytes(";");
    out.Text(Field(curveTitle + IntText(k)));
    out.Bytes(";;;");
  }
  out.Bytes("\n");
  out.Text(Field(texts.Text(ids::kStrColumnTime)) + u";");
  const std::u16string columnTitles =
      Field(texts.Text(ids::kStrCsvMean)) + u";" + Field(texts.Text(ids::kStrCsvMinimum)) + u";" +
      Field(texts.Text(ids::kStrCsvMaximum)) + u";" + Field(texts.Text(ids::kStrCsvValue)) + u";";
  for (long long k = 1; k <= n; ++k) out.Text(columnTitles);
  out.Bytes("\n");

  WriteRows(out, measurement, conventions.decimalSeparator);
  out.Flush();
}

std::string CsvText(const model::CMessungObj& measurement, const platform::TextSource& texts,
                    const TextConventions& conventions) {
  std::string text;
  WriteCsv(measurement, texts, conventions, [&](std::string_view bytes) { text.append(bytes); });
  return text;
}

void ExportCsvFile(const model::CMessungObj& measurement, const std::filesystem::path& path,
                   const platform::TextSource& texts, const TextConventions& conventions) {
  platform::AtomicFile file(path);
  WriteCsv(measurement, texts, conventions,
           [&](std::string_view bytes) { file.Write(bytes.data(), bytes.size()); });
  file.Commit();
}

std::u16string CsvDefaultFileName(const std::u16string& documentTitle) {
  const auto cut = documentTitle.find_first_of(u" #%;/\\.");
  return cut == std::u16string::npos ? documentTitle : documentTitle.substr(0, cut);
}

}  // namespace vantrel::tables
