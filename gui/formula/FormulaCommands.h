// The command that opens the formula curve dialog (32782) for the active document.
#pragma once

#include "app/CommandIds.h"

namespace vantrel::gui {

class CMainFrame;

using ids::kCmdFormulaCurve;

/// Registers the command with the main frame.
void InstallFormulaCommands(CMainFrame& frame);

}  // namespace vantrel::gui
