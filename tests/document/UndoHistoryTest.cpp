#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "FakeTexts.h"
#include "MeasurementBuilder.h"
#include "TempFolder.h"
#include "app/CommandIds.h"
#include "document/CVantrel40Doc.h"
#include "document/MeasurementArchive.h"
#include "document/UndoHistory.h"
#include "formula/FormulaCurves.h"
#include "settings/CUserSettings.h"

namespace vantrel::document {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using model::CMessungObj;

constexpr int kStepName = ids::kCmdTitleText;

/// A measurement with three curves on two axes, a text, a line and notes.
std::unique_ptr<CMessungObj> Example() {
  auto m = testing::ChartMeasurement(3);
  m->AddText(u"Start", 10, 0.2, 0.3);
  m->AddLine(0.1, 0.1, 0.3, 0.2);
  m->SetNotes(Bytes{'{', '\\', 'r', 't', 'f', '1', '}'});
  return m;
}

Bytes Stored(const CMessungObj& m) { return DocumentBytes(m, 0); }

struct Change {
  const char* name;
  std::function<void(CMessungObj&)> apply;
};

const std::vector<Change>& Changes() {
  static const std::vector<Change> changes = {
      {"curve deletion", [](CMessungObj& m) { m.RemoveCurve(1); }},
      {"curve deletion with its axis",
       [](CMessungObj& m) {
         m.RemoveCurve(2);
         m.RemoveCurve(0);
       }},
      {"formula curve",
       [](CMessungObj& m) {
         ASSERT_NE(formula::CreateFormulaCurve(m, u"I1*2", {}).curve, nullptr);
       }},
      {"curve import",
       [](CMessungObj& m) {
         auto curve = std::make_unique<model::CKurveObj>(*m.GetCurve(0));
         curve->SetName(u"Kopie");
         ASSERT_NE(m.AdoptCurve(std::move(curve)), nullptr);
       }},
      {"curve properties",
       [](CMessungObj& m) {
         m.GetCurve(1)->SetColor(0x00FF00);
         m.GetCurve(1)->SetValueMode(model::kModeMaximum);
         m.GetCurve(2)->SetYOffset(3.5F);
       }},
      {"axis properties and a new axis",
       [](CMessungObj& m) {
         m.GetYAxis(0)->SetMax(250.0F);
         m.GetXAxis().SetDrawLines(0);
         m.GetCurve(2)->SetAxisIndex(m.GetYAxisCount());
         m.AddYAxis()->SetMax(5.0F);
         m.SetGrid(8, 5);
       }},
      {"unit preferences",
       [](CMessungObj& m) {
         settings::CUserSettings settings;
         settings.SetPressureUnit(3);
         settings.ApplyUnitPreferences(m);
       }},
      {"title text", [](CMessungObj& m) { m.SetName(u"Neuer Titel", -1); }},
      {"title visibility", [](CMessungObj& m) { m.SetTitleVisible(0); }},
      {"text placed", [](CMessungObj& m) { m.AddText(u"Ventil auf", 12, 0.5, 0.5); }},
      {"text moved", [](CMessungObj& m) { m.GetText(0)->SetPos(0.7, 0.8); }},
      {"text deleted", [](CMessungObj& m) { m.RemoveText(0); }},
      {"line drawn", [](CMessungObj& m) { m.AddLine(0.4, 0.4, -0.1, 0.2); }},
      {"line deleted", [](CMessungObj& m) { m.RemoveLine(0); }},
      {"filter commit",
       [](CMessungObj& m) {
         ASSERT_TRUE(m.GetCurve(0)->PreviewFilter(0.5F));
         m.GetCurve(0)->CommitFilter();
       }},
      {"sample edit", [](CMessungObj& m) { m.GetCurve(2)->GetSample(4)->Set(-1.0F, 9.0F, 4.0F); }},
      {"notes",
       [](CMessungObj& m) {
         m.SetNotes(Bytes{'{', '}'});
       }},
      {"notes removed", [](CMessungObj& m) { m.SetNotes(std::nullopt); }},
  };
  return changes;
}

class UndoTest : public ::testing::Test {
 protected:
  std::unique_ptr<CVantrel40Doc> Document(std::size_t budget = UndoHistory::kDefaultBudgetBytes) {
    DocumentEnvironment env;
    env.messages = &messages_;
    env.undoBudgetBytes = budget;
    auto doc = std::make_unique<CVantrel40Doc>(std::move(env), u".vqa");
    doc->SetMeasurement(Example());
    return doc;
  }

  testing::ScriptedMessages messages_;
};

TEST_F(UndoTest, EveryChangeUndoneAndRedoneRestoresTheStoredBytesExactly) {
  for (const Change& change : Changes()) {
    SCOPED_TRACE(change.name);
    auto doc = Document();
    CMessungObj& m = *doc->GetMeasurement();
    const Bytes before = Stored(m);
    change.apply(m);
    doc->RecordStep(kStepName);
    const Bytes after = Stored(m);
    ASSERT_NE(after, before);
    EXPECT_EQ(doc->History().UndoNameId(), kStepName);

    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(Stored(m), before);
    EXPECT_FALSE(doc->History().CanUndo());
    EXPECT_EQ(doc->History().RedoNameId(), kStepName);
    ASSERT_TRUE(doc->Redo());
    EXPECT_EQ(Stored(m), after);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(Stored(m), before);
  }
}

TEST_F(UndoTest, AllChangesInOneHistoryAreUndoneAndRedoneInOrder) {
  auto doc = Document();
  CMessungObj& m = *doc->GetMeasurement();
  std::vector<Bytes> states{Stored(m)};
  // Changes that need a curve, text or line which an earlier one removed are left out.
  for (const char* name : {"title text", "curve properties", "filter commit", "text moved",
                           "line drawn", "sample edit", "formula curve", "curve deletion",
                           "unit preferences", "notes", "axis properties and a new axis"}) {
    const auto change = std::find_if(Changes().begin(), Changes().end(), [name](const Change& c) {
      return std::string(c.name) == name;
    });
    ASSERT_NE(change, Changes().end());
    change->apply(m);
    doc->RecordStep(kStepName);
    states.push_back(Stored(m));
  }
  for (std::size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(Stored(m), states[i - 1]) << "after undoing step " << i;
  }
  EXPECT_FALSE(doc->Undo());
  for (std::size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(doc->Redo());
    EXPECT_EQ(Stored(m), states[i]) << "after redoing step " << i;
  }
  EXPECT_FALSE(doc->Redo());
}

TEST_F(UndoTest, ANewStepAfterUndoDropsTheUndoneSteps) {
  auto doc = Document();
  CMessungObj& m = *doc->GetMeasurement();
  m.SetName(u"A", -1);
  doc->RecordStep(kStepName);
  m.SetName(u"B", -1);
  doc->RecordStep(kStepName + 1);
  ASSERT_TRUE(doc->Undo());
  m.SetTitleVisible(0);
  doc->RecordStep(kStepName + 2);
  EXPECT_FALSE(doc->History().CanRedo());
  EXPECT_EQ(doc->History().StepCount(), 2U);
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(m.GetName(), u"A");
  EXPECT_EQ(m.GetTitleVisible(), 1);
}

TEST_F(UndoTest, ZoomScrollAndMarkersAreViewsThatUndoLeavesAlone) {
  auto doc = Document();
  CMessungObj& m = *doc->GetMeasurement();
  m.SetName(u"Neu", -1);
  doc->RecordStep(kStepName);
  m.SetZoom(4.0, 2.0);
  m.SetScroll(0.25, 0.5);
  m.SetCursors(1.5, 2.5);
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(m.GetName(), u"Pumpe");
  EXPECT_EQ(m.GetXZoom(), 4.0);
  EXPECT_EQ(m.GetYScroll(), 0.5);
  EXPECT_EQ(m.GetCursorB(), 2.5);
}

TEST_F(UndoTest, ModifiedFlagFollowsTheSavedState) {
  testing::TempFolder folder;
  auto doc = Document();
  CMessungObj& m = *doc->GetMeasurement();
  EXPECT_FALSE(doc->IsModified());
  m.SetName(u"Eins", -1);
  doc->RecordStep(kStepName);
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->DoSave(folder.Path() / "a.vqb"));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(doc->History().CanUndo());  // the history survives saving

  m.SetName(u"Zwei", -1);
  doc->RecordStep(kStepName);
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->Undo());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(doc->NeedsSaveQuery());
  ASSERT_TRUE(doc->Undo());
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->Redo());
  EXPECT_FALSE(doc->IsModified());
  ASSERT_TRUE(doc->Redo());
  EXPECT_TRUE(doc->IsModified());

  // A change that is no step leaves no way back to the saved state.
  ASSERT_TRUE(doc->Undo());
  doc->SetModifiedFlag(true);
  ASSERT_TRUE(doc->Undo());
  ASSERT_TRUE(doc->Redo());
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(UndoTest, StepsThatDoNotModifyLeaveTheSavedStateWithinReach) {
  auto doc = Document();
  CMessungObj& m = *doc->GetMeasurement();
  m.SetTitleVisible(0);
  doc->RecordStep(kStepName, false);
  EXPECT_FALSE(doc->IsModified());
  m.SetName(u"Neu", -1);
  doc->RecordStep(kStepName);
  m.SetTitleVisible(1);
  doc->RecordStep(kStepName, false);
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->Undo());
  EXPECT_TRUE(doc->IsModified());
  ASSERT_TRUE(doc->Undo());
  EXPECT_FALSE(doc->IsModified());  // only the hidden title differs from the saved state
  ASSERT_TRUE(doc->Undo());
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(UndoTest, UndoToTheStartOfAnImportDoesNotBringBackTheImportedState) {
  auto doc = CVantrel40Doc::FromMeasurement({}, u".vqa", Example());
  ASSERT_EQ(doc->GetImported(), 1);
  doc->GetMeasurement()->SetName(u"Neu", -1);
  doc->RecordStep(kStepName);
  EXPECT_EQ(doc->GetImported(), 0);
  ASSERT_TRUE(doc->Undo());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(doc->GetImported(), 0);
  EXPECT_TRUE(doc->NeedsSaveQuery());  // the measurement is in no file
}

TEST_F(UndoTest, OpeningAnotherMeasurementStartsTheHistoryOver) {
  auto doc = Document();
  doc->GetMeasurement()->SetName(u"Neu", -1);
  doc->RecordStep(kStepName);
  doc->SetMeasurement(Example());
  EXPECT_FALSE(doc->History().CanUndo());
  EXPECT_FALSE(doc->Undo());
}

TEST_F(UndoTest, StepsBeyondTheBudgetAreDroppedOldestFirst) {
  // Each sample edit leaves the replaced samples to its step alone.
  const auto edit = [](CVantrel40Doc& doc, int i) {
    doc.GetMeasurement()->GetCurve(i % 3)->GetSample(i)->Set(0.0F, 0.0F, static_cast<float>(i));
    doc.RecordStep(kStepName + i);
  };
  // The budget: what four steps hold.
  std::size_t budget = 0;
  {
    auto unbounded = Document();
    for (int i = 0; i < 4; ++i) edit(*unbounded, i);
    budget = unbounded->History().HeldBytes(*unbounded->GetMeasurement());
  }
  auto doc = Document(budget);
  CMessungObj& m = *doc->GetMeasurement();
  std::vector<Bytes> states{Stored(m)};
  for (int i = 0; i < 12; ++i) {
    edit(*doc, i);
    states.push_back(Stored(m));
    EXPECT_LE(doc->History().HeldBytes(m), budget);
  }
  const std::size_t kept = doc->History().StepCount();
  ASSERT_GE(kept, 2U);
  ASSERT_LT(kept, 12U);
  for (std::size_t i = 0; i < kept; ++i) {
    EXPECT_EQ(doc->History().UndoNameId(), kStepName + 11 - static_cast<int>(i));
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(Stored(m), states[11 - i]);
  }
  EXPECT_FALSE(doc->History().CanUndo());
  EXPECT_TRUE(doc->IsModified());  // the saved state was dropped with the oldest steps
}

TEST_F(UndoTest, ATitleStepSharesTheSamplesOfEveryCurve) {
  auto doc = Document();
  CMessungObj& m = *doc->GetMeasurement();
  constexpr int kLongCurve = 100000;
  for (int i = 0; i < kLongCurve; ++i) m.GetCurve(0)->AddSample(1.0F, 2.0F, 3.0F);
  doc->NoteChangeWithoutStep();
  std::vector<const model::CValueObj*> storage;
  for (const auto& curve : m.Curves()) storage.push_back(curve->Samples().data());
  for (int i = 0; i < 50; ++i) {
    m.SetName(u"Titel " + std::u16string(1, static_cast<char16_t>(u'A' + i)), -1);
    doc->RecordStep(kStepName);
  }
  ASSERT_TRUE(doc->Undo());
  ASSERT_TRUE(doc->Redo());
  for (int i = 0; i < m.GetCurveCount(); ++i) {
    EXPECT_EQ(m.GetCurve(i)->Samples().data(), storage[static_cast<std::size_t>(i)]);
  }
  // Only the small states, no samples.
  EXPECT_LT(doc->History().HeldBytes(m), kLongCurve * sizeof(model::CValueObj) / 4);
}

TEST_F(UndoTest, SamplesArrivingFromARecordingAreNoStepAndSurviveUndo) {
  auto doc = Document();
  CMessungObj& m = *doc->GetMeasurement();
  m.SetOnlineActive(1);
  model::CKurveObj& recorded = *m.GetCurve(0);
  m.SetName(u"Neu", -1);
  doc->RecordStep(kStepName);
  for (int i = 0; i < 5; ++i) recorded.AddSample(1.0F, 2.0F, 3.0F);
  recorded.SetDuration(13);
  doc->NoteChangeWithoutStep();
  m.GetYAxis(0)->SetMax(500.0F);  // the recording widens the axis
  doc->NoteChangeWithoutStep();

  m.GetCurve(1)->GetSample(0)->Set(7.0F, 7.0F, 7.0F);
  recorded.GetSample(3)->Set(-5.0F, -5.0F, -5.0F);
  doc->RecordStep(kStepName + 1);
  for (int i = 0; i < 4; ++i) recorded.AddSample(4.0F, 5.0F, 6.0F);
  recorded.SetDuration(15);

  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(m.GetCurve(0), &recorded);
  EXPECT_EQ(recorded.GetSampleCount(), 21 + 5 + 4);
  EXPECT_EQ(recorded.GetDuration(), 15);
  EXPECT_NE(std::as_const(recorded).GetSample(3)->value, -5.0F);
  EXPECT_EQ(std::as_const(recorded).GetSample(29)->value, 6.0F);
  EXPECT_NE(std::as_const(*m.GetCurve(1)).GetSample(0)->value, 7.0F);
  ASSERT_TRUE(doc->Undo());
  EXPECT_EQ(m.GetName(), u"Pumpe");
  EXPECT_EQ(m.GetYAxis(0)->GetMax(), 500.0F);
  EXPECT_EQ(recorded.GetSampleCount(), 30);
  ASSERT_TRUE(doc->Redo());
  ASSERT_TRUE(doc->Redo());
  EXPECT_EQ(std::as_const(recorded).GetSample(3)->value, -5.0F);
  EXPECT_EQ(recorded.GetSampleCount(), 30);
}

TEST(UndoHistory, RecordsNothingWithoutAStartState) {
  UndoHistory history;
  CMessungObj m;
  history.Reset(nullptr);
  history.Record(kStepName, m);
  EXPECT_FALSE(history.CanUndo());
  m.SetName(u"x", -1);
  history.Record(kStepName, m);
  EXPECT_TRUE(history.CanUndo());
  EXPECT_FALSE(history.Redo(m));
  EXPECT_EQ(history.RedoNameId(), 0);
}

}  // namespace
}  // namespace vantrel::document
