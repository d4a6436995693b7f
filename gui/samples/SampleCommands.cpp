// The sample command.
#include "gui/samples/SampleCommands.h"

#include "gui/app/CMainFrame.h"
#include "gui/samples/CSampleTableDlg.h"
#include "gui/tables/ListWindows.h"

namespace vantrel::gui {

bool EditSamples(CMainFrame& frame, OpenDocument& document) {
  model::CMessungObj* measurement = document.Measurement();
  if (measurement == nullptr) return false;
  AppContext& context = frame.Context();
  const auto selection = AskCurveSelection(&frame, context, *measurement);
  if (!selection || selection->empty()) return false;
  model::CKurveObj* curve = measurement->GetCurve(selection->front());
  if (curve == nullptr) return false;
  CSampleTableDlg table(
      *curve, context.texts, context.messages, UserTextConventions().decimalSeparator,
      [&document] { document.RecordStep(kCmdChartSamples); }, &frame);
  return table.exec() == QDialog::Accepted;
}

}  // namespace vantrel::gui
