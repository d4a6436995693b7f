// PNG and PDF through QPainter: the chart drawing and the print pages draw on the shared
// QPainter canvas of the window front end. The files are written through QSaveFile, so an
// existing file is replaced only by a complete new one.
#include "QtPictures.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "CliFrame.h"
#include "chart/ChartPainter.h"
#include "chart/PrintPages.h"
#include "gui/platform/QtCanvas.h"
#include "notes/NotesPrinter.h"
#include "platform/Strings.h"
#include "tables/AtomicFile.h"

namespace vantrel::cli {
namespace {

/// Resolution of the PDF pages in dots per inch (fonts and the one-inch margins scale).
constexpr int kPdfDpi = 300;

/// Qt's own diagnostics (such as a missing runtime folder) would break the rule that
/// stderr carries nothing but the one error line; the tool reports its failures itself.
void QuietQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

/// The Qt application the painting needs, on the off-screen platform unless the caller
/// chose another.
class QtSession {
 public:
  QtSession() {
    qInstallMessageHandler(QuietQtMessages);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (QGuiApplication::instance() == nullptr) {
      application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
  }

 private:
  int argc_ = 1;
  char name_[12] = "vantrel-cli";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

QString ToQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

[[noreturn]] void WriteFailed(const std::filesystem::path& out) {
  const int number = errno;
  throw CliFailure(number != 0 ? tables::FileErrorMessageFor(number) : tables::kMsgFileWriteError,
                   platform::FromUtf8(out.string()), "cannot write " + out.string());
}

}  // namespace

void WritePngChart(model::CMessungObj& measurement, platform::Size size,
                   const std::filesystem::path& out, const platform::TextSource& texts,
                   char decimalSeparator) {
  const QtSession session;
  QImage image(size.cx, size.cy, QImage::Format_RGB32);
  if (image.isNull()) throw std::bad_alloc();
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    gui::QtCanvas canvas(painter);
    canvas.SetBackgroundColor(platform::kWhite);
    chart::ChartPainter chart;
    chart.Draw(canvas, measurement, platform::Rect{0, 0, size.cx, size.cy}, texts,
               decimalSeparator);
  }
  errno = 0;
  QSaveFile file(ToQString(out));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    WriteFailed(out);
  }
}

void WritePdfPrintout(model::CMessungObj& measurement, const std::u16string& documentPath,
                      const std::filesystem::path& out, const platform::TextSource& texts,
                      const tables::TextConventions& conventions) {
  const QtSession session;
  errno = 0;
  QSaveFile file(ToQString(out));
  if (!file.open(QIODevice::WriteOnly)) WriteFailed(out);
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("vantrel-cli"));
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    if (!painter.isActive()) WriteFailed(out);
    gui::QtCanvas canvas(painter, true);
    canvas.SetBackgroundColor(platform::kWhite);
    chart::ChartPainter chart;
    chart::PrintOptions options;
    options.documentPath = documentPath;
    options.conventions = conventions;
    options.painter = &chart;
    options.nextSheet = [&writer] { writer.newPage(); };
    chart::PrintPage(canvas, measurement, 1, texts, options);
    writer.newPage();
    chart::PrintPage(canvas, measurement, 2, texts, options);
    // The notes page as the window prints it: formatted, on as many sheets as it takes.
    if (measurement.GetNotes().has_value() && !measurement.GetNotes()->empty()) {
      writer.newPage();
      notes::PrintNotesPage(canvas, measurement, options.nextSheet);
    }
  }
  if (!file.commit()) WriteFailed(out);
}

}  // namespace vantrel::cli
