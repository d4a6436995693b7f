// The chart frame: CSV export through the save dialog (default name, written file, reported
// failure), the chart picture on the clipboard, and closing the chart window closing every
// window of its document.
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QImageWriter>
#include <QLineEdit>
#include <QMimeData>
#include <fstream>

#include "ChartWindowFixture.h"
#include "gui/chart/ChartCommands.h"
#include "gui/tables/ListWindows.h"

namespace vantrel::testing {
namespace {

namespace cmd = gui::chart_commands;

using CChildFrameTest = ChartWindowTest;

/// Answers a file dialog with `path`; keeps the proposed name and the dialog's title.
Answer FileChoice(const QString& path, QString* proposed, QString* title = nullptr) {
  return [path, proposed, title](QWidget& widget) {
    auto* dialog = qobject_cast<QFileDialog*>(&widget);
    if (dialog == nullptr) {
      ADD_FAILURE() << "no file dialog";
      widget.close();
      return;
    }
    if (title != nullptr) *title = dialog->windowTitle();
    if (proposed != nullptr)
      *proposed = QFileInfo(dialog->selectedFiles().value(0)).completeBaseName();
    // Typed into the name field as a user would, then confirmed.
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
      name->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
  };
}

TEST_F(CChildFrameTest, CsvExportProposesTheCutTitleAndWritesTheFile) {
  Document().Doc().SetTitle(u"Prüfung 12.3");
  const QString path = QString::fromStdString((folder_.Path() / "export.csv").string());
  QString proposed;
  QString title;
  modals_.ThenAnswer(FileChoice(path, &proposed, &title));
  Main().ExecuteCommand(cmd::kCmdExportCsv);
  EXPECT_EQ(proposed, QStringLiteral("Prüfung"));
  EXPECT_EQ(title, QStringLiteral("Speichern unter"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(
      bytes.startsWith("Messung: Hydraulikpr\xFC"
                       "fung;"));
  EXPECT_EQ(bytes.count('\n'), 1 + 3 * 8 + 2 + 600);
  EXPECT_FALSE(Modified());  // exporting changes nothing
}

TEST_F(CChildFrameTest, CsvExportThatCannotWriteShowsTheFileMessage) {
  // The chosen folder is a file: nothing can be created there.
  const std::filesystem::path blocker = folder_.Path() / "kein_ordner";
  { std::ofstream(blocker) << "x"; }
  const QString path = QString::fromStdString((blocker / "export.csv").string());
  QString shown;
  AnswerInOrder({FileChoice(path, nullptr), MessageAnswer(QMessageBox::Ok, &shown)});
  Frame().ExportCsv();
  EXPECT_TRUE(shown.contains(path)) << shown.toStdString();
  EXPECT_FALSE(std::filesystem::exists(blocker / "export.csv"));
}

TEST_F(CChildFrameTest, CopyPutsTheChartPictureOfTheWindowSizeOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  Main().ExecuteCommand(cmd::kCmdCopyChart);
  const QImage image = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), Surface().size());
  EXPECT_EQ(image.pixelColor(Plot().right - 2, Plot().bottom - 2), QColor(Qt::white));
  if (QImageWriter::supportedMimeTypes().contains("image/bmp")) {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->data(QStringLiteral("image/bmp")).startsWith("BM"));
  }
  EXPECT_FALSE(Modified());
}

TEST_F(CChildFrameTest, ClosingTheChartClosesTheOtherWindowsOfItsDocument) {
  gui::ToggleLegend(Main(), Document());
  gui::OpenExtremesTable(Main(), Document());
  ASSERT_EQ(Document().Windows().size(), 3U);
  AnswerMessage(QMessageBox::No);  // the demo readout exists in no file: discard it
  Window().close();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_TRUE(Main().Documents().Documents().empty());
  EXPECT_TRUE(Main().WorkArea().subWindowList().empty());
}

}  // namespace
}  // namespace vantrel::testing
