// Undo and redo of the active document: commands 57643 and 57644 of the "Bearbeiten" menu,
// their menu texts naming the step ("Rückgängig: Kurven löschen"), their enabled state and
// their keys (every key the accelerator table gives them, e.g. Ctrl+Y and Ctrl+Shift+Z).
#pragma once

#include "app/CommandIds.h"

namespace vantrel::gui {

class CMainFrame;

using ids::kCmdRedo;
using ids::kCmdUndo;

void InstallUndoCommands(CMainFrame& frame);
/// Brings texts, enabled state and keys of both commands up to date (the menus' refresh).
void UpdateUndoCommands(CMainFrame& frame);

}  // namespace vantrel::gui
