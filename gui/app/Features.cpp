#include "gui/app/Features.h"

#include "gui/app/CMainFrame.h"
#include "gui/instrument/InstrumentCommands.h"

namespace vantrel::gui {

void InstallFeatureCommands(CMainFrame& frame) {
  InstallInstrumentCommands(frame);
}

}  // namespace vantrel::gui
