#include "gui/formula/FormulaCommands.h"

#include "gui/app/CMainFrame.h"
#include "gui/formula/CFormulaDlg.h"

namespace vantrel::gui {
namespace {

void FormulaCurve(CMainFrame& frame) {
  OpenDocument* document = frame.Documents().ActiveDocument();
  model::CMessungObj* measurement = document != nullptr ? document->Measurement() : nullptr;
  // A measurement being recorded takes formula curves only through the recording's dialog.
  if (measurement == nullptr || measurement->GetOnlineActive() != 0) return;
  if (ShowFormulaDialog(frame.Context(), *measurement, false, frame.DialogParent())) {
    document->RecordStep(kCmdFormulaCurve);
  }
}

}  // namespace

void InstallFormulaCommands(CMainFrame& frame) {
  frame.RegisterCommand(kCmdFormulaCurve, [&frame] { FormulaCurve(frame); });
}

}  // namespace vantrel::gui
