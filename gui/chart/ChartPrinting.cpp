#include "gui/chart/ChartPrinting.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <algorithm>

#include "chart/PrintPages.h"
#include "gui/app/OpenDocument.h"
#include "gui/platform/QtCanvas.h"
#include "gui/tables/ListWindows.h"
#include "platform/FileErrors.h"

namespace vantrel::gui {

int PrintChartDocument(QPrinter& printer, const ChartPrintJob& job, int fromPage, int toPage) {
  const int first = fromPage > 0 ? fromPage : 1;
  const int last = toPage > 0 ? std::min(toPage, kLastPrintPage) : kLastPrintPage;
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  // Only the printable area is painted: the chart's margins cover what it draws beyond its
  // area on the page, and nothing reaches the paper outside the page.
  QtCanvas canvas(painter, true, QSize(printer.width(), printer.height()));
  int sheets = 0;
  auto startSheet = [&printer, &sheets] {
    if (sheets > 0) printer.newPage();
    ++sheets;
  };
  model::CMessungObj* measurement = job.document.Measurement();
  for (int page = first; page <= last; ++page) {
    if (page == kLastPrintPage) {
      // A measurement without notes prints no empty notes sheet.
      const bool hasNotes = measurement != nullptr && measurement->GetNotes().has_value() &&
                            !measurement->GetNotes()->empty();
      if (!job.notes || !hasNotes) continue;
      startSheet();
      job.notes(canvas, job.document, [&printer, &sheets] {
        printer.newPage();
        ++sheets;
      });
      continue;
    }
    if (measurement == nullptr) continue;
    startSheet();
    chart::PrintOptions options;
    options.documentPath = platform::DisplayName(job.document.Doc().GetPathName());
    options.conventions = UserTextConventions();
    options.nextSheet = [&printer, &sheets] {
      printer.newPage();
      ++sheets;
    };
    chart::PrintPage(canvas, *measurement, page, job.texts, options);
  }
  painter.end();
  return sheets;
}

bool RunPrintDialog(QWidget* parent, QPrinter& printer, const ChartPrintJob& job) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, kLastPrintPage);
  dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile |
                    QAbstractPrintDialog::PrintShowPageSize);
  if (dialog.exec() != QDialog::Accepted) return false;
  PrintChartDocument(printer, job, printer.fromPage(), printer.toPage());
  return true;
}

void RunPrintSetup(QWidget* parent, QPrinter& printer, const QString& title) {
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(title);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  dialog.exec();  // OK keeps the choice in the printer; Cancel leaves it as it was
}

void RunPrintPreview(QWidget* parent, QPrinter& printer, const ChartPrintJob& job) {
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&job](QPrinter* target) { PrintChartDocument(*target, job, 0, 0); });
  dialog.resize(parent != nullptr ? parent->window()->size() * 0.9 : QSize(900, 700));
  dialog.exec();
}

}  // namespace vantrel::gui
