#include "gui/dialogs_a/DialogsACommands.h"

#include "gui/app/CMainFrame.h"
#include "gui/app/DocumentFrame.h"
#include "gui/dialogs_a/CBasicSettingsDlg.h"
#include "gui/dialogs_a/CFormulaDlg.h"
#include "gui/dialogs_a/CImportDlg.h"
#include "gui/dialogs_a/CUnitsDlg.h"

namespace vantrel::gui {
namespace {

/// The measurement of the active document window, null when there is none.
model::CMessungObj* ActiveMeasurement(CMainFrame& frame, OpenDocument** document) {
  OpenDocument* active = frame.Documents().ActiveDocument();
  *document = active;
  return active != nullptr ? active->Measurement() : nullptr;
}

/// The window the dialogs belong to: the active chart window, else the main frame.
QWidget* DialogParent(CMainFrame& frame) {
  if (DocumentFrame* window = frame.Documents().ActiveFrame(); window != nullptr) return window;
  return &frame;
}

void FormulaCurve(CMainFrame& frame) {
  OpenDocument* document = nullptr;
  model::CMessungObj* measurement = ActiveMeasurement(frame, &document);
  // A measurement being recorded takes formula curves only through the recording's dialog.
  if (measurement == nullptr || measurement->GetOnlineActive() != 0) return;
  if (ShowFormulaDialog(frame.Context(), *measurement, false, DialogParent(frame))) {
    document->UpdateAllViews();
  }
}

void Units(CMainFrame& frame) {
  OpenDocument* document = nullptr;
  model::CMessungObj* measurement = ActiveMeasurement(frame, &document);
  // Converting a measurement being recorded would mix units: new samples arrive in the
  // instrument's units.
  if (measurement == nullptr || measurement->GetOnlineActive() != 0) return;
  CUnitsDlg dialog(frame.Context(), *measurement, DialogParent(frame));
  if (dialog.exec() == QDialog::Accepted) document->UpdateAllViews();
}

void ImportCurve(CMainFrame& frame) {
  OpenDocument* document = nullptr;
  model::CMessungObj* measurement = ActiveMeasurement(frame, &document);
  if (measurement == nullptr) return;
  CImportDlg dialog(frame.Context(), *measurement, DialogParent(frame));
  if (dialog.exec() == QDialog::Accepted && dialog.AddedCurveIndex() >= 0) {
    document->UpdateAllViews();
  }
}

}  // namespace

void InstallFormulaAndSettingsDialogs(CMainFrame& frame) {
  frame.RegisterCommand(kCmdFormulaCurve, [&frame] { FormulaCurve(frame); });
  frame.RegisterCommand(kCmdUnits, [&frame] { Units(frame); });
  frame.RegisterCommand(kCmdImportCurve, [&frame] { ImportCurve(frame); });
  frame.RegisterCommand(kCmdBasicSettings, [&frame] {
    CBasicSettingsDlg dialog(frame.Context(), &frame);
    dialog.exec();
  });
}

}  // namespace vantrel::gui
