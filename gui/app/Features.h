// Installs the commands of the feature windows (instrument dialogs, settings dialogs) in
// the main frame. Each feature adds its own Install function here.
#pragma once

namespace vantrel::gui {

class CMainFrame;

void InstallFeatureCommands(CMainFrame& frame);

}  // namespace vantrel::gui
