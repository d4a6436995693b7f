// The commands that open the unit preferences (32783) for the active document and the basic
// settings (kCmdBasicSettings).
#pragma once

namespace vantrel::gui {

class CMainFrame;

enum SettingsCommand : int {
  kCmdUnits = 32783,
};

/// Registers both commands with the main frame.
void InstallSettingsCommands(CMainFrame& frame);

}  // namespace vantrel::gui
