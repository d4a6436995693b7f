// The online session's journal in the program: it lives from the start of a recording until
// its document is saved or discarded, and rebuilds what the document holds.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QtTest/QTest>

#include "InstrumentTestSupport.h"
#include "document/MeasurementArchive.h"
#include "gui/app/CMainFrame.h"
#include "gui/instrument/COnlineDlg.h"
#include "recovery/RecoveredItem.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;

sim::SimOptions Stream() {
  sim::SimOptions options;
  options.mode = sim::SimMode::kFieldFormat;
  options.onlineChannels = 3;
  options.onlineRate = 200.0;
  options.intervalText = "0.005";
  return options;
}

std::vector<fs::path> Journals(const fs::path& folder) {
  std::vector<fs::path> found;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) {
    if (entry.path().extension() == ".vqj") found.push_back(entry.path());
  }
  return found;
}

/// Answers the start prompt and ends the online dialog with `ok` after `sets` sample sets.
ModalScript::Step Record(bool ok, long long sets) {
  return [=](QWidget& modal) {
    if (qobject_cast<QMessageBox*>(&modal) != nullptr) {
      return PressMessageButton(modal, QMessageBox::Ok);
    }
    auto* dialog = qobject_cast<gui::COnlineDlg*>(&modal);
    if (dialog == nullptr || dialog->Measurement() == nullptr ||
        dialog->Measurement()->GetCurve(0)->GetSampleCount() < sets) {
      return false;
    }
    if (ok) {
      dialog->accept();
    } else {
      dialog->reject();
    }
    return true;
  };
}

TEST(OnlineSessionJournal, JournalRebuildsTheRecordedDocumentAndGoesWhenItIsSaved) {
  InstrumentApp setup(Stream());
  ASSERT_TRUE(setup.Ready());
  const fs::path folder = setup.Folder().Path() / "recovery";
  {
    ModalScript script(Record(true, 20));
    setup.Frame().ExecuteCommand(gui::kCmdOnlineStart);
  }
  auto& documents = setup.Frame().Documents();
  ASSERT_EQ(documents.Documents().size(), 1U);
  gui::OpenDocument& document = *documents.Documents()[0];
  model::CMessungObj* measurement = document.Measurement();
  ASSERT_EQ(Journals(folder).size(), 1U);
  gui::OnlineSession& session = setup.App().Instrument().Online();
  EXPECT_TRUE(session.HasJournal(measurement));
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return measurement->GetCurve(0)->GetSampleCount() >= 100; }, 20000));
  setup.Frame().ExecuteCommand(gui::kCmdOnlineStop);
  ASSERT_EQ(Journals(folder).size(), 1U);  // kept until the document is saved

  // What a crash now would leave rebuilds the document as it is.
  const fs::path crashed = setup.Folder().Path() / "crashed.vqj";
  fs::copy_file(Journals(folder)[0], crashed);
  const auto item = recovery::RecoveredItem::Take({crashed, recovery::ItemKind::kJournal});
  ASSERT_NE(item, nullptr);
  const recovery::RecoveredDocument recovered = item->Load();
  EXPECT_EQ(recovered.sampleSets, measurement->GetCurve(0)->GetSampleCount());
  EXPECT_EQ(document::DocumentBytes(*recovered.measurement, 1),
            document::DocumentBytes(*measurement, 1));

  document.Doc().SetPathName(setup.Folder().Path() / "saved.vqb");
  ASSERT_TRUE(documents.Save(document, false));
  EXPECT_FALSE(session.HasJournal(measurement));
  EXPECT_TRUE(Journals(folder).empty());
}

TEST(OnlineSessionJournal, CancelledRecordingLeavesNoJournal) {
  InstrumentApp setup(Stream());
  ASSERT_TRUE(setup.Ready());
  {
    ModalScript script(Record(false, 5));
    setup.Frame().ExecuteCommand(gui::kCmdOnlineStart);
  }
  EXPECT_TRUE(setup.Frame().Documents().Documents().empty());
  EXPECT_TRUE(Journals(setup.Folder().Path() / "recovery").empty());
}

}  // namespace
}  // namespace vantrel::testing
