// vantrel-icon-writer: writes the program icon as PNG files of the installed sizes into
// the folder given (<folder>/<N>x<N>/apps/<desktop id>.png). Run by the build.
#include <QDir>
#include <QString>
#include <cstdio>

#include "gui/widgets/ProgramIcon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantrel-icon-writer FOLDER\n");
    return 2;
  }
  // Painting into images needs no display and no application object.
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  for (const int size : vantrel::gui::kIconSizes) {
    const QString sub = QStringLiteral("%1x%1/apps").arg(size);
    const QString file =
        folder.filePath(sub + QStringLiteral("/") + QString::fromLatin1(vantrel::gui::kDesktopId) +
                        QStringLiteral(".png"));
    if (!folder.mkpath(sub) || !vantrel::gui::ProgramIconImage(size).save(file)) {
      std::fprintf(stderr, "vantrel-icon-writer: cannot write %s\n",
                   file.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
