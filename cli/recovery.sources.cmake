# Crash recovery: what abnormally ended runs left in the recovery folder.
vantrel_cli_command(RecoverCommand RecoverCommand.cpp RecoveryCli.cpp CliDocument.cpp
  CliMessages.cpp)
