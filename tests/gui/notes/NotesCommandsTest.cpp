#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTest>

#include "chart/PrintPages.h"
#include "document/MeasurementArchive.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/WidgetInput.h"
#include "gui/app/CMainFrame.h"
#include "gui/chart/ChartFrames.h"
#include "gui/notes/CNotesDlg.h"
#include "gui/notes/NotesCommands.h"
#include "gui/platform/QtCanvas.h"
#include "gui/tables/ListWindows.h"
#include "notes/RtfReader.h"
#include "notes/RtfWriter.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<model::CMessungObj> SmallMeasurement() {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Pumpe 3", 2);
  m->AddYAxis()->SetMax(100.0F);
  model::CKurveObj* curve = m->AddCurve();
  curve->SetSampleInterval(0.5);
  for (int i = 0; i < 100; ++i) curve->AddSample(float(i), float(i + 2), float(i + 1));
  return m;
}

/// Types `text` into the notes editor that the next step opens and confirms with OK.
void TypeIntoNextNotesEditor(ModalScript& modals, const QString& text) {
  modals.ThenAnswer([text](QWidget& modal) {
    auto* dialog = qobject_cast<gui::CNotesDlg*>(&modal);
    ASSERT_NE(dialog, nullptr);
    TypeText(&dialog->Editor(), text);
    dialog->findChild<QAbstractButton*>(QStringLiteral("1"))->click();
  });
}

int PdfPageCount(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = file.readAll();
  int pages = 0;
  for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0;
       at = pdf.indexOf("/Type /Page", at + 1)) {
    if (pdf.mid(at, 12) != "/Type /Pages") ++pages;
  }
  return pages;
}

/// The program started with the small measurement open.
class NotesCommands : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    document_ = Frame().Documents().AddMeasurement(SmallMeasurement());
    ASSERT_NE(document_, nullptr);
  }

  gui::OpenDocument* document_ = nullptr;
};

TEST_F(NotesCommands, NotesTypedInTheEditorSurviveSavingAndReopeningTheDocument) {
  gui::CMainFrame& frame = Frame();
  gui::OpenDocument* document = document_;
  document->Doc().SetModifiedFlag(false);

  ModalScript modals;
  TypeIntoNextNotesEditor(modals, QStringLiteral("Ventil 3 undicht, \u00D6l nachgef\u00FCllt"));
  frame.ExecuteCommand(gui::kCmdChartNotes);
  EXPECT_TRUE(document->Doc().IsModified());
  ASSERT_TRUE(document->Measurement()->GetNotes().has_value());
  const std::vector<std::uint8_t> notes = *document->Measurement()->GetNotes();

  const fs::path path = folder_.Path() / "Pumpe_3.vqb";
  document::SaveDocumentFile(path, *document->Measurement(), 0);
  frame.Documents().Destroy(*document);
  frame.OpenFile(QString::fromStdString(path.string()));
  gui::OpenDocument* reopened = frame.Documents().ActiveDocument();
  ASSERT_NE(reopened, nullptr);
  ASSERT_TRUE(reopened->Measurement()->GetNotes().has_value());
  EXPECT_EQ(*reopened->Measurement()->GetNotes(), notes);
  gui::CNotesDlg dialog(*reopened->Measurement(), frame.Context().texts, frame.Context().messages);
  EXPECT_EQ(dialog.Editor().toPlainText(),
            QStringLiteral("Ventil 3 undicht, \u00D6l nachgef\u00FCllt"));
}

TEST_F(NotesCommands, LookingAtTheNotesWithoutAChangeLeavesTheDocumentUnmodified) {
  gui::CMainFrame& frame = Frame();
  gui::OpenDocument* document = document_;
  document->Doc().SetModifiedFlag(false);
  ModalScript modals;
  modals.ThenAnswer(
      [](QWidget& modal) { modal.findChild<QAbstractButton*>(QStringLiteral("2"))->click(); });
  frame.ExecuteCommand(gui::kCmdChartNotes);
  EXPECT_FALSE(document->Doc().IsModified());
  EXPECT_FALSE(document->Measurement()->GetNotes().has_value());
}

TEST_F(NotesCommands, PrintsTheNotesAsPageThreeAndContinuesOnFurtherSheets) {
  gui::CMainFrame& frame = Frame();
  gui::OpenDocument* document = document_;

  struct Case {
    int lines;
    int fewestSheets;
    int mostSheets;
  };
  // A landscape sheet at 300 dpi holds some 30 lines of 12 points between its margins.
  for (const Case c : {Case{3, 1, 1}, Case{120, 3, 5}}) {
    SCOPED_TRACE(c.lines);
    notes::RtfDocument text;
    text.fonts = {{0, u"Arial", "fswiss", -1}};
    text.paragraphs.clear();
    for (int i = 0; i < c.lines; ++i) {
      notes::Paragraph paragraph;
      paragraph.runs.push_back(
          notes::Run{notes::CharFormat{}, u"Zeile " + gui::FromQString(QString::number(i + 1))});
      text.paragraphs.push_back(paragraph);
    }
    document->Measurement()->SetNotes(notes::WriteRtf(text));

    const QString pdf = QString::fromStdString((folder_.Path() / "druck.pdf").string());
    int sheets = 0;
    {
      QPdfWriter writer(pdf);
      writer.setPageOrientation(QPageLayout::Landscape);
      writer.setResolution(300);
      QPainter painter(&writer);
      gui::QtCanvas canvas(painter, true);
      chart::PrintOptions options;
      options.conventions = gui::UserTextConventions();
      options.nextSheet = [&writer] { writer.newPage(); };
      chart::PrintPage(canvas, *document->Measurement(), 1, frame.Context().texts, options);
      writer.newPage();
      chart::PrintPage(canvas, *document->Measurement(), 2, frame.Context().texts, options);
      writer.newPage();
      sheets = gui::PrintDocumentNotes(
          canvas, *document, [&writer] { writer.newPage(); },
          gui::NotesEditorWidthTwips(frame.Context()));
    }
    EXPECT_GE(sheets, c.fewestSheets);
    EXPECT_LE(sheets, c.mostSheets);
    EXPECT_EQ(PdfPageCount(pdf), 2 + sheets);
    if (c.lines == 3 && !qgetenv("VANTREL_SHOTS").isEmpty()) {
      QFile::copy(pdf, QString::fromLocal8Bit(qgetenv("VANTREL_SHOTS")) + "/notes_printout.pdf");
    }
  }
}

TEST_F(NotesCommands, TheChartPrintoutEndsWithTheNotesPage) {
  gui::CMainFrame& frame = Frame();
  gui::OpenDocument* document = document_;
  ModalScript modals;
  TypeIntoNextNotesEditor(modals, QStringLiteral("Notiz zum Ausdruck"));
  frame.ExecuteCommand(gui::kCmdChartNotes);

  const QString pdf = QString::fromStdString((folder_.Path() / "chart.pdf").string());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  ASSERT_TRUE(gui::NotesPagePrinterOf(frame));
  const int sheets = gui::PrintChartDocument(
      printer, {*document, frame.Context().texts, gui::NotesPagePrinterOf(frame)}, 0, 0);
  EXPECT_EQ(sheets, 3);
  EXPECT_EQ(PdfPageCount(pdf), 3);
}

}  // namespace
}  // namespace vantrel::testing
