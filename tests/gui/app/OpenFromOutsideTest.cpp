// Files from outside the program: a second start hands its files to the running program
// over the user's socket (a stale socket never blocks), files dropped on the main window
// open as File > Open opens them, and new document windows open wholly inside the work
// area.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <cstring>

#include "document/MeasurementArchive.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;

fs::path WriteArchive(const fs::path& path) {
  model::CMessungObj m;
  m.SetName(path.stem().u16string(), 3);
  m.AddYAxis();
  model::CKurveObj* curve = m.AddCurve();
  for (int i = 0; i < 20; ++i) curve->AddSample(float(i), float(i + 1), 0.0F);
  document::SaveDocumentFile(path, m, 0);
  return path;
}

QStringList WindowTitles(gui::CMainFrame& frame) {
  QStringList titles;
  for (const QMdiSubWindow* window : frame.WorkArea().subWindowList())
    titles << window->windowTitle();
  return titles;
}

bool InRecentList(gui::CMainFrame& frame, const fs::path& file) {
  const auto recent = frame.Documents().RecentFiles();
  return std::find(recent.begin(), recent.end(), fs::absolute(file).u16string()) != recent.end();
}

/// Starts the application quietly, receiving files on `socket`.
std::unique_ptr<gui::CVantrel40App> StartReceiving(const TempFolder& folder,
                                                   const fs::path& socket) {
  auto app = std::make_unique<gui::CVantrel40App>();
  gui::StartupOptions options;
  options.programDirectory = ProgramDirectory();
  options.language = "GER";
  options.startPicture = false;
  options.profilePath = folder.Path() / "profile.ini";
  options.instanceSocket = QString::fromStdString(socket.string());
  if (!app->InitInstance(options, true)) return nullptr;
  return app;
}

/// Leaves a socket file nobody listens on, as a crashed program does.
void LeaveStaleSocket(const fs::path& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ::close(fd);
  ASSERT_TRUE(fs::exists(path));
}

TEST(OpenFromOutside, ASecondStartOpensItsFilesInTheRunningProgramAndShowsEachFailure) {
  TempFolder folder;
  // XDG_RUNTIME_DIR of the second start is the test folder, where its socket is.
  const fs::path socket = folder.Path() / "vantrel.socket";
  LeaveStaleSocket(socket);
  auto app = StartReceiving(folder, socket);
  ASSERT_NE(app, nullptr) << app->StartupError();
  ASSERT_TRUE(app->ReceivesFiles());
  gui::CMainFrame& frame = app->MainFrame();
  WriteArchive(folder.Path() / "Pumpe 1.vqb");
  WriteArchive(folder.Path() / "Pumpe 2.vqb");

  QString failure;
  ModalScript modals;
  modals.ThenAnswer([&failure](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    if (box != nullptr) failure = box->text();
    qobject_cast<QDialog*>(&modal)->accept();
  });
  QProcess second;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                     QString::fromStdString(folder.Path().string()));
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  second.setProcessEnvironment(environment);
  // Relative names: the running program gets them made absolute against the second
  // start's working folder.
  second.setWorkingDirectory(QString::fromStdString(folder.Path().string()));
  second.start(
      QString::fromStdString((ProgramDirectory() / "vantrel").string()),
      {QStringLiteral("Pumpe 1.vqb"), QStringLiteral("fehlt.vqb"), QStringLiteral("Pumpe 2.vqb")});
  ASSERT_TRUE(WaitUntil([&second] { return second.state() == QProcess::NotRunning; }));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

  ASSERT_TRUE(WaitUntil([&frame] { return frame.Documents().Documents().size() == 2; }))
      << WindowTitles(frame).join(QStringLiteral(", ")).toStdString();
  EXPECT_FALSE(failure.isEmpty());  // the missing file was reported
  const QStringList titles = WindowTitles(frame);
  EXPECT_TRUE(titles.filter(QStringLiteral("Pumpe 1.vqb")).size() == 1)
      << titles.join(QStringLiteral(", ")).toStdString();
  EXPECT_TRUE(titles.filter(QStringLiteral("Pumpe 2.vqb")).size() == 1)
      << titles.join(QStringLiteral(", ")).toStdString();
  EXPECT_TRUE(InRecentList(frame, folder.Path() / "Pumpe 1.vqb"));
  EXPECT_TRUE(InRecentList(frame, folder.Path() / "Pumpe 2.vqb"));
}

TEST(OpenFromOutside, AStartFindsNoProgramOnAStaleSocketAndASocketInUseStaysWithItsProgram) {
  TempFolder folder;
  const fs::path socket = folder.Path() / "vantrel.socket";
  const QString name = QString::fromStdString(socket.string());
  LeaveStaleSocket(socket);
  EXPECT_FALSE(gui::SingleInstance::HandOver(name, {}));
  gui::SingleInstance first;
  ASSERT_TRUE(first.Listen(name));
  gui::SingleInstance second;
  EXPECT_FALSE(second.Listen(name));  // the first program keeps receiving
  EXPECT_TRUE(first.IsListening());
  QStringList received;
  bool raised = false;
  QObject::connect(&first, &gui::SingleInstance::FilesReceived, [&](const QStringList& files) {
    received = files;
    raised = true;
  });
  EXPECT_TRUE(gui::SingleInstance::HandOver(name, {}));  // no files: only raise the window
  ASSERT_TRUE(WaitUntil([&raised] { return raised; }));
  EXPECT_TRUE(received.isEmpty());
}

TEST(OpenFromOutside, FilesDroppedOnTheMainWindowOpenAndEnterTheRecentList) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  gui::CMainFrame& frame = app->MainFrame();
  const fs::path first = WriteArchive(folder.Path() / "Zylinder_1.vqb");
  const fs::path second = WriteArchive(folder.Path() / "Zylinder_2.vqb");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(first.string())),
                QUrl::fromLocalFile(QString::fromStdString(second.string())),
                QUrl(QStringLiteral("https://example.invalid/not-a-file.vqb"))});
  const QPointF inside(frame.width() / 2.0, frame.height() / 2.0);
  QDragEnterEvent enter(inside.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&frame, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&frame, &drop);
  EXPECT_TRUE(drop.isAccepted());
  ASSERT_TRUE(WaitUntil([&frame] { return frame.Documents().Documents().size() == 2; }));
  EXPECT_TRUE(InRecentList(frame, first));
  EXPECT_TRUE(InRecentList(frame, second));

  // A drag of no local file is refused.
  QMimeData text;
  text.setText(QStringLiteral("Zylinder_1.vqb"));
  QDragEnterEvent refused(inside.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  refused.setAccepted(false);
  QApplication::sendEvent(&frame, &refused);
  EXPECT_FALSE(refused.isAccepted());
}

TEST(OpenFromOutside, NewDocumentWindowsOpenWhollyInsideTheWorkAreaCascading) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  gui::CMainFrame& frame = app->MainFrame();
  frame.resize(900, 650);
  QApplication::processEvents();
  const QRect client = frame.WorkArea().viewport()->rect();
  QPoint previous(-1, -1);
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    auto measurement = std::make_unique<model::CMessungObj>();
    measurement->AddYAxis();
    frame.Documents().AddMeasurement(std::move(measurement));
    QMdiSubWindow* window = frame.WorkArea().subWindowList().back();
    EXPECT_TRUE(client.contains(window->geometry()))
        << window->geometry().x() << "," << window->geometry().y();
    EXPECT_NE(window->pos(), previous);
    previous = window->pos();
  }
}

TEST(OpenFromOutside, CascadePlacesStayInsideTheClientAreaOfAnySize) {
  struct Case {
    QSize client;
    int step;
  };
  for (const Case& c : {Case{{1000, 700}, 24}, Case{{300, 200}, 24}, Case{{50, 30}, 24},
                        Case{{1, 1}, 24}, Case{{800, 600}, 0}, Case{{0, 0}, 24}}) {
    for (int index = 0; index < 40; ++index) {
      SCOPED_TRACE(QStringLiteral("%1x%2 step %3 window %4")
                       .arg(c.client.width())
                       .arg(c.client.height())
                       .arg(c.step)
                       .arg(index)
                       .toStdString());
      const QRect place = gui::DocumentManager::CascadePlace(c.client, c.step, index);
      EXPECT_FALSE(place.isEmpty());
      if (c.client.width() >= 1 && c.client.height() >= 1) {
        EXPECT_TRUE(QRect(QPoint(0, 0), c.client).contains(place));
      }
    }
  }
  EXPECT_EQ(gui::DocumentManager::CascadePlace({1000, 700}, 24, 0), QRect(0, 0, 800, 560));
  EXPECT_EQ(gui::DocumentManager::CascadePlace({1000, 700}, 24, 3).topLeft(), QPoint(72, 72));
}

}  // namespace
}  // namespace vantrel::testing
