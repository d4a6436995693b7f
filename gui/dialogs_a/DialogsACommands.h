// The commands that open the formula curve dialog (32782), the unit preferences (32783),
// the curve import (32792) for the active document and the basic settings (32805).
#pragma once

namespace vantrel::gui {

class CMainFrame;

/// Command numbers of these dialogs.
enum DialogsACommand : int {
  kCmdFormulaCurve = 32782,
  kCmdUnits = 32783,
  kCmdImportCurve = 32792,
};

/// Registers the three chart commands and the basic settings (kCmdBasicSettings) with the
/// main frame.
void InstallFormulaAndSettingsDialogs(CMainFrame& frame);

}  // namespace vantrel::gui
