// The commands that open the unit preferences (32783) for the active document and the basic
// settings (kCmdBasicSettings).
#pragma once

#include "app/CommandIds.h"

namespace vantrel::gui {

class CMainFrame;

using ids::kCmdUnits;

/// Registers both commands with the main frame.
void InstallSettingsCommands(CMainFrame& frame);

}  // namespace vantrel::gui
