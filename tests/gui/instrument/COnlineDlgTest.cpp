// The online recording window against the simulated instrument: the start prompt, samples
// arriving while the dialog is open, OK handing the running recording to a document, the stop
// command keeping every sample, Cancel discarding the recording, and closing the document of
// a running recording.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "InstrumentTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/instrument/COnlineDlg.h"

namespace vantrel::testing {
namespace {

sim::SimOptions Stream(int channels) {
  sim::SimOptions options;
  options.mode = sim::SimMode::kFieldFormat;
  options.onlineChannels = channels;
  options.onlineRate = 100.0;
  options.onlineCounting = true;
  options.intervalText = "0.01";
  return options;
}

long long ReceivedSets(gui::COnlineDlg& dialog) {
  auto* label = dialog.findChild<QLabel*>(QStringLiteral("onlineSampleSets"));
  return label != nullptr ? label->text().toLongLong() : 0;
}

/// Answers the start prompt with OK and ends the online dialog with `ok` once it shows at
/// least `sets` received sample sets.
ModalScript::Step RecordThen(bool ok, long long sets, QString* prompt, QString shot = {}) {
  return [=](QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
      *prompt = box->windowTitle() + QStringLiteral("|") + box->text();
      return PressMessageButton(modal, QMessageBox::Ok);
    }
    auto* dialog = qobject_cast<gui::COnlineDlg*>(&modal);
    if (dialog == nullptr || ReceivedSets(*dialog) < sets) return false;
    if (!shot.isEmpty()) SaveShot(*dialog, shot);
    if (ok) {
      dialog->accept();
    } else {
      dialog->reject();
    }
    return true;
  };
}

/// Every curve holds the sample sets 0, 1, 2, ... in order, none missing.
void ExpectCompleteSequence(const model::CMessungObj& measurement, int channels) {
  ASSERT_EQ(measurement.GetCurveCount(), channels);
  const long long count = measurement.GetCurve(0)->GetSampleCount();
  for (int j = 0; j < channels; ++j) {
    const model::CKurveObj& curve = *measurement.GetCurve(j);
    ASSERT_EQ(curve.GetSampleCount(), count);
    for (long long i = 0; i < count; ++i) ASSERT_EQ(curve.GetSample(i)->value, float(i)) << j;
  }
}

TEST(COnlineDlg, OkHandsTheRunningRecordingToADocumentAndTheStopCommandKeepsEverySample) {
  InstrumentApp setup(Stream(3));
  ASSERT_TRUE(setup.Ready());
  gui::OnlineSession& session = setup.App().Instrument().Online();
  QString prompt;
  {
    ModalScript script(RecordThen(true, 5, &prompt, QStringLiteral("online_dialog")));
    setup.Frame().ExecuteCommand(gui::kCmdOnlineStart);
  }
  EXPECT_EQ(prompt, QStringLiteral(
                        "Online-Messung|Bitte verbinden Sie das Trevanometrix-Gerät mit dem PC und "
                        "schalten Sie es ein. Weiter mit OK."));
  const auto& documents = setup.Frame().Documents().Documents();
  ASSERT_EQ(documents.size(), 1U);
  model::CMessungObj* measurement = documents[0]->Measurement();
  ASSERT_NE(measurement, nullptr);
  EXPECT_TRUE(session.Records(measurement));  // the recording goes on in the document
  EXPECT_EQ(measurement->GetOnlineActive(), 1);
  const long long before = measurement->GetCurve(0)->GetSampleCount();
  EXPECT_GE(before, 5);
  // The chart window's timer takes the new samples: it clears the flag and marks the document.
  EXPECT_TRUE(WaitUntil([&] {
    return measurement->GetCurve(0)->GetSampleCount() > before && documents[0]->Doc().IsModified();
  }));

  setup.Frame().ExecuteCommand(gui::kCmdOnlineStop);
  EXPECT_FALSE(session.Recording());
  EXPECT_EQ(measurement->GetOnlineActive(), 0);
  EXPECT_EQ(setup.App().Instrument().Link().State(), 0);
  ExpectCompleteSequence(*measurement, 3);
  EXPECT_EQ(session.SampleSets(), measurement->GetCurve(0)->GetSampleCount());
  // What the timer does after the stop adds nothing.
  const long long kept = measurement->GetCurve(0)->GetSampleCount();
  session.Drain();
  QApplication::processEvents();
  EXPECT_EQ(measurement->GetCurve(0)->GetSampleCount(), kept);
}

TEST(COnlineDlg, CancelAfterTheStartStopsTheRecordingAndOpensNoDocument) {
  InstrumentApp setup(Stream(2));
  ASSERT_TRUE(setup.Ready());
  QString prompt;
  {
    ModalScript script(RecordThen(false, 3, &prompt));
    setup.Frame().ExecuteCommand(gui::kCmdOnlineStart);
  }
  EXPECT_TRUE(setup.Frame().Documents().Documents().empty());
  EXPECT_FALSE(setup.App().Instrument().Online().Recording());
  EXPECT_FALSE(setup.App().Instrument().Link().OnlineRunning());
  EXPECT_EQ(setup.App().Instrument().Link().State(), 0);
}

TEST(COnlineDlg, DecliningTheStartPromptOpensNeitherPortNorDocument) {
  InstrumentApp setup(Stream(2));
  ASSERT_TRUE(setup.Ready());
  ModalScript script([](QWidget& modal) { return PressMessageButton(modal, QMessageBox::Cancel); });
  setup.Frame().ExecuteCommand(gui::kCmdOnlineStart);
  EXPECT_TRUE(setup.Frame().Documents().Documents().empty());
  EXPECT_FALSE(setup.App().Instrument().Online().Recording());
  EXPECT_EQ(setup.Sim().Statistics().onlineSetsSent, 0U);
}

TEST(COnlineDlg, ClosingTheDocumentOfARunningRecordingStopsItFirst) {
  InstrumentApp setup(Stream(2));
  ASSERT_TRUE(setup.Ready());
  QString prompt;
  {
    ModalScript script(RecordThen(true, 2, &prompt));
    setup.Frame().ExecuteCommand(gui::kCmdOnlineStart);
  }
  ASSERT_EQ(setup.Frame().Documents().Documents().size(), 1U);
  gui::OpenDocument& document = *setup.Frame().Documents().Documents()[0];
  setup.Frame().Documents().Destroy(document);
  EXPECT_FALSE(setup.App().Instrument().Online().Recording());
  EXPECT_FALSE(setup.App().Instrument().Link().OnlineRunning());
  // What the session's timer does from now on must not touch the destroyed measurement.
  setup.App().Instrument().Online().Drain();
  QApplication::processEvents();
  EXPECT_EQ(setup.App().Instrument().Online().Measurement(), nullptr);
}

TEST(COnlineDlg, FormulaAndChartSetupButtonsWaitForTheRecording) {
  InstrumentApp setup(Stream(1));
  ASSERT_TRUE(setup.Ready());
  gui::COnlineDlg dialog(setup.Frame().Context(), setup.App().Instrument(), 0, &setup.Frame());
  auto* formula = dialog.findChild<QPushButton*>(
      QStringLiteral("control%1").arg(gui::COnlineDlg::kFormulaButton));
  ASSERT_NE(formula, nullptr);
  EXPECT_FALSE(formula->isEnabled());  // enabled once the recording runs
  auto* setupButton = dialog.findChild<QPushButton*>(
      QStringLiteral("control%1").arg(gui::COnlineDlg::kChartSetupButton));
  ASSERT_NE(setupButton, nullptr);
  EXPECT_FALSE(setupButton->isEnabled());
}

}  // namespace
}  // namespace vantrel::testing
