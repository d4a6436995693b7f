// vantrel: the window program. `vantrel [OPTION]... [FILE]...` opens the files as File > Open
// does; when the program already runs for this user, the files open there instead.
// --help and --version print and end without a display.
#include <QApplication>
#include <QMdiSubWindow>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/DataFolder.h"
#include "app/ProgramVersion.h"
#include "gui/app/CVantrel40App.h"
#include "gui/app/SingleInstance.h"

namespace {

constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: vantrel [OPTION]... [FILE]...\n"
    "Evaluation program for hydraulic measuring instruments. Opens each FILE (.vqa, .vqb,\n"
    ".vqo, .vqm, .vqg, .vqk, .vqd) as File > Open does; when the program already runs for\n"
    "this user, the files open in that window.\n"
    "\n"
    "  --demo               start the simulated instrument and use it on port 1 (in a\n"
    "                       program of its own)\n"
    "  --lang CODE          language of the texts (GER, ENG; default VANTREL_LANG, else GER)\n"
    "  --map N=PATH         use device PATH for port number N in this run (repeatable)\n"
    "  --minimized          start with the main window minimized\n"
    "  --no-start-picture   do not show the start picture\n"
    "  --new-instance       start a program of its own even when one runs already\n"
    "  --list-windows       open the files, print the title of each document window on\n"
    "                       a line and end (for checks of an installation)\n"
    "  --help               print this help and end\n"
    "  --version            print the version and end\n";

/// The command line: program options and files.
struct CommandLine {
  vantrel::gui::StartupOptions options;
  bool help = false;
  bool version = false;
  bool newInstance = false;
  bool listWindows = false;
  std::string error;
};

CommandLine Parse(int argc, char** argv) {
  CommandLine line;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      line.options.files << QString::fromLocal8Bit(argv[i]);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--version") {
      line.version = true;
    } else if (arg == "--demo") {
      line.options.demo = true;
    } else if (arg == "--minimized") {
      line.options.minimized = true;
    } else if (arg == "--no-start-picture") {
      line.options.startPicture = false;
    } else if (arg == "--new-instance") {
      line.newInstance = true;
    } else if (arg == "--list-windows") {
      line.listWindows = true;
    } else if ((arg == "--lang" || arg == "--map") && i + 1 < argc) {
      (arg == "--lang" ? line.options.language : line.options.portOverrides.emplace_back()) =
          argv[++i];
    } else {
      line.error = "vantrel: unknown option or missing value: " + arg;
    }
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine line = Parse(argc, argv);
  if (!line.error.empty()) {
    std::fprintf(stderr, "%s\n%s", line.error.c_str(), kUsage);
    return kExitUsage;
  }
  const std::filesystem::path programDirectory =
      vantrel::app::ExecutableDirectory(argc > 0 ? argv[0] : "");
  // Help and version need no display: they are answered before Qt starts.
  if (line.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (line.version) {
    std::printf("%s\n",
                vantrel::app::VersionLine("vantrel", vantrel::app::FindDataFolder(programDirectory))
                    .c_str());
    return 0;
  }

  QApplication application(argc, argv);
  vantrel::gui::StartupOptions& options = line.options;
  options.programDirectory = programDirectory;
  // A check of the installation, a demo and an explicitly new program run on their own:
  // they neither hand files over nor receive them.
  if (!line.listWindows && !line.newInstance && !options.demo) {
    options.instanceSocket = vantrel::gui::SingleInstance::DefaultSocketPath();
    if (vantrel::gui::SingleInstance::HandOver(options.instanceSocket, options.files)) return 0;
  }
  vantrel::gui::CVantrel40App app;
  if (!app.InitInstance(options)) return 1;
  if (line.listWindows) {
    for (const QMdiSubWindow* window : app.MainFrame().WorkArea().subWindowList()) {
      std::printf("%s\n", window->windowTitle().toUtf8().constData());
    }
    return 0;
  }
  return QApplication::exec();
}
