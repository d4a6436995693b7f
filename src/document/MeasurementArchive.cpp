// Order of a document file, from its first byte: x axis (no tag), y-axis list, curve list
// (each curve starting with its sample list), text list, line list, name, storage number,
// zoom and scroll, title visible, notes reference, grid, imported flag.
#include "document/MeasurementArchive.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "document/ArchiveError.h"
#include "platform/AtomicFile.h"
#include "platform/FileErrors.h"
#include "platform/OrdinaryFile.h"

namespace vantrel::document {
namespace {

using model::CAchse;
using model::CKurveObj;
using model::CLineObj;
using model::CMessungObj;
using model::CTextObj;
using model::CValueObj;
using model::CXAchse;

/// Stored bytes of one sample: minimum, maximum, value.
constexpr std::size_t kSampleRecordSize = 12;
/// How far ahead of the sample being written the samples are fetched into the cache.
constexpr std::size_t kSamplesAhead = 256;
/// The least a sample can take in a file: a short class back-reference and its record.
constexpr std::size_t kMinSampleBytes = 2 + kSampleRecordSize;

// ---- writing ----

void WriteAxisPart(ArchiveWriter& w, const CAchse& axis) {
  w.WriteInt(axis.RawUnitCode());
  w.WriteFloat(axis.RawMax());
  w.WriteFloat(axis.RawMin());
  w.WriteInt(axis.RawDivisions());
  w.WriteString(axis.RawUnitText());
}

void WriteXAxis(ArchiveWriter& w, const CXAchse& axis) {
  WriteAxisPart(w, axis);
  w.WriteInt(axis.RawDrawLines());
  w.WriteInt(axis.RawXYMode());
  w.WriteInt(axis.RawTimeUnit());
  w.WriteFloat(axis.RawXYMax());
  w.WriteFloat(axis.RawXYMin());
  w.WriteInt(axis.RawXCurveIndex());
  w.WriteInt(axis.RawXYDivisions());
}

void WriteSamples(ArchiveWriter& w, const CKurveObj& c) {
  const std::vector<CValueObj>& samples = c.Samples();
  w.WriteCount(samples.size());
  w.WriteObjectRun(
      ArchiveClass::ValueObj, samples.size(), kSampleRecordSize,
      [first = samples.data(), count = samples.size()](std::size_t i, std::uint8_t* out) {
        // The samples' start by value: the output bytes could alias the vector, which
        // would reload it for every record. Samples further on are fetched meanwhile.
        if (i + kSamplesAhead < count) __builtin_prefetch(first + i + kSamplesAhead);
        const CValueObj& s = first[i];
        ArchiveWriter::StoreFloat(out, s.minimum);
        ArchiveWriter::StoreFloat(out + 4, s.maximum);
        ArchiveWriter::StoreFloat(out + 8, s.value);
      });
}

/// A curve's fields after its sample list.
void WriteCurveFields(ArchiveWriter& w, const CKurveObj& c) {
  w.WriteInt(c.GetVisible());
  w.WriteInt(c.GetTriggerEdge());
  w.WriteDword(c.GetColor());
  w.WriteDouble(c.GetSampleInterval());
  w.WriteInt(c.GetValueMode());
  w.WriteInt(c.GetUnitCode());
  w.WriteInt(c.GetOrigin());
  w.WriteInt(c.GetRecordingKind());
  w.WriteInt(c.GetTriggerMode());
  w.WriteFloat(c.GetPeakValue());
  w.WriteFloat(c.GetFilterCutoff());
  w.WriteFloat(c.GetTriggerLevel());
  w.WriteFloat(c.GetPretrigger());
  w.WriteFloat(c.GetYOffset());
  w.WriteFloat(c.GetXOffset());
  w.WriteInt(c.GetChannelNumber());
  w.WriteInt(c.GetSourceNumber());
  w.WriteInt(c.GetDrawOrder());
  w.WriteInt(c.GetTriggerChannel());
  w.WriteInt(c.GetAxisIndex());
  w.WriteString(c.GetName());
  w.WriteString(c.GetUnitText());
  w.WriteString(c.GetSourceText());
  w.WriteInt(c.GetDuration());
  w.WriteDword(c.GetStartTime());
  w.WriteFloat(c.GetSensorRange());
  w.WriteInt(c.GetTriggerInPercent());
}

// ---- reading ----

void ReadAxisPart(ArchiveReader& r, CAchse& axis) {
  const std::int32_t unitCode = r.ReadInt();
  const float max = r.ReadFloat();
  const float min = r.ReadFloat();
  const std::int32_t divisions = r.ReadInt();
  axis.SetRaw(unitCode, max, min, divisions, r.ReadString());
}

void ReadXAxis(ArchiveReader& r, CXAchse& axis) {
  ReadAxisPart(r, axis);
  const std::int32_t drawLines = r.ReadInt();
  const std::int32_t xyMode = r.ReadInt();
  const std::int32_t timeUnit = r.ReadInt();
  const float xyMax = r.ReadFloat();
  const float xyMin = r.ReadFloat();
  const std::int32_t xCurveIndex = r.ReadInt();
  axis.SetRawX(drawLines, xyMode, timeUnit, xyMax, xyMin, xCurveIndex, r.ReadInt());
}

void ReadSamples(ArchiveReader& r, std::vector<CValueObj>& samples) {
  const std::uint32_t count = r.ReadCount();
  // An honest file holds every announced sample, so this is exactly the count; a lying
  // count cannot reserve more than the rest of the file could fill.
  samples.reserve(static_cast<std::size_t>(r.BoundCount(count, kMinSampleBytes)));
  r.ReadObjectRun(
      ArchiveClass::ValueObj, count, kSampleRecordSize, [&samples](const std::uint8_t* in) {
        samples.emplace_back(ArchiveReader::LoadFloat(in), ArchiveReader::LoadFloat(in + 4),
                             ArchiveReader::LoadFloat(in + 8));
      });
}

/// A curve's fields after its sample list.
void ReadCurveFields(ArchiveReader& r, CKurveObj& c) {
  c.SetVisible(r.ReadInt());
  c.SetTriggerEdge(r.ReadInt());
  c.SetColor(r.ReadDword());
  c.SetSampleInterval(r.ReadDouble());
  c.SetValueMode(r.ReadInt());
  const std::int32_t unitCode = r.ReadInt();
  c.SetOrigin(r.ReadInt());
  c.SetRecordingKind(r.ReadInt());
  c.SetTriggerMode(r.ReadInt());
  c.SetPeakValue(r.ReadFloat());
  c.SetFilterCutoff(r.ReadFloat());
  c.SetTriggerLevel(r.ReadFloat());
  c.SetPretrigger(r.ReadFloat());
  c.SetYOffset(r.ReadFloat());
  c.SetXOffset(r.ReadFloat());
  c.SetChannelNumber(r.ReadInt());
  c.SetSourceNumber(r.ReadInt());
  c.SetDrawOrder(r.ReadInt());
  c.SetTriggerChannel(r.ReadInt());
  c.SetAxisIndex(r.ReadInt());
  c.SetName(r.ReadString());
  // The stored code and text are taken as they are, whatever the code.
  c.SetUnit(unitCode, u"");
  c.SetUnitText(r.ReadString());
  c.SetSourceText(r.ReadString());
  c.SetDuration(r.ReadInt());
  c.SetStartTime(r.ReadDword());
  c.SetSensorRange(r.ReadFloat());
  c.SetTriggerInPercent(r.ReadInt());
}

std::unique_ptr<CKurveObj> ReadCurve(ArchiveReader& r) {
  auto c = std::make_unique<CKurveObj>();
  ReadSamples(r, c->MutableSamples());
  ReadCurveFields(r, *c);
  return c;
}

std::unique_ptr<CTextObj> ReadText(ArchiveReader& r) {
  std::u16string text = r.ReadString();
  const double x = r.ReadDouble();
  const double y = r.ReadDouble();
  const std::int32_t size = r.ReadInt();
  return std::make_unique<CTextObj>(std::move(text), size, x, y);
}

std::unique_ptr<CLineObj> ReadLine(ArchiveReader& r) {
  const double x = r.ReadDouble();
  const double y = r.ReadDouble();
  const double dx = r.ReadDouble();
  const double dy = r.ReadDouble();
  return std::make_unique<CLineObj>(x, y, dx, dy);
}

/// Reads a list of `cls` objects with `readOne`, handing each to `append`.
template <typename ReadOne, typename Append>
void ReadList(ArchiveReader& r, ArchiveClass cls, ReadOne readOne, Append append) {
  const std::uint32_t count = r.ReadCount();
  for (std::uint32_t i = 0; i < count; ++i) {
    r.ReadObjectTag(cls, false);
    append(readOne(r));
  }
}

/// The x axis and the y-axis list: what comes before the curve list.
void WriteHead(ArchiveWriter& w, const CMessungObj& m) {
  WriteXAxis(w, m.GetXAxis());
  w.WriteCount(m.YAxes().size());
  for (const auto& axis : m.YAxes()) {
    w.BeginObject(ArchiveClass::Achse);
    WriteAxisPart(w, *axis);
  }
}

/// Everything after the curve list, down to the imported flag.
void WriteTail(ArchiveWriter& w, const CMessungObj& m, int imported) {
  w.WriteCount(m.Texts().size());
  for (const auto& text : m.Texts()) {
    w.BeginObject(ArchiveClass::TextObj);
    w.WriteString(text->GetText());
    w.WriteDouble(text->GetPosX());
    w.WriteDouble(text->GetPosY());
    w.WriteInt(text->GetFontSize());
  }
  w.WriteCount(m.Lines().size());
  for (const auto& line : m.Lines()) {
    w.BeginObject(ArchiveClass::LineObj);
    w.WriteDouble(line->GetPosX());
    w.WriteDouble(line->GetPosY());
    w.WriteDouble(line->GetDx());
    w.WriteDouble(line->GetDy());
  }
  w.WriteString(m.GetName());
  w.WriteInt(m.GetStorageNumber());
  w.WriteDouble(m.GetXZoom());
  w.WriteDouble(m.GetYZoom());
  w.WriteDouble(m.GetXScroll());
  w.WriteDouble(m.GetYScroll());
  w.WriteInt(m.GetTitleVisible());
  if (m.GetNotes().has_value()) {
    const std::vector<std::uint8_t>& notes = *m.GetNotes();
    w.BeginObject(ArchiveClass::ByteArray);
    w.WriteCount(notes.size());
    w.WriteBytes(notes.data(), notes.size());
  } else {
    w.WriteNullReference();
  }
  int columns = 0;
  int rows = 0;
  m.GetGrid(&columns, &rows);
  w.WriteInt(m.IsGridVisible());
  w.WriteInt(columns);
  w.WriteInt(rows);
  w.WriteInt(imported);
}

void ReadHead(ArchiveReader& r, CMessungObj& m) {
  ReadXAxis(r, m.GetXAxis());
  ReadList(
      r, ArchiveClass::Achse,
      [](ArchiveReader& in) {
        auto axis = std::make_unique<CAchse>();
        ReadAxisPart(in, *axis);
        return axis;
      },
      [&m](std::unique_ptr<CAchse> axis) { m.AppendLoadedAxis(std::move(axis)); });
}

/// Reads everything after the curve list and checks that nothing follows; returns the
/// imported flag.
int ReadTail(ArchiveReader& r, CMessungObj& m) {
  ReadList(r, ArchiveClass::TextObj, ReadText,
           [&m](std::unique_ptr<CTextObj> text) { m.AppendLoadedText(std::move(text)); });
  ReadList(r, ArchiveClass::LineObj, ReadLine,
           [&m](std::unique_ptr<CLineObj> line) { m.AppendLoadedLine(std::move(line)); });
  std::u16string name = r.ReadString();
  const std::int32_t storageNumber = r.ReadInt();
  const double xZoom = r.ReadDouble();
  const double yZoom = r.ReadDouble();
  const double xScroll = r.ReadDouble();
  const double yScroll = r.ReadDouble();
  const std::int32_t titleVisible = r.ReadInt();
  m.SetStoredState(std::move(name), storageNumber, xZoom, yZoom, xScroll, yScroll, titleVisible);
  if (r.ReadObjectTag(ArchiveClass::ByteArray, true)) {
    m.SetNotes(r.ReadByteVector(r.ReadCount()));
  }
  m.SetGridVisible(r.ReadInt());
  const std::int32_t columns = r.ReadInt();
  m.SetGrid(columns, r.ReadInt());
  const int imported = r.ReadInt();
  if (!r.AtEnd()) {
    throw ArchiveError(
        ArchiveError::Kind::TrailingBytes,
        "bytes after the end of the document at byte " + std::to_string(r.Position()));
  }
  return imported;
}

/// The output of a conversion. Creating or writing it may fail; the failure is kept instead
/// of thrown and everything after it is dropped, so that reading goes on and a faulty input
/// is reported as such whatever happened to the output, as when a document is read before
/// it is saved. A device or pipe, written in place, gets the bytes only once the input has
/// been read to its end: it must not receive half a document.
class ConversionOutput {
 public:
  explicit ConversionOutput(const std::filesystem::path& path)
      : writer_([this](const std::uint8_t* data, std::size_t size) { Store(data, size); }) {
    try {
      file_.emplace(path);
    } catch (...) {
      failure_ = std::current_exception();
    }
  }

  /// Runs `write(writer)` unless writing failed before.
  template <typename Step>
  void Write(Step&& write) {
    if (failure_) return;
    try {
      write(writer_);
    } catch (...) {
      failure_ = std::current_exception();
    }
  }

  /// Writes what is left and replaces the target; returns the failure, null when saved.
  std::exception_ptr Commit() {
    Write([this](ArchiveWriter& w) {
      w.Flush();
      if (!held_.empty()) file_->Write(reinterpret_cast<const char*>(held_.data()), held_.size());
      file_->Commit();
    });
    return failure_;
  }

 private:
  void Store(const std::uint8_t* data, std::size_t size) {
    if (file_->WritesInPlace()) {
      held_.insert(held_.end(), data, data + size);
    } else {
      file_->Write(reinterpret_cast<const char*>(data), size);
    }
  }

  std::optional<platform::AtomicFile> file_;
  ArchiveWriter writer_;
  std::vector<std::uint8_t> held_;  // for a target written in place
  std::exception_ptr failure_;
};

/// Copies a curve's sample list record by record, a cache-sized run at a time.
void CopySamples(ArchiveReader& r, ConversionOutput& out) {
  constexpr std::size_t kRunSamples = 4096;
  std::vector<std::uint8_t> run(kRunSamples * kSampleRecordSize);
  const std::uint32_t count = r.ReadCount();
  out.Write([count](ArchiveWriter& w) { w.WriteCount(count); });
  for (std::uint32_t done = 0; done < count;) {
    const std::size_t n = std::min<std::size_t>(kRunSamples, count - done);
    std::uint8_t* next = run.data();
    r.ReadObjectRun(ArchiveClass::ValueObj, n, kSampleRecordSize, [&next](const std::uint8_t* in) {
      std::memcpy(next, in, kSampleRecordSize);
      next += kSampleRecordSize;
    });
    out.Write([&run, n](ArchiveWriter& w) {
      w.WriteObjectRun(ArchiveClass::ValueObj, n, kSampleRecordSize,
                       [first = run.data()](std::size_t i, std::uint8_t* record) {
                         std::memcpy(record, first + i * kSampleRecordSize, kSampleRecordSize);
                       });
    });
    done += static_cast<std::uint32_t>(n);
  }
}

}  // namespace

void WriteDocument(ArchiveWriter& w, const CMessungObj& m, int imported) {
  WriteHead(w, m);
  w.WriteCount(m.Curves().size());
  for (const auto& curve : m.Curves()) {
    w.BeginObject(ArchiveClass::KurveObj);
    WriteSamples(w, *curve);
    WriteCurveFields(w, *curve);
  }
  WriteTail(w, m, imported);
}

std::vector<std::uint8_t> DocumentBytes(const CMessungObj& m, int imported) {
  std::vector<std::uint8_t> bytes;
  ArchiveWriter w([&bytes](const std::uint8_t* data, std::size_t size) {
    bytes.insert(bytes.end(), data, data + size);
  });
  WriteDocument(w, m, imported);
  w.Flush();
  return bytes;
}

LoadedDocument ReadDocument(ArchiveReader& r, platform::MessageService* messages) {
  auto m = std::make_unique<CMessungObj>(messages);
  ReadHead(r, *m);
  ReadList(r, ArchiveClass::KurveObj, ReadCurve,
           [&m](std::unique_ptr<CKurveObj> curve) { m->AppendLoadedCurve(std::move(curve)); });
  LoadedDocument loaded;
  loaded.imported = ReadTail(r, *m);
  loaded.measurement = std::move(m);
  return loaded;
}

LoadedDocument ReadDocument(std::span<const std::uint8_t> bytes,
                            platform::MessageService* messages) {
  ArchiveReader reader(bytes);
  return ReadDocument(reader, messages);
}

LoadedDocument ReadDocumentFile(const std::filesystem::path& path,
                                platform::MessageService* messages) {
  std::uintmax_t size = 0;
  const platform::StreamHandle file = platform::OpenOrdinaryStream(path, size);
  ArchiveReader reader(file.get(), size);
  return ReadDocument(reader, messages);
}

void SaveDocumentFile(const std::filesystem::path& path, const CMessungObj& m, int imported) {
  platform::AtomicFile file(path);
  ArchiveWriter w([&file](const std::uint8_t* data, std::size_t size) {
    file.Write(reinterpret_cast<const char*>(data), size);
  });
  WriteDocument(w, m, imported);
  w.Flush();
  file.Commit();
}

std::exception_ptr ConvertDocumentFile(const std::filesystem::path& in,
                                       const std::filesystem::path& out,
                                       platform::MessageService* messages) {
  std::uintmax_t size = 0;
  const platform::StreamHandle file = platform::OpenOrdinaryStream(in, size);
  ArchiveReader r(file.get(), size);
  ConversionOutput output(out);
  // Everything but the samples is read into a measurement and written from it, through the
  // same functions as a load and a save.
  CMessungObj m(messages);
  ReadHead(r, m);
  output.Write([&m](ArchiveWriter& w) { WriteHead(w, m); });
  const std::uint32_t curves = r.ReadCount();
  output.Write([curves](ArchiveWriter& w) { w.WriteCount(curves); });
  for (std::uint32_t i = 0; i < curves; ++i) {
    r.ReadObjectTag(ArchiveClass::KurveObj, false);
    output.Write([](ArchiveWriter& w) { w.BeginObject(ArchiveClass::KurveObj); });
    CopySamples(r, output);
    CKurveObj curve;
    ReadCurveFields(r, curve);
    output.Write([&curve](ArchiveWriter& w) { WriteCurveFields(w, curve); });
  }
  const int imported = ReadTail(r, m);
  output.Write([&m, imported](ArchiveWriter& w) { WriteTail(w, m, imported); });
  return output.Commit();
}

}  // namespace vantrel::document
