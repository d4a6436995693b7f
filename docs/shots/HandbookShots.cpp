// vantrel-handbook-shots: pictures of the program's windows and dialogs for the handbook,
// made from the program itself on Qt's offscreen platform, so the handbook never shows an
// outdated window. It starts the application with a private profile, opens a document,
// runs the commands that open the dialogs and saves each dialog as <out>/<name>.png.
//
// Usage: vantrel-handbook-shots --lang GER|ENG --document FILE.vqa --out DIR [--port PATH]
// With --port (a simulated instrument) it also records online for a moment and pictures
// the online dialog and the growing chart.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/app/CMainFrame.h"
#include "gui/app/CVantrel40App.h"

namespace {

using vantrel::gui::CMainFrame;

/// What to do with one modal window that a command opens: true when the window was
/// handled, false when it is not the one this answer waits for (it is then left alone).
using Answer = std::function<bool(QWidget&)>;

struct Shooter {
  CMainFrame& frame;
  QString out;
  int failures = 0;

  void Save(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    const QString path = out + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!widget.grab().save(path)) {
      std::cerr << "vantrel-handbook-shots: cannot write " << path.toStdString() << "\n";
      ++failures;
    }
  }

  /// Answers the modal windows the command opens, in order. A window that no answer
  /// expects is closed and counted as a failure, so the tool never waits for ever.
  void Run(int command, std::vector<Answer> answers, const QString& what) {
    auto pending = std::make_shared<const std::vector<Answer>>(std::move(answers));
    auto next = std::make_shared<std::size_t>(0);
    auto last = std::make_shared<QPointer<QWidget>>();
    auto active = std::make_shared<bool>(true);
    auto pollPtr = std::make_shared<std::function<void()>>();
    *pollPtr = [this, pending, next, last, active, pollPtr, what] {
      if (!*active) return;
      QWidget* modal = QApplication::activeModalWidget();
      // The next poll is due before an answer runs: an answer may open the next window.
      QTimer::singleShot(10, *pollPtr);
      if (modal == nullptr || modal == *last) return;
      *last = modal;
      if (*next >= pending->size()) {
        std::cerr << "vantrel-handbook-shots: " << what.toStdString() << " opened an unexpected "
                  << modal->metaObject()->className() << " (closed)\n";
        Close(*modal);
        return;
      }
      // Counted before it runs: windows it opens itself go to the answers after it.
      const std::size_t index = (*next)++;
      if (!(*pending)[index](*modal)) *next = index;
    };
    QTimer::singleShot(0, *pollPtr);
    frame.ExecuteCommand(command);
    *active = false;
    if (*next < pending->size()) {
      std::cerr << "vantrel-handbook-shots: " << what.toStdString()
                << " did not open every window\n";
      ++failures;
    }
    QApplication::processEvents();
  }

  Answer Grab(const QString& name) {
    return [this, name](QWidget& widget) {
      Save(widget, name);
      Close(widget);
      return true;
    };
  }
  Answer GrabAndKeep(const QString& name, const std::function<void(QWidget&)>& then) {
    return [this, name, then](QWidget& widget) {
      Save(widget, name);
      then(widget);
      return true;
    };
  }
  static bool CloseIt(QWidget& widget) {
    Close(widget);
    return true;
  }
  static void Close(QWidget& widget) {
    if (auto* box = qobject_cast<QMessageBox*>(&widget); box != nullptr) {
      box->done(QMessageBox::Cancel);
    } else if (auto* dialog = qobject_cast<QDialog*>(&widget); dialog != nullptr) {
      dialog->reject();
    } else {
      widget.close();
    }
  }
  /// Chooses the first entry of the dialog's list and confirms.
  static bool ChooseFirstAndAccept(QWidget& widget) {
    if (auto* list = widget.findChild<QAbstractItemView*>();
        list != nullptr && list->model() != nullptr && list->model()->rowCount() > 0) {
      const QModelIndex first = list->model()->index(0, 0);
      list->setCurrentIndex(first);
      list->selectionModel()->select(
          first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    if (auto* dialog = qobject_cast<QDialog*>(&widget); dialog != nullptr) dialog->accept();
    return true;
  }
};

void Wait(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  QString language = QStringLiteral("GER");
  QString document;
  QString out;
  QString port;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == QStringLiteral("--lang"))
      language = args[i + 1];
    else if (args[i] == QStringLiteral("--document"))
      document = args[i + 1];
    else if (args[i] == QStringLiteral("--out"))
      out = args[i + 1];
    else if (args[i] == QStringLiteral("--port"))
      port = args[i + 1];
  }
  if (document.isEmpty() || out.isEmpty()) {
    std::cerr
        << "usage: vantrel-handbook-shots --lang GER|ENG --document FILE --out DIR [--port PATH]\n";
    return 2;
  }

  QTemporaryDir profile;
  vantrel::gui::StartupOptions options;
  options.programDirectory = QCoreApplication::applicationDirPath().toStdString();
  options.language = language.toStdString();
  options.startPicture = false;
  options.profilePath = (profile.path() + QStringLiteral("/profile.ini")).toStdString();
  {
    // A working folder as a technician would have it, not the build folder.
    QFile ini(profile.path() + QStringLiteral("/profile.ini"));
    if (ini.open(QIODevice::WriteOnly))
      ini.write("[Einstellungen]\nArbeitsverzeichnis=/home/service/Messungen\n");
  }
  if (!port.isEmpty()) options.portOverrides.push_back("1=" + port.toStdString());
  vantrel::gui::CVantrel40App app;
  if (!app.InitInstance(options, true)) {
    std::cerr << "vantrel-handbook-shots: " << app.StartupError() << "\n";
    return 1;
  }
  // Whatever happens, the build does not wait for ever.
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    std::cerr << "vantrel-handbook-shots: gave up after 180 s\n";
    std::_Exit(1);
  });
  watchdog.start(180000);
  CMainFrame& frame = app.MainFrame();
  frame.resize(1100, 720);
  Shooter shooter{frame, out};
  QApplication::processEvents();
  shooter.Save(frame, QStringLiteral("main-window-empty"));

  // Dialogs of the main window.
  shooter.Run(32802, {shooter.Grab(QStringLiteral("dialog-147"))}, QStringLiteral("comm settings"));
  shooter.Run(32803, {shooter.Grab(QStringLiteral("dialog-152"))}, QStringLiteral("COM check"));
  shooter.Run(32804, {shooter.Grab(QStringLiteral("dialog-153"))}, QStringLiteral("auto-config"));
  shooter.Run(32805, {shooter.Grab(QStringLiteral("dialog-148"))},
              QStringLiteral("basic settings"));
  shooter.Run(32772, {shooter.Grab(QStringLiteral("dialog-138"))}, QStringLiteral("readout"));
  shooter.Run(57664, {shooter.Grab(QStringLiteral("dialog-100"))}, QStringLiteral("about box"));

  // The chart window and its dialogs.
  frame.OpenFile(document);
  if (QMdiSubWindow* window = frame.WorkArea().activeSubWindow(); window != nullptr)
    window->showMaximized();
  Wait(300);
  shooter.Save(frame, QStringLiteral("chart-window"));
  shooter.Run(
      32779,
      {[&shooter](QWidget& setup) {
         shooter.Save(setup, QStringLiteral("dialog-142"));
         // The curve and axis properties of the first curve and axis.
         for (const auto& [list, button] : {std::pair{"1030", "1031"}, std::pair{"1032", "1033"}}) {
           auto* tree = setup.findChild<QTreeWidget*>(QLatin1String(list));
           auto* edit = setup.findChild<QAbstractButton*>(QLatin1String(button));
           if (tree == nullptr || edit == nullptr || tree->topLevelItemCount() == 0) continue;
           tree->setCurrentItem(tree->topLevelItem(0));
           edit->click();
         }
         Shooter::Close(setup);
         return true;
       },
       shooter.Grab(QStringLiteral("dialog-143")), shooter.Grab(QStringLiteral("dialog-144"))},
      QStringLiteral("chart setup"));
  shooter.Run(32783, {shooter.Grab(QStringLiteral("dialog-139"))}, QStringLiteral("units"));
  shooter.Run(32799, {shooter.Grab(QStringLiteral("dialog-140"))}, QStringLiteral("markers"));
  shooter.Run(32782, {shooter.Grab(QStringLiteral("dialog-149"))}, QStringLiteral("formula"));
  shooter.Run(32794, {shooter.Grab(QStringLiteral("dialog-141"))}, QStringLiteral("text"));
  shooter.Run(32786, {shooter.Grab(QStringLiteral("dialog-157"))}, QStringLiteral("notes"));
  shooter.Run(32781,
              {shooter.GrabAndKeep(QStringLiteral("dialog-155"),
                                   [](QWidget& w) { Shooter::ChooseFirstAndAccept(w); }),
               shooter.Grab(QStringLiteral("dialog-145"))},
              QStringLiteral("filter"));
  shooter.Run(32784, {&Shooter::ChooseFirstAndAccept, shooter.Grab(QStringLiteral("dialog-156"))},
              QStringLiteral("samples"));
  // The import dialog opens its file dialog at once; the picture shows the dialog after it.
  shooter.Run(32792,
              {[](QWidget& chooser) {
                 if (qobject_cast<QFileDialog*>(&chooser) == nullptr) return false;
                 Shooter::Close(chooser);
                 return true;
               },
               [&shooter](QWidget& dialog) {
                 if (!QString::fromLatin1(dialog.metaObject()->className())
                          .endsWith(QStringLiteral("CImportDlg"))) {
                   return false;
                 }
                 shooter.Save(dialog, QStringLiteral("dialog-158"));
                 Shooter::Close(dialog);
                 return true;
               }},
              QStringLiteral("curve import"));
  shooter.Run(32788, {}, QStringLiteral("extremes"));
  // The chart and the table one below the other.
  for (QMdiSubWindow* window : frame.WorkArea().subWindowList()) window->showNormal();
  frame.ExecuteCommand(57651);
  Wait(200);
  shooter.Save(frame, QStringLiteral("extremes-window"));

  // The help window itself.
  shooter.Run(57667, {}, QStringLiteral("help topics"));
  Wait(200);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QStringLiteral("helpWindow") && widget->isVisible()) {
      shooter.Save(*widget, QStringLiteral("help-window"));
      widget->close();
    }
  }

  // A short online recording from the simulated instrument.
  if (!port.isEmpty()) {
    shooter.Run(32774,
                {[](QWidget& prompt) {
                   if (auto* box = qobject_cast<QMessageBox*>(&prompt); box != nullptr)
                     box->done(QMessageBox::Ok);
                   return true;
                 },
                 [&shooter](QWidget& dialog) {
                   if (!QString::fromLatin1(dialog.metaObject()->className())
                            .endsWith(QStringLiteral("COnlineDlg"))) {
                     std::cerr << "vantrel-handbook-shots: the online recording did not start\n";
                     ++shooter.failures;
                     Shooter::Close(dialog);
                     return true;
                   }
                   Wait(1500);
                   shooter.Save(dialog, QStringLiteral("dialog-154"));
                   if (auto* d = qobject_cast<QDialog*>(&dialog); d != nullptr) d->accept();
                   return true;
                 }},
                QStringLiteral("online recording"));
    if (QMdiSubWindow* window = frame.WorkArea().activeSubWindow(); window != nullptr)
      window->showMaximized();
    Wait(2500);
    shooter.Save(frame, QStringLiteral("online-chart"));
    frame.ExecuteCommand(32775);
    QApplication::processEvents();
  }
  return shooter.failures == 0 ? 0 : 1;
}
