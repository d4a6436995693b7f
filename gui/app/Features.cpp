#include "gui/app/Features.h"

#include "gui/app/CMainFrame.h"
#include "gui/dialogs_a/DialogsACommands.h"
#include "gui/dialogs_b/ChartDialogs.h"
#include "gui/instrument/InstrumentCommands.h"
#include "gui/notes/NotesCommands.h"

namespace vantrel::gui {

void InstallFeatureCommands(CMainFrame& frame) {
  InstallInstrumentCommands(frame);
  InstallFormulaAndSettingsDialogs(frame);
  InstallChartDialogs(frame);
  InstallNotesAndSamples(frame);
}

}  // namespace vantrel::gui
