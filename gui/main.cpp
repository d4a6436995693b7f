// vantrel: the window program. Options: --demo (simulated instrument on port 1),
// --lang CODE, --map N=PATH (port mapping for this run), --minimized, --no-start-picture.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "gui/app/CVantrel40App.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  vantrel::gui::StartupOptions options;
  options.programDirectory =
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--demo") {
      options.demo = true;
    } else if (arg == "--minimized") {
      options.minimized = true;
    } else if (arg == "--no-start-picture") {
      options.startPicture = false;
    } else if ((arg == "--lang" || arg == "--map") && i + 1 < argc) {
      (arg == "--lang" ? options.language : options.portOverrides.emplace_back()) = argv[++i];
    } else {
      std::cerr << "usage: vantrel [--demo] [--lang CODE] [--map N=PATH] [--minimized] "
                   "[--no-start-picture]\n";
      return 2;
    }
  }
  vantrel::gui::CVantrel40App app;
  if (!app.InitInstance(options)) return 1;
  return QApplication::exec();
}
