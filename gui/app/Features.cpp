#include "gui/app/Features.h"

#include "gui/app/CMainFrame.h"
#include "gui/app/UndoCommands.h"
#include "gui/chart/dialogs/ChartDialogs.h"
#include "gui/formula/FormulaCommands.h"
#include "gui/instrument/InstrumentCommands.h"
#include "gui/notes/NotesCommands.h"
#include "gui/settings/SettingsCommands.h"

namespace vantrel::gui {

void InstallFeatureCommands(CMainFrame& frame) {
  InstallInstrumentCommands(frame);
  InstallFormulaCommands(frame);
  InstallSettingsCommands(frame);
  InstallChartDialogs(frame);
  InstallNotesAndSamples(frame);
  InstallUndoCommands(frame);
}

}  // namespace vantrel::gui
