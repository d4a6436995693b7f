#include "GuiTestSupport.h"

#include <QApplication>
#include <QTimer>
#include <unistd.h>

namespace vantrel::testing {

std::filesystem::path ProgramDirectory() { return std::filesystem::path(VANTREL_BINARY_DIR) / "bin"; }

TempFolder::TempFolder() {
  static int counter = 0;
  path_ = std::filesystem::temp_directory_path() /
          ("vantrel_gui_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

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

}  // namespace vantrel::testing
