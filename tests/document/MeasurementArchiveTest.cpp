#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "ArchiveBytes.h"
#include "ExpectMessage.h"
#include "TempFolder.h"
#include "document/MeasurementArchive.h"
#include "platform/FileErrors.h"

namespace vantrel::document {
namespace {

using testing::Bytes;
using vantrel::testing::MessageIdOf;
using Kind = ArchiveError::Kind;

/// The measurement of the index walk-through: one y axis, one curve with two samples.
std::unique_ptr<model::CMessungObj> WalkThroughMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  m->GetXAxis().SetRaw(2, 10.0F, 0.0F, 4, u"");
  m->GetXAxis().SetRawX(1, 0, 2, 1.0F, 0.0F, 0, 4);
  m->AddYAxis()->SetRaw(4, 100.0F, 0.0F, 3, u"");
  model::CKurveObj* c = m->AddCurve();
  c->AddSample(1.0F, 2.0F, 0.0F);
  c->AddSample(3.0F, 4.0F, 0.0F);
  c->SetColor(0x0000FF);
  c->SetSampleInterval(0.5);
  c->SetUnit(4, u"");
  c->SetRecordingKind(1);
  c->SetPeakValue(4.0F);
  c->SetChannelNumber(1);
  c->SetSourceNumber(7);
  c->SetName(u"P1");
  c->SetDuration(1);
  c->SetStartTime(1000);
  c->SetSensorRange(250.0F);
  m->SetName(u"M", 7);
  return m;
}

Bytes XAxisBytes() {
  return Bytes().I(2).F(10.0F).F(0.0F).I(4).S(u"").I(1).I(0).I(2).F(1.0F).F(0.0F).I(0).I(4);
}

/// The walk-through curve's fields after its sample list.
Bytes CurveTail() {
  return Bytes()
      .I(1)
      .I(0)
      .D(0x0000FF)
      .Q(0.5)
      .I(2)
      .I(4)
      .I(0)
      .I(1)
      .I(0)
      .F(4.0F)
      .F(0.0F)
      .F(0.0F)
      .F(0.0F)
      .F(0.0F)
      .F(0.0F)
      .I(1)
      .I(7)
      .I(0)
      .I(1)
      .I(0)
      .S(u"P1")
      .S(u"")
      .S(u"")
      .I(1)
      .I(1000)
      .F(250.0F)
      .I(0);
}

struct Sections {
  Bytes axes = Bytes().W(1).Class("CAchse").I(4).F(100.0F).F(0.0F).I(3).S(u"");
  Bytes curves = Bytes()
                     .W(1)
                     .Class("CKurveObj")
                     .W(2)
                     .Class("CValueObj")
                     .F(1.0F)
                     .F(2.0F)
                     .F(0.0F)
                     .W(0x8005)
                     .F(3.0F)
                     .F(4.0F)
                     .F(0.0F)
                     .Append(CurveTail());
  Bytes texts = Bytes().W(0);
  Bytes lines = Bytes().W(0);
  Bytes name = Bytes().S(u"M");
  Bytes notes = Bytes().W(0);
  Bytes imported = Bytes().I(1);

  Bytes File() const {
    return Bytes()
        .Append(XAxisBytes())
        .Append(axes)
        .Append(curves)
        .Append(texts)
        .Append(lines)
        .Append(name)
        .I(7)
        .Q(1.0)
        .Q(1.0)
        .Q(0.0)
        .Q(0.0)
        .I(1)
        .Append(notes)
        .I(1)
        .I(4)
        .I(3)
        .Append(imported);
  }
};

std::optional<Kind> LoadError(const std::vector<std::uint8_t>& bytes) {
  try {
    ReadDocument(bytes);
  } catch (const ArchiveError& e) {
    EXPECT_EQ(e.MessageId(), ids::kMsgUnexpectedFileFormat);
    return e.GetKind();
  }
  return std::nullopt;
}

TEST(MeasurementArchive, WritesTheIndexWalkThroughByteForByte) {
  EXPECT_EQ(DocumentBytes(*WalkThroughMeasurement(), 1), Sections().File().v);
}

TEST(MeasurementArchive, WritesFourZeroCountsForAnEmptyMeasurement) {
  const auto bytes = DocumentBytes(model::CMessungObj(), 0);
  const std::size_t xAxisSize = 4 * 4 + 4 + 7 * 4;
  ASSERT_GT(bytes.size(), xAxisSize + 8);
  EXPECT_TRUE(std::all_of(bytes.begin() + xAxisSize, bytes.begin() + xAxisSize + 8,
                          [](std::uint8_t b) { return b == 0; }));
}

TEST(MeasurementArchive, ReadsTheWalkThroughIntoTheModel) {
  const LoadedDocument doc = ReadDocument(Sections().File().v);
  const model::CMessungObj& m = *doc.measurement;
  EXPECT_EQ(doc.imported, 1);
  EXPECT_EQ(m.GetName(), u"M");
  EXPECT_EQ(m.GetStorageNumber(), 7);
  ASSERT_EQ(m.GetYAxisCount(), 1);
  EXPECT_EQ(m.GetYAxis(0)->RawMax(), 100.0F);
  EXPECT_EQ(m.GetYAxis(0)->RawUnitCode(), 4);
  EXPECT_EQ(m.GetXAxis().RawMax(), 10.0F);
  ASSERT_EQ(m.GetCurveCount(), 1);
  const model::CKurveObj& c = *m.GetCurve(0);
  ASSERT_EQ(c.GetSampleCount(), 2);
  EXPECT_EQ(c.Samples().capacity(), 2U);
  EXPECT_EQ(c.GetSample(1)->minimum, 3.0F);
  EXPECT_EQ(c.GetSample(1)->maximum, 4.0F);
  EXPECT_EQ(c.GetName(), u"P1");
  EXPECT_EQ(c.GetStartTime(), 1000U);
  EXPECT_EQ(c.GetColor(), 0x0000FFU);
  EXPECT_EQ(c.GetSensorRange(), 250.0F);
  EXPECT_FALSE(m.GetNotes().has_value());
}

TEST(MeasurementArchive, StartTimesAreUnsigned32BitSecondsBeyond2038) {
  // 2038-01-19 03:14:07, a second later, 2065-01-24, 2106-02-07 06:28:15 (UTC).
  for (const std::uint32_t stamp : {1000U, 2147483647U, 2147483648U, 3000000000U, 4294967295U}) {
    SCOPED_TRACE(stamp);
    auto m = WalkThroughMeasurement();
    m->GetCurve(0)->SetStartTime(stamp);
    const auto bytes = DocumentBytes(*m, 1);
    // Duration, start time and sensor range follow each other in the curve record.
    const Bytes fields = Bytes().I(1).D(stamp).F(250.0F);
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), fields.v.begin(), fields.v.end()),
              bytes.end());
    const LoadedDocument doc = ReadDocument(bytes);
    EXPECT_EQ(doc.measurement->GetCurve(0)->GetStartTime(), stamp);
  }
}

TEST(MeasurementArchive, LoadsWithMarkersUnsetAndNoOnlineRecording) {
  auto original = WalkThroughMeasurement();
  original->SetCursors(0.25, 0.75);
  original->SetOnlineActive(1);
  const LoadedDocument doc = ReadDocument(DocumentBytes(*original, 0));
  EXPECT_EQ(doc.measurement->GetCursorA(), -1.0);
  EXPECT_EQ(doc.measurement->GetCursorB(), -1.0);
  EXPECT_EQ(doc.measurement->GetOnlineActive(), 0);
}

TEST(MeasurementArchive, KeepsNullNotesApartFromEmptyNotes) {
  for (const bool empty : {false, true}) {
    SCOPED_TRACE(empty);
    auto m = WalkThroughMeasurement();
    if (empty) m->SetNotes(std::vector<std::uint8_t>{});
    Sections s;
    if (empty) s.notes = Bytes().Class("CByteArray", 0).W(0);
    EXPECT_EQ(DocumentBytes(*m, 1), s.File().v);
    const LoadedDocument doc = ReadDocument(s.File().v);
    EXPECT_EQ(doc.measurement->GetNotes().has_value(), empty);
    if (empty) {
      EXPECT_TRUE(doc.measurement->GetNotes()->empty());
    }
  }
}

TEST(MeasurementArchive, ReadsAnEightBitNameAsWindows1252) {
  Sections s;
  s.name = Bytes().B(3).B('2').B(0xDF).B('C');
  EXPECT_EQ(ReadDocument(s.File().v).measurement->GetName(), u"2\u00DFC");
}

/// A measurement whose indices pass 0x7FFF before the samples, texts and lines begin.
std::unique_ptr<model::CMessungObj> ManyObjectsMeasurement() {
  auto m = WalkThroughMeasurement();
  for (int i = 0; i < 33000; ++i) m->AddYAxis()->SetRaw(i % 10, 1.0F * i, 0.0F, 3, u"\u00B0C");
  m->GetCurve(0)->AddSample(-1.0F, 1e30F, 0.5F);
  model::CKurveObj* second = m->AddCurve();
  for (int i = 0; i < 5; ++i) second->AddSample(1.0F * i, 2.0F * i, 3.0F * i);
  second->SetUnit(model::kUnitCustom, u"%");
  m->AddText(u"Druckspitze \u00FC", 12, 0.25, 0.5);
  m->AddText(std::u16string(300, u'x'), 8, 0.1, 0.9);
  m->AddLine(0.25, 0.25, 0.25, -0.125);
  m->AddLine(0.0, 1.0, 1.0, -1.0);
  m->SetNotes(std::vector<std::uint8_t>{'{', '\\', 'r', 't', 'f', '1', '}'});
  return m;
}

TEST(MeasurementArchive, RoundTripsByteForByteBeyondIndex7FFF) {
  const auto first = DocumentBytes(*ManyObjectsMeasurement(), 1);
  const LoadedDocument doc = ReadDocument(first);
  EXPECT_EQ(DocumentBytes(*doc.measurement, doc.imported), first);
  EXPECT_EQ(doc.measurement->GetYAxisCount(), 33001);
  EXPECT_EQ(doc.measurement->GetCurve(1)->GetSampleCount(), 5);
  // Axes: class 1, objects 2..33002; then curve class 33003, curve 33004, sample class
  // 33005: every later sample refers to its class in the long form.
  const Bytes longTag = Bytes().W(0x7FFF).D(0x80000000U | 33005U);
  const auto found = std::search(first.begin(), first.end(), longTag.v.begin(), longTag.v.end());
  EXPECT_NE(found, first.end());
}

TEST(MeasurementArchive, RejectsEveryTruncationOfAValidFile) {
  auto m = WalkThroughMeasurement();
  m->AddText(u"T", 10, 0.5, 0.5);
  m->AddLine(0.1, 0.2, 0.3, 0.4);
  m->SetNotes(std::vector<std::uint8_t>{1, 2, 3});
  const auto bytes = DocumentBytes(*m, 0);
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    SCOPED_TRACE(size);
    EXPECT_EQ(LoadError({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)}),
              Kind::EndOfFile);
  }
}

TEST(MeasurementArchive, RejectsMalformedDocuments) {
  struct Case {
    const char* name;
    std::function<void(Sections&)> change;
    Kind kind;
  };
  const Case cases[] = {
      {"bytes after the imported flag", [](Sections& s) { s.imported.B(0); }, Kind::TrailingBytes},
      {"schema 2 in the first class record",
       [](Sections& s) { s.axes = Bytes().W(1).Class("CAchse", 2).I(4).F(1).F(0).I(3).S(u""); },
       Kind::BadSchema},
      {"absurd notes size",
       [](Sections& s) { s.notes = Bytes().Class("CByteArray", 0).W(0xFFFF).D(0xFFFFFFF0); },
       Kind::EndOfFile},
      {"curve where an axis belongs", [](Sections& s) { s.axes = Bytes().W(1).Class("CKurveObj"); },
       Kind::BadClass},
      {"null axis in the list", [](Sections& s) { s.axes = Bytes().W(1).W(0); }, Kind::BadClass},
      {"curve class where notes belong", [](Sections& s) { s.notes = Bytes().W(0x8003).W(0); },
       Kind::BadClass},
      {"sample referring back to the first sample",
       [](Sections& s) {
         s.curves = Bytes()
                        .W(1)
                        .Class("CKurveObj")
                        .W(2)
                        .Class("CValueObj")
                        .F(1.0F)
                        .F(2.0F)
                        .F(0.0F)
                        .W(0x0006)
                        .Append(CurveTail());
       },
       Kind::BadIndex},
      {"curve referring back to an axis", [](Sections& s) { s.curves = Bytes().W(1).W(0x0002); },
       Kind::BadIndex},
      {"text tag naming an unknown class",
       [](Sections& s) { s.texts = Bytes().W(1).Class("CTextObjX"); }, Kind::BadClass},
      {"sample tag naming the axis class",
       [](Sections& s) {
         s.curves =
             Bytes().W(1).Class("CKurveObj").W(1).W(0x8001).F(0).F(0).F(0).Append(CurveTail());
       },
       Kind::BadClass},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Sections s;
    c.change(s);
    EXPECT_EQ(LoadError(s.File().v), c.kind);
  }
}

TEST(MeasurementArchive, EndsTheLoadAtAbsurdCountsWithoutReservingForThem) {
  const Bytes sample = Bytes().F(1.0F).F(2.0F).F(3.0F);
  const Bytes cases[] = {
      Bytes()
          .Append(XAxisBytes())
          .W(0)
          .W(1)
          .Class("CKurveObj")
          .W(0xFFFF)
          .D(0xFFFFFFFF)
          .Class("CValueObj")
          .Append(sample)
          .W(0x8003)
          .Append(sample),
      Bytes()
          .Append(XAxisBytes())
          .W(0xFFFF)
          .D(0xFFFFFFFF)
          .Class("CAchse")
          .I(4)
          .F(1)
          .F(0)
          .I(3)
          .S(u""),
  };
  for (const Bytes& bytes : cases) EXPECT_EQ(LoadError(bytes.v), Kind::EndOfFile);
}

class MeasurementArchiveFile : public ::testing::Test {
 protected:
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_),
                                                  std::filesystem::directory_iterator()));
  }
  vantrel::testing::TempFolder folder_;
  const std::filesystem::path dir_ = folder_.Path();
};

TEST_F(MeasurementArchiveFile, SavesAndLoadsTheSameDocument) {
  const auto m = ManyObjectsMeasurement();
  const auto path = dir_ / "a.vqb";
  SaveDocumentFile(path, *m, 1);
  EXPECT_EQ(EntryCount(), 1U);
  const LoadedDocument doc = ReadDocumentFile(path);
  EXPECT_EQ(DocumentBytes(*doc.measurement, doc.imported), DocumentBytes(*m, 1));
}

TEST_F(MeasurementArchiveFile, LoadsSampleRunsAcrossBlockBoundaries) {
  model::CMessungObj m;
  for (int c = 0; c < 2; ++c) {
    model::CKurveObj* curve = m.AddCurve();
    for (int i = 0; i < 30000; ++i) curve->AddSample(1.0F * i, 2.0F * i, 0.5F * c);
  }
  const auto path = dir_ / "big.vqb";
  SaveDocumentFile(path, m, 0);
  const LoadedDocument doc = ReadDocumentFile(path);
  for (int c = 0; c < 2; ++c) {
    const auto& samples = doc.measurement->GetCurve(c)->Samples();
    ASSERT_EQ(samples.size(), 30000U);
    EXPECT_EQ(samples.capacity(), 30000U);
    EXPECT_EQ(samples[29999].minimum, 29999.0F);
    EXPECT_EQ(samples[12345].maximum, 24690.0F);
    EXPECT_EQ(samples[777].value, 0.5F * c);
  }
}

TEST_F(MeasurementArchiveFile, ReplacesTheOldFileOnlyWhenTheSaveSucceeded) {
  const auto path = dir_ / "a.vqa";
  SaveDocumentFile(path, *WalkThroughMeasurement(), 0);
  // A folder in the way of the rename: the save fails and leaves no temporary file.
  const auto blocked = dir_ / "blocked.vqb";
  std::filesystem::create_directories(blocked / "inside");
  try {
    SaveDocumentFile(blocked, *WalkThroughMeasurement(), 0);
    FAIL() << "saving over a folder succeeded";
  } catch (const platform::FileError& e) {
    EXPECT_EQ(e.MessageId(), platform::kMsgFileIsFolder);
  }
  EXPECT_EQ(EntryCount(), 2U);
  SaveDocumentFile(path, model::CMessungObj(), 1);
  EXPECT_EQ(ReadDocumentFile(path).measurement->GetCurveCount(), 0);
  EXPECT_EQ(EntryCount(), 2U);
}

TEST_F(MeasurementArchiveFile, ReportsAMissingFolderOrFileWithTheirMessages) {
  try {
    SaveDocumentFile(dir_ / "missing" / "a.vqb", model::CMessungObj(), 0);
    FAIL() << "saving into a missing folder succeeded";
  } catch (const platform::FileError& e) {
    EXPECT_EQ(e.MessageId(), platform::kMsgFileNotFound);
    EXPECT_EQ(e.File(), dir_ / "missing" / "a.vqb");
  }
  struct Case {
    std::filesystem::path path;
    int messageId;
  };
  std::filesystem::create_directories(dir_ / "folder.vqb");
  const Case cases[] = {
      {dir_ / "none.vqb", platform::kMsgFileNotFound},
      {dir_ / "no" / "folder" / "a.vqb", platform::kMsgFileNotFound},
      {dir_ / "folder.vqb", platform::kMsgFileIsFolder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    try {
      ReadDocumentFile(c.path);
      ADD_FAILURE() << "reading succeeded";
    } catch (const platform::FileError& e) {
      EXPECT_EQ(e.MessageId(), c.messageId);
      EXPECT_EQ(e.File(), c.path);
    }
  }
}

TEST_F(MeasurementArchiveFile, RejectsATruncatedFileOnDisk) {
  const auto bytes = Sections().File().v;
  const auto path = dir_ / "t.vqb";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size() - 1));
  EXPECT_THROW(ReadDocumentFile(path), ArchiveError);
}

}  // namespace
}  // namespace vantrel::document
