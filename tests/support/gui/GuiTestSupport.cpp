#include "gui/GuiTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QThread>
#include <QTimer>

namespace vantrel::testing {

std::filesystem::path ProgramDirectory() { return std::filesystem::path(VANTREL_BINARY_DIR) / "bin"; }

std::unique_ptr<gui::CVantrel40App> StartApp(const TempFolder& folder, const std::string& language) {
  auto app = std::make_unique<gui::CVantrel40App>();
  gui::StartupOptions options;
  options.programDirectory = ProgramDirectory();
  options.language = language;
  options.startPicture = false;
  options.profilePath = folder.Path() / "profile.ini";
  options.recoveryFolder = folder.Path() / "recovery";
  if (!app->InitInstance(options, true)) return nullptr;
  return app;
}

void AppTest::SetUp() {
  QLocale::setDefault(QLocale::c());
  app_ = StartApp(folder_);
  ASSERT_NE(app_, nullptr);
}

void SaveShot(QWidget& widget, const QString& name) {
  const QByteArray dir = qgetenv("VANTREL_SHOTS");
  if (dir.isEmpty()) return;
  widget.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/") + name + QStringLiteral(".png"));
}

void AnswerNextDialog(const std::function<void(QWidget&)>& answer) {
  QTimer::singleShot(0, [answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      AnswerNextDialog(answer);
      return;
    }
    answer(*modal);
  });
}

void Wait(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
}

}  // namespace vantrel::testing
