#include "gui/chart/ChartFrames.h"

#include "gui/app/CMainFrame.h"
#include "gui/chart/CChildFrame.h"

namespace vantrel::gui {
namespace {

const QString kServicesName = QStringLiteral("vantrelChartServices");

/// What the chart windows of one main frame share: the printer of the notes page.
class ChartServices final : public QObject {
 public:
  explicit ChartServices(QObject* parent) : QObject(parent) { setObjectName(kServicesName); }
  NotesPagePrinter notes;
};

ChartServices* ServicesOf(CMainFrame& frame) {
  return dynamic_cast<ChartServices*>(
      frame.findChild<QObject*>(kServicesName, Qt::FindDirectChildrenOnly));
}

}  // namespace

void InstallChartFrames(CMainFrame& frame) {
  if (ServicesOf(frame) == nullptr) new ChartServices(&frame);  // owned by the main frame
  frame.Documents().SetChartFactory(
      [&frame](OpenDocument& document) { return new CChildFrame(frame, document); });
}

void SetNotesPagePrinter(CMainFrame& frame, NotesPagePrinter printer) {
  ChartServices* services = ServicesOf(frame);
  if (services == nullptr) services = new ChartServices(&frame);
  services->notes = std::move(printer);
}

NotesPagePrinter NotesPagePrinterOf(CMainFrame& frame) {
  const ChartServices* services = ServicesOf(frame);
  return services != nullptr ? services->notes : NotesPagePrinter{};
}

}  // namespace vantrel::gui
