#include "gui/chart/ChartFrames.h"

#include <QPainter>

#include "gui/app/CMainFrame.h"
#include "gui/app/DocumentFrame.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui {
namespace {

/// Placeholder chart window until the chart view is installed: shows the measurement name.
class PlainChartFrame final : public DocumentFrame {
 public:
  explicit PlainChartFrame(OpenDocument& document) : DocumentFrame(document, document::FrameKind::Chart) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (const model::CMessungObj* m = Document().Measurement(); m != nullptr) {
      painter.drawText(rect(), Qt::AlignCenter, ToQString(m->GetName()));
    }
  }
};

}  // namespace

void InstallChartFrames(CMainFrame& frame) {
  frame.Documents().SetChartFactory([](OpenDocument& document) { return new PlainChartFrame(document); });
}

}  // namespace vantrel::gui
