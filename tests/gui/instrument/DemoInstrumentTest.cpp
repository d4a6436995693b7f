// Demo mode end to end: the program starts the simulated instrument, reads its stored
// measurements and records its stream on port 1 whatever port the profile names, and reads
// again after a recording.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMessageBox>

#include "InstrumentTestSupport.h"
#include "app/ProductInfo.h"
#include "gui/app/CMainFrame.h"
#include "gui/instrument/COnlineDlg.h"
#include "gui/instrument/CReadoutDlg.h"

namespace vantrel::testing {
namespace {

/// Starts the readout, declines every save prompt; returns the prompts seen.
int ReadAndDeclineSaving(gui::CMainFrame& frame) {
  int prompts = 0;
  ModalScript script([&](QWidget& modal) {
    if (auto* dialog = qobject_cast<gui::CReadoutDlg*>(&modal)) {
      QMetaObject::invokeMethod(
          dialog, [dialog] { dialog->accept(); }, Qt::QueuedConnection);
      return true;
    }
    if (auto* files = qobject_cast<QFileDialog*>(&modal)) {
      ++prompts;
      files->reject();
      return true;
    }
    return false;
  });
  frame.ExecuteCommand(gui::kCmdReadMemory);
  return prompts;
}

TEST(DemoInstrument, ServesReadoutAndOnlineRecordingOnPortOneWhateverTheProfileSays) {
  TempFolder folder;
  {
    app::ProfileStore profile(folder.Path() / "profile.ini");
    app::SetPortNumber(profile, 6);
  }
  gui::CVantrel40App app;
  gui::StartupOptions options;
  options.programDirectory = ProgramDirectory();
  options.language = "GER";
  options.startPicture = false;
  options.profilePath = folder.Path() / "profile.ini";
  options.demo = true;
  ASSERT_TRUE(app.InitInstance(options, true));
  gui::CMainFrame& frame = app.MainFrame();
  EXPECT_EQ(app.Instrument().PortNumber(), 1);

  EXPECT_EQ(ReadAndDeclineSaving(frame), 3);
  ASSERT_EQ(frame.Documents().Documents().size(), 3U);
  EXPECT_EQ(frame.Documents().Documents()[2]->Measurement()->GetCurveCount(), 4);

  QString prompt;
  {
    ModalScript script([&](QWidget& modal) {
      if (qobject_cast<QMessageBox*>(&modal) != nullptr) {
        return PressMessageButton(modal, QMessageBox::Ok);
      }
      auto* dialog = qobject_cast<gui::COnlineDlg*>(&modal);
      if (dialog == nullptr || dialog->Measurement() == nullptr ||
          dialog->Measurement()->GetCurveCount() == 0 ||
          dialog->Measurement()->GetCurve(0)->GetSampleCount() < 3) {
        return false;
      }
      dialog->accept();
      return true;
    });
    frame.ExecuteCommand(gui::kCmdOnlineStart);
  }
  ASSERT_EQ(frame.Documents().Documents().size(), 4U);
  model::CMessungObj* recorded = frame.Documents().Documents()[3]->Measurement();
  EXPECT_EQ(recorded->GetCurveCount(), 4);
  frame.ExecuteCommand(gui::kCmdOnlineStop);
  EXPECT_GE(recorded->GetCurve(0)->GetSampleCount(), 3);
  SaveShot(frame, QStringLiteral("demo_documents"));

  // The stream the recording left running ends when the readout opens the port.
  EXPECT_EQ(ReadAndDeclineSaving(frame), 3);
  EXPECT_EQ(frame.Documents().Documents().size(), 7U);
  EXPECT_EQ(app::GetPortNumber(app.Profile()), 6);  // the profile was not written
}

}  // namespace
}  // namespace vantrel::testing
