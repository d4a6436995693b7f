// PNG and PDF through QPainter: the chart drawing and the print pages draw on the shared
// QPainter canvas of the window front end. Qt encodes into memory; the file is written by
// the program's safe save like every other file, so an existing file is replaced only by a
// complete new one, the name's bytes are used as they are and every failure names its cause.
#include "QtPictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdlib>
#include <memory>
#include <new>
#include <string_view>

#include "CliFrame.h"
#include "chart/ChartPainter.h"
#include "chart/PrintPages.h"
#include "gui/platform/QtCanvas.h"
#include "notes/NotesPrinter.h"
#include "platform/AtomicFile.h"

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

/// An in-memory device for Qt to encode into; the bytes are saved afterwards.
class MemoryDevice {
 public:
  MemoryDevice() : buffer_(&bytes_) {
    if (!buffer_.open(QIODevice::WriteOnly)) throw std::bad_alloc();
  }
  QIODevice* Device() { return &buffer_; }
  void SaveTo(const std::filesystem::path& out) {
    buffer_.close();
    platform::SaveFileAtomically(
        out, std::string_view(bytes_.constData(), static_cast<std::size_t>(bytes_.size())));
  }

 private:
  QByteArray bytes_;
  QBuffer buffer_;
};

}  // namespace

bool DrawsQtPictures() { return true; }

void DrawQtPicturesElsewhere(const CommandContext&) {
  throw CliFailure(kMsgPictureUnavailable, u"", "the picture helper draws itself");
}

std::filesystem::path FindPictureHelper(const std::filesystem::path&) { return {}; }

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
  MemoryDevice png;
  // Encoding into memory fails only when memory runs out.
  if (!image.save(png.Device(), "PNG")) throw std::bad_alloc();
  png.SaveTo(out);
}

void WritePdfPrintout(model::CMessungObj& measurement, const std::u16string& documentPath,
                      const std::filesystem::path& out, const platform::TextSource& texts,
                      const tables::TextConventions& conventions) {
  const QtSession session;
  MemoryDevice pdf;
  {
    QPdfWriter writer(pdf.Device());
    writer.setCreator(QStringLiteral("vantrel-cli"));
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    if (!painter.isActive()) throw std::bad_alloc();
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
  pdf.SaveTo(out);
}

}  // namespace vantrel::cli
