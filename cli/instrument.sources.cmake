# Commands that talk to the instrument: memory readout, online recording, port check and search.
vantrel_cli_command(ReadMemoryCommand ReadMemoryCommand.cpp InstrumentOptions.cpp CliDocument.cpp
  CliMessages.cpp CliSettings.cpp)
vantrel_cli_command(RecordCommand RecordCommand.cpp InstrumentOptions.cpp CliDocument.cpp
  CliMessages.cpp CliSettings.cpp RecoveryCli.cpp)
vantrel_cli_command(CheckPortCommand PortCommands.cpp InstrumentOptions.cpp CliMessages.cpp
  CliSettings.cpp)
vantrel_cli_command(AutoconfigCommand PortCommands.cpp InstrumentOptions.cpp CliMessages.cpp
  CliSettings.cpp)
