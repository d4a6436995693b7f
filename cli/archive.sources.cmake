# Commands over documents of every file type: dump and convert.
vantrel_cli_command(DumpCommand DumpCommand.cpp DocumentJson.cpp JsonWriter.cpp CliDocument.cpp
  CliMessages.cpp)
vantrel_cli_command(ConvertCommand ConvertCommand.cpp CliDocument.cpp CliMessages.cpp)
