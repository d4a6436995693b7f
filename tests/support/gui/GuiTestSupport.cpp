#include "gui/GuiTestSupport.h"

#include <QApplication>
#include <QLocale>
#include <QtTest/QTest>

namespace vantrel::testing {

std::filesystem::path ProgramDirectory() {
  return std::filesystem::path(VANTREL_BINARY_DIR) / "bin";
}

std::unique_ptr<gui::CVantrel40App> StartApp(const TempFolder& folder,
                                             const std::string& language) {
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
  widget.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/") + name +
                     QStringLiteral(".png"));
}

bool WaitUntil(const std::function<bool()>& condition, int boundMs) {
  return QTest::qWaitFor(condition, boundMs);
}

}  // namespace vantrel::testing
