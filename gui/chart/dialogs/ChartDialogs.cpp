#include "gui/chart/dialogs/ChartDialogs.h"

#include <QPointer>

#include "gui/app/CMainFrame.h"
#include "gui/chart/dialogs/CChartSetupDlg.h"
#include "gui/chart/dialogs/CFilterDlg.h"
#include "gui/chart/dialogs/CImportDlg.h"
#include "gui/chart/dialogs/CMarkerDlg.h"
#include "gui/tables/ListWindows.h"

namespace vantrel::gui {
namespace {

char DecimalSeparator() { return UserTextConventions().decimalSeparator; }

void ImportCurve(CMainFrame& frame) {
  OpenDocument* document = frame.Documents().ActiveDocument();
  model::CMessungObj* measurement = document != nullptr ? document->Measurement() : nullptr;
  // A measurement being recorded takes no curves from other files.
  if (measurement == nullptr || measurement->GetOnlineActive() != 0) return;
  CImportDlg dialog(frame.Context(), *measurement, frame.DialogParent());
  if (dialog.exec() == QDialog::Accepted && dialog.AddedCurveIndex() >= 0) {
    document->RecordStep(kCmdImportCurve);
  }
}

}  // namespace

bool RunChartSetup(QWidget* parent, const AppContext& context, model::CMessungObj& measurement) {
  CChartSetupDlg dialog(measurement, context.texts, context.messages, DecimalSeparator(), parent);
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  return confirmed || dialog.MeasurementChanged();
}

void ChartSetupCommand(QWidget* parent, const AppContext& context, OpenDocument& document) {
  model::CMessungObj* measurement = document.Measurement();
  if (measurement == nullptr) return;
  QPointer<OpenDocument> guard(&document);
  const bool changed = RunChartSetup(parent, context, *measurement);
  // Every window follows, whether or not the setup was confirmed.
  if (guard == nullptr) return;
  if (changed) {
    guard->RecordStep(kCmdChartSetup);
  } else {
    guard->RefreshViews();
  }
}

void MarkersCommand(QWidget* parent, const AppContext& context, OpenDocument& document) {
  if (document.Measurement() == nullptr) return;
  CMarkerDlg dialog(document, context.texts, DecimalSeparator(), parent);
  dialog.exec();
}

void FilterCurveCommand(QWidget* parent, const AppContext& context, OpenDocument& document) {
  model::CMessungObj* measurement = document.Measurement();
  if (measurement == nullptr) return;
  const std::optional<std::vector<int>> selection =
      AskCurveSelection(parent, context, *measurement);
  if (!selection || selection->empty()) return;
  model::CKurveObj* curve = measurement->GetCurve(selection->front());
  if (curve == nullptr) return;
  QPointer<OpenDocument> guard(&document);
  CFilterDlg dialog(document, *curve, context.texts, DecimalSeparator(), parent);
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  if (guard == nullptr) return;
  if (confirmed) {
    guard->RecordStep(kCmdChartFilterCurve);
  } else {
    guard->RefreshViews();
  }
}

void InstallChartDialogs(CMainFrame& frame) {
  const auto forActive = [&frame](void (*command)(QWidget*, const AppContext&, OpenDocument&)) {
    return [&frame, command] {
      if (OpenDocument* document = frame.Documents().ActiveDocument(); document != nullptr) {
        command(&frame, frame.Context(), *document);
      }
    };
  };
  frame.RegisterCommand(kCmdChartSetup, forActive(&ChartSetupCommand));
  frame.RegisterCommand(kCmdChartMarkers, forActive(&MarkersCommand));
  frame.RegisterCommand(kCmdChartFilterCurve, forActive(&FilterCurveCommand));
  frame.RegisterCommand(kCmdImportCurve, [&frame] { ImportCurve(frame); });
}

}  // namespace vantrel::gui
