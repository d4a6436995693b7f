// Undo and redo of the active document: commands 57643 and 57644 of the "Bearbeiten" menu,
// their menu texts naming the step ("Rückgängig: Kurven löschen"), their enabled state and
// their keys (every key the accelerator table gives them, e.g. Ctrl+Y and Ctrl+Shift+Z).
#pragma once

namespace vantrel::gui {

class CMainFrame;

inline constexpr int kCmdUndo = 57643;
inline constexpr int kCmdRedo = 57644;
/// Menu texts with the step's name: "&Rückgängig: %s", "&Wiederherstellen: %s".
inline constexpr int kMsgUndoStep = 33044;
inline constexpr int kMsgRedoStep = 33045;

void InstallUndoCommands(CMainFrame& frame);
/// Brings texts, enabled state and keys of both commands up to date (the menus' refresh).
void UpdateUndoCommands(CMainFrame& frame);

}  // namespace vantrel::gui
