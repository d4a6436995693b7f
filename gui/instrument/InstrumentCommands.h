// The instrument commands of the main frame: memory readout into new documents, start and
// stop of the online recording, comm settings, port check and automatic configuration.
#pragma once

namespace vantrel::gui {

class CMainFrame;

/// Registers the commands 32772, 32774, 32775, 32802, 32803 and 32804 with the main frame,
/// and stops a recording before the document that holds its measurement is closed. Does
/// nothing when the application gave the frame no instrument.
void InstallInstrumentCommands(CMainFrame& frame);

}  // namespace vantrel::gui
