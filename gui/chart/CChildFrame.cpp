#include "gui/chart/CChildFrame.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImageWriter>
#include <QMimeData>
#include <QVBoxLayout>
#include <new>

#include "gui/app/CMainFrame.h"
#include "gui/chart/ChartCommands.h"
#include "gui/tables/ListWindows.h"
#include "platform/Error.h"
#include "platform/FileErrors.h"
#include "tables/CsvExport.h"

namespace vantrel::gui {
namespace {

/// The wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CChildFrame::CChildFrame(CMainFrame& main, OpenDocument& document, QWidget* parent)
    : DocumentFrame(document, document::FrameKind::Chart, parent), main_(main) {
  view_ = new CVantrel40View(main, document, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  setFocusProxy(view_);
  setMinimumSize(120, 90);
}

bool CChildFrame::HandleCommand(int commandId) {
  switch (commandId) {
    case chart_commands::kCmdExportCsv:
      ExportCsv();
      return true;
    case chart_commands::kCmdCopyChart:
      CopyChart();
      return true;
    default:
      return view_->HandleCommand(commandId);
  }
}

std::optional<bool> CChildFrame::CommandEnabled(int commandId) const {
  switch (commandId) {
    case chart_commands::kCmdExportCsv:
    case chart_commands::kCmdCopyChart:
      return Document().Measurement() != nullptr;
    default:
      return view_->CommandEnabled(commandId);
  }
}

void CChildFrame::UpdateCommandStates(MenuBuilder& menus) { view_->UpdateCommandStates(menus); }

void CChildFrame::ExportCsv() {
  AppContext& context = main_.Context();
  platform::SaveFileRequest request;
  const std::filesystem::path name(tables::CsvDefaultFileName(Document().Doc().GetTitle()));
  const std::filesystem::path folder(context.settings.GetWorkDir());
  request.initialName = folder.empty() ? name : folder / name;
  request.title = context.texts.Text(chart_commands::kStrSaveAsTitle);
  request.filterDescription = context.texts.Text(chart_commands::kStrTextFileFilter);
  request.pattern = u"*.csv";
  request.defaultExtension = u"csv";
  request.askBeforeOverwrite = true;
  const std::optional<std::filesystem::path> path = context.dialogs.AskSaveFileName(request);
  if (!path) return;
  int failure = 0;
  {
    WaitCursor wait;
    const model::CMessungObj* m = Measurement();
    if (m == nullptr) return;
    try {
      tables::ExportCsvFile(*m, *path, context.texts, UserTextConventions());
    } catch (const platform::VantrelError& error) {
      failure = error.MessageId();
    } catch (const std::bad_alloc&) {
      failure = platform::kMsgOutOfMemory;
    }
  }
  // A failed export says so; the previous file at the path is left as it was.
  if (failure != 0) {
    context.messages.ShowMessage(failure, platform::Buttons::Ok, platform::Icon::Exclamation,
                                 platform::DisplayName(*path));
  }
}

void CChildFrame::CopyChart() {
  const QImage image = view_->RenderImage(view_->Surface().size());
  auto mime = std::make_unique<QMimeData>();
  mime->setImageData(image);
  if (QImageWriter::supportedMimeTypes().contains("image/bmp")) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.save(&buffer, "BMP")) mime->setData(QStringLiteral("image/bmp"), bytes);
  }
  QGuiApplication::clipboard()->setMimeData(mime.release());  // the clipboard owns it now
}

}  // namespace vantrel::gui
