// Demo mode end to end: the program starts the simulated instrument, reads its stored
// measurements and records its stream on port 1 whatever port the profile names, and reads
// again after a recording. The simulator never outlives the program, even a killed one.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <csignal>
#include <fstream>
#include <sstream>

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

  // The five demonstration measurements: cylinder test, pump characteristic, valve switching,
  // warm-up and machine cycle.
  EXPECT_EQ(ReadAndDeclineSaving(frame), 5);
  ASSERT_EQ(frame.Documents().Documents().size(), 5U);
  EXPECT_EQ(frame.Documents().Documents()[0]->Measurement()->GetName(), u"Zylindertest");
  EXPECT_EQ(frame.Documents().Documents()[4]->Measurement()->GetCurveCount(), 6);

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
  ASSERT_EQ(frame.Documents().Documents().size(), 6U);
  model::CMessungObj* recorded = frame.Documents().Documents()[5]->Measurement();
  EXPECT_EQ(recorded->GetCurveCount(), 3);
  frame.ExecuteCommand(gui::kCmdOnlineStop);
  EXPECT_GE(recorded->GetCurve(0)->GetSampleCount(), 3);
  SaveShot(frame, QStringLiteral("demo_documents"));

  // The stream the recording left running ends when the readout opens the port.
  EXPECT_EQ(ReadAndDeclineSaving(frame), 5);
  EXPECT_EQ(frame.Documents().Documents().size(), 11U);
  EXPECT_EQ(app::GetPortNumber(app.Profile()), 6);  // the profile was not written
}

/// The ids of the processes whose parent is `parent`.
std::vector<long> ChildrenOf(qint64 parent) {
  std::ifstream file("/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent) +
                     "/children");
  std::vector<long> children;
  for (long child = 0; file >> child;) children.push_back(child);
  return children;
}

/// Whether process `pid` still runs (a zombie waiting for its parent counts as ended).
bool Runs(long pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(file, line)) return false;
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z' &&
         line[close + 2] != 'X';
}

TEST(DemoInstrument, TheSimulatorEndsWhenTheProgramIsKilled) {
  TempFolder folder;
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                     QString::fromStdString(folder.Path().string()));
  program.setProcessEnvironment(environment);
  program.start(QString::fromStdString((ProgramDirectory() / "vantrel").string()),
                {QStringLiteral("--demo"), QStringLiteral("--no-start-picture")});
  ASSERT_TRUE(program.waitForStarted(static_cast<int>(kPatience.count())));
  std::vector<long> children;
  WaitUntil([&] { return !(children = ChildrenOf(program.processId())).empty(); });
  ASSERT_EQ(children.size(), 1U) << "the demo started no simulator";
  const long simulator = children.front();
  ASSERT_TRUE(Runs(simulator));

  ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
  ASSERT_TRUE(program.waitForFinished(static_cast<int>(kPatience.count())));
  EXPECT_TRUE(WaitUntil([&] { return !Runs(simulator); }));
}

}  // namespace
}  // namespace vantrel::testing
