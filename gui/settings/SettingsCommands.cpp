#include "gui/settings/SettingsCommands.h"

#include "gui/app/CMainFrame.h"
#include "gui/settings/CBasicSettingsDlg.h"
#include "gui/settings/CUnitsDlg.h"

namespace vantrel::gui {
namespace {

void Units(CMainFrame& frame) {
  OpenDocument* document = frame.Documents().ActiveDocument();
  model::CMessungObj* measurement = document != nullptr ? document->Measurement() : nullptr;
  // Converting a measurement being recorded would mix units: new samples arrive in the
  // instrument's units.
  if (measurement == nullptr || measurement->GetOnlineActive() != 0) return;
  CUnitsDlg dialog(frame.Context(), *measurement, frame.DialogParent());
  if (dialog.exec() == QDialog::Accepted) document->RecordStep(kCmdUnits);
}

}  // namespace

void InstallSettingsCommands(CMainFrame& frame) {
  frame.RegisterCommand(kCmdUnits, [&frame] { Units(frame); });
  frame.RegisterCommand(kCmdBasicSettings, [&frame] {
    CBasicSettingsDlg dialog(frame.Context(), &frame);
    dialog.exec();
  });
}

}  // namespace vantrel::gui
