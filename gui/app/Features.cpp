#include "gui/app/Features.h"

#include "gui/app/CMainFrame.h"

namespace vantrel::gui {

void InstallFeatureCommands(CMainFrame& /*frame*/) {}

}  // namespace vantrel::gui
