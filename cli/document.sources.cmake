# Commands over documents: export and formula curves.
vantrel_cli_command(ExportCsvCommand ExportCsvCommand.cpp CliDocument.cpp CliMessages.cpp)
vantrel_cli_command(FormulaCommand FormulaCommand.cpp CliDocument.cpp CliMessages.cpp CliSettings.cpp)
