// The memory readout window against the simulated instrument: every stored measurement
// becomes a document in instrument order followed by its save prompt, and Cancel during the
// transfer ends it with only the complete measurements.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

#include "InstrumentTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/instrument/CReadoutDlg.h"

namespace vantrel::testing {
namespace {

sim::SimOptions StoredMeasurements(int count, int channels, int samples) {
  sim::SimOptions options;
  options.mode = sim::SimMode::kBlock;
  options.measurements = sim::GenerateMeasurements(count, channels, samples, 3);
  return options;
}

TEST(CReadoutDlg, ReadsThreeMeasurementsIntoThreeDocumentsInOrderEachWithASavePrompt) {
  InstrumentApp setup(StoredMeasurements(3, 4, 200));
  ASSERT_TRUE(setup.Ready());
  int prompts = 0;
  ModalScript script([&](QWidget& modal) {
    if (auto* dialog = qobject_cast<gui::CReadoutDlg*>(&modal)) {
      SaveShot(*dialog, QStringLiteral("readout_dialog"));
      QMetaObject::invokeMethod(
          dialog, [dialog] { dialog->accept(); }, Qt::QueuedConnection);
      return true;
    }
    if (qobject_cast<QFileDialog*>(&modal) != nullptr) {
      ++prompts;
      return ChooseFile(modal,
                        setup.Folder().Path() / ("saved" + std::to_string(prompts) + ".vqb"));
    }
    return false;
  });
  setup.Frame().ExecuteCommand(gui::kCmdReadMemory);

  EXPECT_EQ(prompts, 3);
  const auto& documents = setup.Frame().Documents().Documents();
  ASSERT_EQ(documents.size(), 3U);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    model::CMessungObj* measurement = documents[static_cast<std::size_t>(i)]->Measurement();
    ASSERT_NE(measurement, nullptr);
    EXPECT_EQ(measurement->GetName(), u"Messung " + std::u16string(1, char16_t(u'1' + i)));
    EXPECT_EQ(measurement->GetCurveCount(), 4);
    EXPECT_EQ(measurement->GetCurve(0)->GetSampleCount(), 200);
    const auto saved = setup.Folder().Path() / ("saved" + std::to_string(i + 1) + ".vqb");
    EXPECT_TRUE(std::filesystem::exists(saved));
  }
  EXPECT_EQ(setup.Sim().Statistics().accepted, 3);
  EXPECT_EQ(setup.App().Instrument().Link().State(), 0);  // the port is closed again
  SaveShot(setup.Frame(), QStringLiteral("readout_documents"));
}

TEST(CReadoutDlg, CancelDuringTheTransferKeepsOnlyCompleteMeasurementsAndClosesThePort) {
  InstrumentApp setup(StoredMeasurements(3, 6, 5000));
  ASSERT_TRUE(setup.Ready());
  bool started = false;
  bool cancelled = false;
  bool okEnabledAfterCancel = false;
  ModalScript script([&](QWidget& modal) {
    auto* dialog = qobject_cast<gui::CReadoutDlg*>(&modal);
    if (dialog == nullptr) return ChooseFile(modal, setup.Folder().Path() / "first.vqb");
    if (!started) {
      started = true;
      QMetaObject::invokeMethod(
          dialog, [dialog] { dialog->accept(); }, Qt::QueuedConnection);
      return false;
    }
    if (!dialog->Transferring()) return false;
    // Cancel once the second measurement is under way.
    auto* progress = dialog->findChild<QProgressBar*>(QStringLiteral("control1000"));
    if (progress == nullptr || progress->value() < 4) return false;
    SaveShot(*dialog, QStringLiteral("readout_dialog_transfer"));
    dialog->reject();
    cancelled = true;
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("OK")) okEnabledAfterCancel = button->isEnabled();
    }
    return true;
  });
  setup.Frame().ExecuteCommand(gui::kCmdReadMemory);

  EXPECT_TRUE(cancelled);
  EXPECT_TRUE(okEnabledAfterCancel);
  const auto& documents = setup.Frame().Documents().Documents();
  ASSERT_EQ(documents.size(), 1U);
  EXPECT_EQ(documents[0]->Measurement()->GetCurve(0)->GetSampleCount(), 5000);
  EXPECT_EQ(setup.App().Instrument().Link().State(), 0);
  EXPECT_FALSE(setup.App().Instrument().Link().CancelRequested());
}

TEST(CReadoutDlg, CancelBeforeTheTransferOpensNoDocument) {
  InstrumentApp setup(StoredMeasurements(2, 1, 10));
  ASSERT_TRUE(setup.Ready());
  ModalScript script([](QWidget& modal) {
    if (auto* dialog = qobject_cast<gui::CReadoutDlg*>(&modal)) {
      dialog->reject();
      return true;
    }
    return false;
  });
  setup.Frame().ExecuteCommand(gui::kCmdReadMemory);
  EXPECT_TRUE(setup.Frame().Documents().Documents().empty());
  EXPECT_EQ(setup.Sim().Statistics().measurementSends, 0);
}

TEST(CReadoutDlg, APortThatCannotBeOpenedAsksRetryAndEndsWithoutDocuments) {
  InstrumentApp setup(StoredMeasurements(2, 1, 10));
  ASSERT_TRUE(setup.Ready());
  setup.App().Ports().SetOverride(1, MissingDevice(1));
  QString asked;
  ModalScript script([&](QWidget& modal) {
    if (auto* dialog = qobject_cast<gui::CReadoutDlg*>(&modal)) {
      QMetaObject::invokeMethod(
          dialog, [dialog] { dialog->accept(); }, Qt::QueuedConnection);
      return true;
    }
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
      asked = box->text();
      return PressMessageButton(modal, QMessageBox::Cancel);
    }
    return false;
  });
  setup.Frame().ExecuteCommand(gui::kCmdReadMemory);
  // The reason, not just the failure: this device does not exist.
  EXPECT_TRUE(asked.startsWith(QStringLiteral("Die Schnittstelle ")));
  EXPECT_TRUE(asked.contains(QStringLiteral("Dieses Gerät gibt es nicht"))) << asked.toStdString();
  EXPECT_TRUE(setup.Frame().Documents().Documents().empty());
}

}  // namespace
}  // namespace vantrel::testing
