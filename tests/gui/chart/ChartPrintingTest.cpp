// Printing of the chart window: the sheets of pages 1 to 3 in a PDF file, the page range,
// further sheets of the curve table, the notes page through the notes printer, and the
// print dialog, direct print and print preview commands.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>

#include "ChartWindowFixture.h"
#include "chart/PrintPages.h"
#include "gui/chart/ChartCommands.h"
#include "gui/chart/ChartFrames.h"
#include "gui/platform/QtCanvas.h"
#include "gui/tables/ListWindows.h"

namespace vantrel::testing {
namespace {

namespace cmd = gui::chart_commands;

/// Pages of a PDF file written by Qt.
int PdfPages(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QString text = QString::fromLatin1(file.readAll());
  return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

class ChartPrintingTest : public ChartWindowTest {
 protected:
  QString PdfPath(const char* name) {
    return QString::fromStdString((folder_.Path() / name).string());
  }
  static void ToPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
  }
};

TEST_F(ChartPrintingTest, PrintsTheChartAndTheCurveTableWithoutANotesPrinter) {
  struct Case {
    int from, to, sheets;
  };
  gui::SetNotesPagePrinter(Main(), {});  // the notes editor installs one at start-up
  const platform::Rect before = Plot();
  const Case cases[] = {{0, 0, 2}, {1, 1, 1}, {2, 3, 1}, {3, 3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from * 10 + c.to);
    QPrinter printer(QPrinter::ScreenResolution);
    const QString path = PdfPath("pages.pdf");
    ToPdf(printer, path);
    EXPECT_EQ(View().PrintTo(printer, c.from, c.to), c.sheets);
    if (c.sheets > 0) {
      EXPECT_EQ(PdfPages(path), c.sheets);
    }
  }
  // The window's plot is its own again after the next paint.
  Paint();
  EXPECT_EQ(Plot(), before);
}

TEST_F(ChartPrintingTest, ManyCurvesTakeFurtherSheetsAndTheNotesPrinterAddsPageThree) {
  for (int i = 0; i < 9; ++i) M().AddCurve()->SetName(u"Zusatz");
  M().SetNotes(std::vector<std::uint8_t>{'{', '}'});  // only a measurement with notes prints them
  int notesCalls = 0;
  gui::SetNotesPagePrinter(Main(), [&notesCalls](platform::Canvas& canvas, gui::OpenDocument&,
                                                 const std::function<void()>&) {
    EXPECT_TRUE(canvas.IsPrinter());
    canvas.TextOut(100, 100, u"Notizen");
    ++notesCalls;
  });
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  const QString path = PdfPath("many.pdf");
  ToPdf(printer, path);
  // Columns of 1.615 inch across the sheet, one of them for the labels.
  const int perSheet = printer.width() / static_cast<int>(printer.logicalDpiX() * 1.615) - 1;
  ASSERT_GT(perSheet, 1);
  const int tableSheets = (12 + perSheet - 1) / perSheet;
  ASSERT_GT(tableSheets, 1);
  EXPECT_EQ(View().PrintTo(printer), 1 + tableSheets + 1);
  EXPECT_EQ(PdfPages(path), 1 + tableSheets + 1);
  EXPECT_EQ(notesCalls, 1);
}

TEST_F(ChartPrintingTest, CurvesOutsideTheirAxisRangeLeaveThePageMarginsBlank) {
  // The first curve swings far below and far above its axis (0 to 400 bar), in every draw
  // mode: the value, the bar between minimum and maximum, the mean.
  for (const int mode : {model::kModeValue, model::kModeBar, model::kModeMean}) {
    SCOPED_TRACE(mode);
    model::CKurveObj& curve = *M().GetCurve(0);
    curve.SetValueMode(mode);
    std::vector<model::CValueObj>& samples = curve.MutableSamples();
    for (std::size_t i = 0; i < samples.size(); ++i) {
      const float v = (i / 50) % 2 == 0 ? -5000.0F : 5000.0F;
      samples[i] = model::CValueObj(v - 900.0F, v + 900.0F, v);
    }
    // A landscape sheet at 100 dpi, its printable area 1100 x 850 pixels a quarter inch
    // inside the paper as on a printer; the chart's margins are 100 pixels.
    constexpr int kDpi = 100;
    constexpr int kPaperMargin = 25;
    const QSize printable(1100, 850);
    QImage page(printable.width() + 2 * kPaperMargin, printable.height() + 2 * kPaperMargin,
                QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(kDpi / 0.0254));
    page.setDotsPerMeterY(qRound(kDpi / 0.0254));
    page.fill(Qt::white);
    {
      QPainter painter(&page);
      painter.translate(kPaperMargin, kPaperMargin);
      gui::QtCanvas canvas(painter, true, printable);
      chart::PrintOptions options;
      options.conventions = gui::UserTextConventions();
      chart::PrintPage(canvas, M(), 1, Main().Context().texts, options);
    }
    if (const QByteArray shots = qgetenv("VANTREL_SHOTS"); !shots.isEmpty()) {
      page.save(QString::fromLocal8Bit(shots) +
                QStringLiteral("/print_page1_mode%1.png").arg(mode));
    }
    // The frame is one pixel outside the chart area; everything beyond it, on the page and
    // on the paper around it, is background.
    const QRect framed(kPaperMargin + kDpi - 1, kPaperMargin + kDpi - 1,
                       printable.width() - 2 * kDpi + 2, printable.height() - 2 * kDpi + 2);
    int marked = 0;
    int curvePixels = 0;
    const QRgb red = qRgb(220, 0, 0);
    for (int y = 0; y < page.height(); ++y) {
      for (int x = 0; x < page.width(); ++x) {
        const QRgb pixel = page.pixel(x, y);
        if (!framed.contains(x, y)) {
          if (pixel != qRgb(255, 255, 255)) ++marked;
        } else if (pixel == red) {
          ++curvePixels;
        }
      }
    }
    EXPECT_EQ(marked, 0);
    EXPECT_GT(curvePixels, 0);  // the curve is there, inside the chart
  }
}

TEST_F(ChartPrintingTest, DirectPrintUsesTheApplicationsLandscapePrinter) {
  QPrinter& printer = app_->Printer();
  EXPECT_EQ(&View().Printer(), &printer);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  const QString path = PdfPath("direct.pdf");
  ToPdf(printer, path);
  Main().ExecuteCommand(cmd::kCmdPrintDirect);
  EXPECT_EQ(PdfPages(path), 2);
  EXPECT_FALSE(Modified());
}

TEST_F(ChartPrintingTest, PrintDialogOffersPagesOneToThree) {
  ToPdf(app_->Printer(), PdfPath("dialog.pdf"));
  int minPage = 0;
  int maxPage = 0;
  modals_.ThenAnswer([&](QWidget& widget) {
    auto* dialog = qobject_cast<QPrintDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    minPage = dialog->minPage();
    maxPage = dialog->maxPage();
    dialog->reject();
  });
  Main().ExecuteCommand(cmd::kCmdPrint);
  EXPECT_EQ(minPage, 1);
  EXPECT_EQ(maxPage, 3);
}

TEST_F(ChartPrintingTest, PreviewShowsEveryPrintedSheet) {
  int pages = 0;
  modals_.ThenAnswer([&pages](QWidget& widget) {
    auto* dialog = qobject_cast<QPrintPreviewDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    QApplication::processEvents();
    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    preview->updatePreview();
    pages = preview->pageCount();
    SaveShot(*dialog, QStringLiteral("chart_print_preview"));
    dialog->reject();
  });
  Main().ExecuteCommand(cmd::kCmdPrintPreview);
  EXPECT_EQ(pages, 2);
}

}  // namespace
}  // namespace vantrel::testing
