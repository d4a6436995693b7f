// The simulated instrument serving measurements of document files: a readout over a real
// pseudo-terminal brings back names, units, interval, start time and every value to the
// instrument's resolution and names in its alphabet; formula curves stay behind; values beyond the
// stored sensor range are not clipped; files that cannot be served are named in the error.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ArchiveMeasurements.h"
#include "FakeTexts.h"
#include "SimHarness.h"
#include "document/MeasurementArchive.h"
#include "instrument/BlockProtocol.h"
#include "instrument/CInstrumentLink.h"
#include "instrument/ProtocolText.h"
#include "platform/Error.h"

namespace vantrel::sim {
namespace {

model::CKurveObj* AddCurve(model::CMessungObj& m, const std::u16string& name, int unitCode,
                           float sensorRange, int samples, float scale) {
  model::CKurveObj* curve = m.AddCurve();
  curve->SetName(name);
  curve->SetUnit(unitCode, u"");
  curve->SetChannelNumber(m.GetCurveCount());
  curve->SetSensorRange(sensorRange);
  curve->SetSampleInterval(0.02);
  curve->SetStartTime(instrument::LocalTimestamp(2023, 11, 4, 9, 41, 0));
  for (int i = 0; i < samples; ++i) {
    const float v = scale * std::sin(static_cast<float>(i) * 0.1F);
    curve->AddSample(v - 0.25F * scale, v, 0.0F);
  }
  return curve;
}

/// Reads the instrument's memory once over a pseudo-terminal.
std::vector<std::unique_ptr<model::CMessungObj>> ReadOut(std::vector<SimMeasurement> stored) {
  SimOptions options;
  options.measurements = std::move(stored);
  sim::SimHarness harness(std::move(options));
  EXPECT_TRUE(harness.Ready());
  testing::ScriptedMessages messages;
  instrument::CInstrumentLink link(&messages);
  link.SetPortSettings(harness.Path(), 38400);
  EXPECT_TRUE(link.Open(0));
  instrument::ReadoutList list;
  list.KeepFirst(link.ReadMemory(list, {}));
  link.Close();
  return list.TakeAll();
}

void ExpectValuesWithinAStep(const model::CKurveObj& read, const model::CKurveObj& original) {
  ASSERT_EQ(read.Samples().size(), original.Samples().size());
  const float step = read.GetSensorRange() * instrument::kRawScale;
  for (std::size_t i = 0; i < read.Samples().size(); ++i) {
    ASSERT_NEAR(read.Samples()[i].minimum, original.Samples()[i].minimum, step) << i;
    ASSERT_NEAR(read.Samples()[i].maximum, original.Samples()[i].maximum, step) << i;
  }
}

TEST(ArchiveMeasurements, AReadoutBringsBackTheMeasuredCurvesOfADocument) {
  model::CMessungObj m;
  m.SetName(u"Presse 3", 7);
  const model::CKurveObj* pressure = AddCurve(m, u"Druck P1", 4, 600.0F, 300, 250.0F);
  AddCurve(m, u"Formel", 4, 600.0F, 300, 10.0F)->SetOrigin(model::kOriginComputed);
  const model::CKurveObj* temperature = AddCurve(m, u"Öl", 5, 200.0F, 300, 80.0F);

  const auto read = ReadOut({MeasurementFromDocument(m, 1)});
  ASSERT_EQ(read.size(), 1U);
  const model::CMessungObj& back = *read.front();
  EXPECT_EQ(back.GetName(), u"Presse 3");
  EXPECT_EQ(back.GetStorageNumber(), 7);
  ASSERT_EQ(back.GetCurveCount(), 2);  // the formula curve is not the instrument's
  const model::CKurveObj& p = *back.GetCurve(0);
  const model::CKurveObj& t = *back.GetCurve(1);
  EXPECT_EQ(p.GetName(), u"Druck P1");
  EXPECT_EQ(t.GetName(), u"Oel");  // the instrument's names know no umlauts
  EXPECT_EQ(p.GetUnitCode(), 4);
  EXPECT_EQ(t.GetUnitCode(), 5);
  EXPECT_DOUBLE_EQ(p.GetSampleInterval(), 0.02);
  EXPECT_EQ(p.GetStartTime(), pressure->GetStartTime());
  EXPECT_EQ(p.GetSensorRange(), 600.0F);
  ExpectValuesWithinAStep(p, *pressure);
  ExpectValuesWithinAStep(t, *temperature);
}

TEST(ArchiveMeasurements, ValuesBeyondTheStoredSensorRangeWidenItInsteadOfBeingClipped) {
  model::CMessungObj m;
  const model::CKurveObj* curve = AddCurve(m, u"Kanal", 4, 10.0F, 50, 900.0F);
  const SimMeasurement stored = MeasurementFromDocument(m, 3);
  EXPECT_EQ(stored.storageNumber, 3);  // the document had none
  EXPECT_GT(stored.channels.front().sensorRange, 10.0F);
  const auto read = ReadOut({stored});
  ASSERT_EQ(read.size(), 1U);
  ExpectValuesWithinAStep(*read.front()->GetCurve(0), *curve);
}

TEST(ArchiveMeasurements, FilesThatCannotBeServedAreNamed) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vantrel_sim_files";
  std::filesystem::create_directories(folder);
  model::CMessungObj formulasOnly;
  AddCurve(formulasOnly, u"F", 4, 600.0F, 5, 1.0F)->SetOrigin(model::kOriginComputed);
  document::SaveDocumentFile(folder / "formulas.vqb", formulasOnly, 0);
  for (const char* name : {"missing.vqb", "formulas.vqb"}) {
    try {
      LoadDocumentMeasurements({folder / name});
      ADD_FAILURE() << name << " was served";
    } catch (const platform::VantrelError& error) {
      EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vantrel::sim
