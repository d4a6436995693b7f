// The command that opens the formula curve dialog (32782) for the active document.
#pragma once

namespace vantrel::gui {

class CMainFrame;

enum FormulaCommand : int {
  kCmdFormulaCurve = 32782,
};

/// Registers the command with the main frame.
void InstallFormulaCommands(CMainFrame& frame);

}  // namespace vantrel::gui
